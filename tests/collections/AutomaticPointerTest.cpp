#include <gtest/gtest.h>

#include "framework/collections/AutomaticPointer.hpp"
#include "framework/collections/ObjectDeleter.hpp"
#include "framework/collections/ObjectNuller.hpp"
#include "framework/collections/TreeNode.hpp"
#include "tests/collections/Probe.hpp"

using namespace Vantor::Collections;
using Vantor::Testing::CProbe;

TEST(AutomaticPointer, DefaultDeleterReferencesReleasesAndForgets)
{
    int destroyed = 0;
    auto* first = new CProbe(&destroyed);
    auto* second = new CProbe(&destroyed);
    second->referenced();
    {
        TAutomaticPointer<CProbe> holder;
        holder.setPointer(first);
        holder.setPointer(first);
        EXPECT_EQ(first->getReferenceCount(), 1) << "the same pointer again changes nothing";
        holder.setPointer(second);
        EXPECT_EQ(destroyed, 1) << "replacing releases the old pointer";
        EXPECT_EQ(second->getReferenceCount(), 2);
        holder.setPointer(nullptr);
        EXPECT_EQ(second->getReferenceCount(), 1);
        holder.setPointer(second);
        EXPECT_EQ(holder.forgetPointer(), second);
    }
    EXPECT_EQ(second->getReferenceCount(), 2) << "a forgotten pointer is handed over unreleased";
    second->dereference();
    second->dereference();
    EXPECT_EQ(destroyed, 2);
}

TEST(AutomaticPointer, OwnershipFollowsTheGivenDeleter)
{
    int destroyed = 0;
    {
        TAutomaticPointer<CProbe> owning(TObjectDeleter<CProbe>::getDefaultDeleter());
        auto* probe = new CProbe(&destroyed);
        probe->referenced();
        probe->referenced();
        owning.setPointer(probe);
        EXPECT_EQ(probe->getReferenceCount(), 2) << "an object deleter takes no reference";
    }
    EXPECT_EQ(destroyed, 1) << "and deletes regardless of the count";

    {
        TAutomaticPointer<CProbe> withoutDeleter(nullptr);
        withoutDeleter.setPointer(new CProbe(&destroyed));
    }
    EXPECT_EQ(destroyed, 2) << "no deleter means delete";

    CProbe borrowed(&destroyed);
    {
        TAutomaticPointer<CProbe> nulling(TObjectNuller<CProbe>::getDefaultDeleter());
        nulling.setPointer(&borrowed);
    }
    EXPECT_EQ(destroyed, 2) << "a nuller only forgets";
}

TEST(TreeNode, ParentAndChildrenReferenceEachOther)
{
    int destroyed = 0;
    auto* root = new TTreeNode<CProbe>();
    root->referenced();
    auto* child = new TTreeNode<CProbe>();
    root->addChildNode(child);
    child->addChildNode(new TTreeNode<CProbe>());
    child->setItem(new CProbe(&destroyed));
    root->addChildNode(nullptr);

    EXPECT_EQ(root->getNumberOfChildNodes(), 1);
    EXPECT_EQ(child->getParentNode(), root);
    EXPECT_EQ(root->getReferenceCount(), 2) << "the test and the child";
    EXPECT_EQ(child->getReferenceCount(), 2) << "the root and the grandchild";

    root->deleteAllChildNodes();
    EXPECT_EQ(destroyed, 1) << "the subtree died with its item";
    EXPECT_EQ(root->getReferenceCount(), 1);
    root->dereference();

    auto* owner = new TTreeNode<CProbe>(TObjectDeleter<CProbe>::getDefaultDeleter());
    owner->setItem(new CProbe(&destroyed));
    for (int i = 0; i < 3; i++)
    {
        auto* leaf = new TTreeNode<CProbe>();
        leaf->setItem(new CProbe(&destroyed));
        owner->addChildNode(leaf);
    }
    delete owner; // the children's references back must not delete it twice
    EXPECT_EQ(destroyed, 5);
}
