#pragma once
// A node of a tree of items. A parent references each of its children and
// each child references its parent; the item is held through the deleter
// given to the constructor.
#include "framework/collections/AutomaticPointer.hpp"
#include "framework/collections/CountedPointerArray.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TTreeNode : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TTreeNode, "TTreeNode<TypeName>", typeid(TypeName), "CCountedObject");

    explicit TTreeNode(
        TPointerDeleter<TypeName>* itemDeleter = TCountedObjectDeleter<TypeName>::getDefaultDeleter())
        : m_item(itemDeleter)
    {
    }

    // The members go in the order item, parent, children. The children's
    // references back to this node are dropped first: a node that is being
    // destroyed must not be dereferenced by its dying children.
    ~TTreeNode() override
    {
        for (long i = 0; i < m_children.getArraySize(); i++)
        {
            if (TTreeNode* child = m_children.getElementAtIndex(i))
            {
                child->m_parent.forgetPointer();
            }
        }
    }

    void setItem(TypeName* item) { m_item.setPointer(item); }

    TypeName* getItem() const { return m_item.getPointer(); }

    TTreeNode* getParentNode() const { return m_parent.getPointer(); }

    // Adopts the child: this node references it and it references this node.
    void addChildNode(TTreeNode* child)
    {
        if (child == nullptr)
        {
            return;
        }
        child->m_parent.setPointer(this);
        m_children.addElement(child);
    }

    long getNumberOfChildNodes() const { return m_children.getInsertIndex(); }

    TTreeNode* getChildNode(long index) const { return m_children.getElementAtIndex(index); }

    // Releases the whole subtree below this node, breaking the mutual
    // references first so that children nobody else holds die. The children
    // give their references on this node back, so the caller must hold one
    // of its own (a node nobody references would die here). Destroying a
    // node needs no such care.
    void deleteAllChildNodes()
    {
        for (long i = 0; i < m_children.getArraySize(); i++)
        {
            if (TTreeNode* child = m_children.getElementAtIndex(i))
            {
                child->deleteAllChildNodes();
                child->m_parent.setPointer(nullptr);
            }
        }
        m_children.freePointers();
    }

private:
    TCountedPointerArray<TTreeNode> m_children;
    TAutomaticPointer<TTreeNode> m_parent;
    TAutomaticPointer<TypeName> m_item;
};

} // namespace Vantor::Collections
