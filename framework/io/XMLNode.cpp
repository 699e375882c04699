#include "framework/io/XMLNode.hpp"

#include <new>

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
    // Releasing the children one level at a time would recurse once per level, so a
    // deep tree (a file of thousands of unclosed elements) could overflow the stack.
    // Instead every node that dies with this one hands its children to a work list
    // before it goes; a child someone else still holds keeps its own subtree.
    std::vector<CXMLNode*> orphans;
    if (!takeChildrenInto(orphans))
    {
        deleteAllChildNodes();
        return;
    }
    while (!orphans.empty())
    {
        CXMLNode* node = orphans.back();
        orphans.pop_back();
        if (node->getReferenceCount() == 1)
        {
            node->takeChildrenInto(orphans); // on failure the node releases its children itself
        }
        node->dereference();
    }
}

bool CXMLNode::takeChildrenInto(std::vector<CXMLNode*>& list)
{
    const long count = getNumberOfChildNodes();
    try
    {
        list.reserve(list.size() + static_cast<std::size_t>(count));
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    for (long i = 0; i < count; i++)
    {
        if (CXMLNode* child = getChildNode(i))
        {
            child->setParentNode(nullptr);
            list.push_back(child); // the reference this node held passes to the list
        }
    }
    m_children.forgetPointers();
    return true;
}

bool CXMLNode::isInSubtreeOf(const CXMLNode& top) const
{
    std::vector<const CXMLNode*> pending{&top};
    while (!pending.empty())
    {
        const CXMLNode* node = pending.back();
        pending.pop_back();
        if (node == this)
        {
            return true;
        }
        for (long i = 0; i < node->getNumberOfChildNodes(); i++)
        {
            if (const CXMLNode* child = node->getChildNode(i))
            {
                pending.push_back(child);
            }
        }
    }
    return false;
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
    // A node added under itself or one of its descendants would make the tree a
    // cycle that every walk (writing, releasing) follows for ever.
    if (child == nullptr || isInSubtreeOf(*child))
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
