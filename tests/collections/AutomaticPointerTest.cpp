#include <gtest/gtest.h>

#include "framework/collections/AutomaticPointer.hpp"
#include "framework/collections/ObjectDeleter.hpp"
#include "framework/collections/ObjectNuller.hpp"
#include "framework/collections/TreeNode.hpp"
#include "tests/collections/Probe.hpp"

using namespace Vantor::Collections;
using Vantor::Testing::CProbe;

TEST(AutomaticPointer, DefaultDeleterReferencesAndReleases)
{
    int destroyed = 0;
    auto* probe = new CProbe(&destroyed);
    {
        TAutomaticPointer<CProbe> holder;
        EXPECT_EQ(holder.getPointer(), nullptr);
        holder.setPointer(probe);
        EXPECT_EQ(probe->getReferenceCount(), 1);
        holder.setPointer(probe);
        EXPECT_EQ(probe->getReferenceCount(), 1) << "the same pointer again changes nothing";
        EXPECT_EQ(holder.getPointer(), probe);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(AutomaticPointer, ReplacingReleasesTheOldPointer)
{
    int destroyed = 0;
    auto* first = new CProbe(&destroyed);
    auto* second = new CProbe(&destroyed);
    second->referenced();
    TAutomaticPointer<CProbe> holder;
    holder.setPointer(first);
    holder.setPointer(second);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(second->getReferenceCount(), 2);
    holder.setPointer(nullptr);
    EXPECT_EQ(holder.getPointer(), nullptr);
    EXPECT_EQ(second->getReferenceCount(), 1);
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

TEST(AutomaticPointer, ForgetPointerHandsOverWithoutReleasing)
{
    int destroyed = 0;
    auto* probe = new CProbe(&destroyed);
    {
        TAutomaticPointer<CProbe> holder;
        holder.setPointer(probe);
        EXPECT_EQ(holder.forgetPointer(), probe);
    }
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(probe->getReferenceCount(), 1);
    probe->dereference();
    EXPECT_EQ(destroyed, 1);
}

TEST(TreeNode, ParentAndChildrenReferenceEachOther)
{
    int destroyed = 0;
    auto* root = new TTreeNode<CProbe>();
    root->referenced();
    auto* child = new TTreeNode<CProbe>();
    auto* grandChild = new TTreeNode<CProbe>();
    root->addChildNode(child);
    child->addChildNode(grandChild);
    child->setItem(new CProbe(&destroyed));
    root->addChildNode(nullptr);

    EXPECT_EQ(root->getNumberOfChildNodes(), 1);
    EXPECT_EQ(root->getChildNode(0), child);
    EXPECT_EQ(child->getParentNode(), root);
    EXPECT_EQ(root->getReferenceCount(), 2) << "the test and the child";
    EXPECT_EQ(child->getReferenceCount(), 2) << "the root and the grandchild";
    EXPECT_EQ(child->getItem()->getReferenceCount(), 1);

    root->deleteAllChildNodes();
    EXPECT_EQ(destroyed, 1) << "the subtree died with its item";
    EXPECT_EQ(root->getNumberOfChildNodes(), 0);
    EXPECT_EQ(root->getReferenceCount(), 1);
    root->dereference();
}

TEST(TreeNode, DeletingANodeWithChildrenIsSafe)
{
    int destroyed = 0;
    auto* root = new TTreeNode<CProbe>(TObjectDeleter<CProbe>::getDefaultDeleter());
    root->setItem(new CProbe(&destroyed));
    for (int i = 0; i < 3; i++)
    {
        auto* child = new TTreeNode<CProbe>();
        child->setItem(new CProbe(&destroyed));
        root->addChildNode(child);
    }
    delete root; // the children's references back must not delete it twice
    EXPECT_EQ(destroyed, 4);
}
