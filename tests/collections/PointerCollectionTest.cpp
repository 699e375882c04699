#include <gtest/gtest.h>

#include <vector>

#include "framework/collections/CountedPointerArray.hpp"
#include "framework/collections/ObjectDeleter.hpp"
#include "framework/collections/ObjectNuller.hpp"
#include "framework/collections/PointerCollection.hpp"
#include "tests/collections/Probe.hpp"

VANTOR_DEFINE_CLASS(Vantor::Testing::CProbe, "CProbe", "CCountedObject")

using namespace Vantor::Collections;
using Vantor::Testing::CProbe;

namespace
{

// Records the calls a holder makes, in order: {true, p} for an add, {false, p} for a release.
class CRecordingDeleter : public TPointerDeleter<CProbe>
{
public:
    void pointerAdded(CProbe* pointer) override { events.push_back({true, pointer}); }
    void deletePointer(CProbe* pointer) override { events.push_back({false, pointer}); }

    std::vector<std::pair<bool, CProbe*>> events;
};

} // namespace

TEST(PointerCollection, GrowsInFixedStepsOf32)
{
    TPointerCollection<CProbe> collection(nullptr);
    EXPECT_EQ(collection.getArraySize(), 0);
    EXPECT_EQ(collection.getElementAtIndex(0), nullptr) << "no array yet";

    CProbe probe;
    collection.addElement(&probe);
    EXPECT_EQ(collection.getArraySize(), 32);
    EXPECT_EQ(collection.getElementAtIndex(-1), nullptr);
    EXPECT_EQ(collection.getElementAtIndex(32), nullptr);
    EXPECT_EQ(collection.getElementAtIndex(1), nullptr) << "unused slots are null";

    for (int i = 1; i < 33; i++)
    {
        collection.addElement(&probe);
    }
    EXPECT_EQ(collection.getArraySize(), 64);
    EXPECT_EQ(collection.getInsertIndex(), 33);
    for (int i = 33; i < 65; i++)
    {
        collection.addElement(&probe);
    }
    EXPECT_EQ(collection.getArraySize(), 96) << "growth is linear, never doubling";
    EXPECT_EQ(collection.getNumberOfElements(), 65);
}

TEST(PointerCollection, ReorderPacksAndOptionallyShrinks)
{
    CProbe a, b;
    TPointerCollection<CProbe> collection(nullptr);
    collection.reorder(true); // no array: nothing happens
    EXPECT_EQ(collection.getArraySize(), 0);

    collection.addElement(&a);
    collection.addElement(nullptr);
    collection.addElement(&b);
    collection.reorder(false);
    EXPECT_EQ(collection.getArraySize(), 32);
    EXPECT_EQ(collection.getInsertIndex(), 2);
    EXPECT_EQ(collection.getElementAtIndex(1), &b);
    EXPECT_EQ(collection.getElementAtIndex(2), nullptr);

    collection.reorder(true);
    EXPECT_EQ(collection.getArraySize(), 2);
    EXPECT_EQ(collection.getElementAtIndex(0), &a);
    EXPECT_EQ(collection.getElementAtIndex(1), &b);
    EXPECT_EQ(collection.getInsertIndex(), 2);

    // An exactly full array grows again by one step.
    collection.addElement(&a);
    EXPECT_EQ(collection.getArraySize(), 34);
    EXPECT_EQ(collection.getElementAtIndex(2), &a);
}

TEST(PointerCollection, ReorderOfAnEmptiedCollectionLeavesItUsable)
{
    CRecordingDeleter deleter;
    CProbe a;
    TPointerCollection<CProbe> collection(&deleter);
    collection.addElement(&a);
    EXPECT_TRUE(collection.deleteElement(&a));
    EXPECT_FALSE(collection.deleteElement(&a)) << "no longer held";
    collection.reorder(true);
    EXPECT_EQ(collection.getArraySize(), 0);
    EXPECT_EQ(collection.getInsertIndex(), 0);

    collection.addElement(&a);
    EXPECT_EQ(collection.getArraySize(), 32);
    EXPECT_EQ(collection.getElementAtIndex(0), &a);
    collection.freePointers();
    using Events = std::vector<std::pair<bool, CProbe*>>;
    EXPECT_EQ(deleter.events, (Events{{true, &a}, {false, &a}, {true, &a}, {false, &a}}));
}

TEST(PointerCollection, DeleterSeesEveryAddAndEveryNonNullRelease)
{
    using Events = std::vector<std::pair<bool, CProbe*>>;
    CRecordingDeleter deleter;
    CProbe a, b, c;
    {
        TPointerCollection<CProbe> collection(&deleter);
        collection.addElement(&a);
        collection.addElement(nullptr); // announced like any other
        collection.addElement(&b);
        collection.addElement(&c);
        EXPECT_TRUE(collection.removeElement(&c)) << "removing forgets without the deleter";
        EXPECT_EQ(collection.getIndexOfElement(&c), -1);
        EXPECT_EQ(deleter.events, (Events{{true, &a}, {true, nullptr}, {true, &b}, {true, &c}}));
        deleter.events.clear();
    }
    // Destruction releases the non-null slots only, in slot order.
    EXPECT_EQ(deleter.events, (Events{{false, &a}, {false, &b}}));
}

TEST(PointerCollectionOwnership, DeletersDecideWhatDies)
{
    int destroyed = 0;
    {
        TPointerCollection<CProbe> collection(TObjectDeleter<CProbe>::getDefaultDeleter());
        collection.addElement(new CProbe(&destroyed));
        collection.addElement(new CProbe(&destroyed));
        collection.freePointers();
        EXPECT_EQ(destroyed, 2);
        EXPECT_EQ(collection.getArraySize(), 0);
        EXPECT_EQ(collection.getInsertIndex(), 0);
        collection.addElement(new CProbe(&destroyed));
    }
    EXPECT_EQ(destroyed, 3) << "destruction frees too";

    CProbe a(&destroyed), b(&destroyed);
    {
        TPointerCollection<CProbe> borrowed(TObjectNuller<CProbe>::getDefaultDeleter());
        TPointerCollection<CProbe> plain(nullptr);
        borrowed.addElement(&a);
        plain.addElement(&b);
    }
    EXPECT_EQ(destroyed, 3) << "a nuller and no deleter only forget";
    EXPECT_EQ(a.getReferenceCount(), 0);
}

TEST(PointerCollectionOwnership, CountedArrayHoldsOneReferencePerElement)
{
    int destroyed = 0;
    auto* shared = new CProbe(&destroyed);
    shared->referenced(); // held by the test as well
    {
        TCountedPointerArray<CProbe> array;
        array.addElement(shared);
        array.addElement(new CProbe(&destroyed));
        EXPECT_EQ(shared->getReferenceCount(), 2);
        array.freePointers();
        EXPECT_EQ(destroyed, 1) << "the element held nowhere else dies";
        EXPECT_EQ(shared->getReferenceCount(), 1);
    }
    shared->dereference();
    EXPECT_EQ(destroyed, 2);
}
