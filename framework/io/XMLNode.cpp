#include "framework/io/XMLNode.hpp"

namespace Vantor::IO
{

namespace
{
// The first element of the array whose name is exactly `name`, or null.
template <typename Element>
Element* findNamed(const Collections::TCountedPointerArray<Element>& array, const Basics::CString& name)
{
    for (long i = 0; i < array.getInsertIndex(); i++)
    {
        Element* element = array.getElementAtIndex(i);
        if (element && element->getName().equals(name))
        {
            return element;
        }
    }
    return nullptr;
}
} // namespace

CXMLNode::CXMLNode(const Basics::CString& name, CXMLNode* parent) : m_name(name), m_parent(parent) {}

CXMLNode::~CXMLNode()
{
    deleteAllChildNodes();
}

void CXMLNode::addAttribute(CXMLAttribute* attribute)
{
    if (attribute == nullptr)
    {
        return;
    }
    m_attributes.addElement(attribute);
    m_attributes.reorder(true);
}

CXMLAttribute* CXMLNode::createAttribute(const Basics::CString& name, const Basics::CString& value)
{
    auto* attribute = new CXMLAttribute(name, value);
    addAttribute(attribute);
    return attribute;
}

long CXMLNode::getNumberOfAttributes() const
{
    return m_attributes.getInsertIndex();
}

CXMLAttribute* CXMLNode::getAttribute(long index) const
{
    return m_attributes.getElementAtIndex(index);
}

CXMLAttribute* CXMLNode::getAttribute(const Basics::CString& name) const
{
    return findNamed(m_attributes, name);
}

Basics::CString CXMLNode::getAttributeValue(const Basics::CString& name) const
{
    const CXMLAttribute* attribute = getAttribute(name);
    return attribute ? attribute->getValue() : Basics::CString("");
}

void CXMLNode::deleteAttribute(CXMLAttribute* attribute)
{
    if (m_attributes.deleteElement(attribute))
    {
        m_attributes.reorder(true);
    }
}

void CXMLNode::deleteAttribute(const Basics::CString& name)
{
    deleteAttribute(getAttribute(name));
}

void CXMLNode::deleteAllAttributes()
{
    m_attributes.freePointers();
}

void CXMLNode::addChildNode(CXMLNode* child)
{
    if (child == nullptr)
    {
        return;
    }
    child->setParentNode(this);
    m_children.addElement(child);
    m_children.reorder(true);
}

CXMLNode* CXMLNode::createChildNode(const Basics::CString& name)
{
    auto* child = new CXMLNode(name, this);
    addChildNode(child);
    return child;
}

long CXMLNode::getNumberOfChildNodes() const
{
    return m_children.getInsertIndex();
}

CXMLNode* CXMLNode::getChildNode(long index) const
{
    return m_children.getElementAtIndex(index);
}

CXMLNode* CXMLNode::getChildNodeWithName(const Basics::CString& name) const
{
    return findNamed(m_children, name);
}

void CXMLNode::deleteChildNode(CXMLNode* child)
{
    if (child == nullptr || m_children.getIndexOfElement(child) < 0)
    {
        return;
    }
    // A child that someone else still holds must not point back at us.
    child->setParentNode(nullptr);
    m_children.deleteElement(child);
    m_children.reorder(true);
}

void CXMLNode::deleteChildNode(const Basics::CString& name)
{
    deleteChildNode(getChildNodeWithName(name));
}

void CXMLNode::deleteAllChildNodes()
{
    for (long i = 0; i < getNumberOfChildNodes(); i++)
    {
        if (CXMLNode* child = getChildNode(i))
        {
            child->setParentNode(nullptr);
        }
    }
    m_children.freePointers();
}

} // namespace Vantor::IO

VANTOR_DEFINE_CLASS(Vantor::IO::CXMLNode, "CXMLNode", "CCountedObject")
