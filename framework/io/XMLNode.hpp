#pragma once
// An element of an XML tree: a name, attributes and child elements. The
// node holds one reference on each attribute and each child; both arrays are
// packed after every change, so indices run from 0 to the count − 1 in
// insertion order. The parent pointer is not counted.
#include "framework/basics/CountedObject.hpp"
#include "framework/basics/String.hpp"
#include "framework/collections/CountedPointerArray.hpp"
#include "framework/io/XMLAttribute.hpp"

#include <vector>

namespace Vantor::IO
{

class CXMLNode : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CXMLNode);

    explicit CXMLNode(const Basics::CString& name, CXMLNode* parent = nullptr);
    ~CXMLNode() override;

    CXMLNode(const CXMLNode&) = delete;
    CXMLNode& operator=(const CXMLNode&) = delete;

    // Appends and references the attribute; null is ignored.
    void addAttribute(CXMLAttribute* attribute);
    // Appends a new attribute and answers it.
    CXMLAttribute* createAttribute(const Basics::CString& name, const Basics::CString& value);
    long getNumberOfAttributes() const;
    // Null when the index is out of range.
    CXMLAttribute* getAttribute(long index) const;
    // The first attribute of exactly that name, or null.
    CXMLAttribute* getAttribute(const Basics::CString& name) const;
    // A copy of the named attribute's value, or "" when there is none.
    Basics::CString getAttributeValue(const Basics::CString& name) const;
    // Releases the attribute; one the node does not hold is ignored.
    void deleteAttribute(CXMLAttribute* attribute);
    void deleteAttribute(const Basics::CString& name);
    void deleteAllAttributes();

    // Adopts the child (its parent becomes this node), appends and references
    // it; null is ignored, and so is this node itself or one of its ancestors,
    // which would make the tree a cycle.
    void addChildNode(CXMLNode* child);
    // Appends a new child and answers it.
    CXMLNode* createChildNode(const Basics::CString& name);
    long getNumberOfChildNodes() const;
    CXMLNode* getChildNode(long index) const;
    // The first child of exactly that name, or null.
    CXMLNode* getChildNodeWithName(const Basics::CString& name) const;
    // Releases the child; one the node does not hold is ignored.
    void deleteChildNode(CXMLNode* child);
    void deleteChildNode(const Basics::CString& name);
    void deleteAllChildNodes();

    CXMLNode* getParentNode() const { return m_parent; }
    void setParentNode(CXMLNode* parent) { m_parent = parent; }
    const Basics::CString& getName() const { return m_name; }
    void setName(const Basics::CString& name) { m_name.setString(name); }

private:
    // Moves every child, with the reference this node held on it, to the end of
    // `list`; false (and nothing moved) when the list cannot grow.
    bool takeChildrenInto(std::vector<CXMLNode*>& list);
    // Whether this node is `top` or lies somewhere below it.
    bool isInSubtreeOf(const CXMLNode& top) const;

    Basics::CString m_name;
    Collections::TCountedPointerArray<CXMLAttribute> m_attributes;
    CXMLNode* m_parent;
    Collections::TCountedPointerArray<CXMLNode> m_children;
};

} // namespace Vantor::IO
