#pragma once
// A growable array of pointers. The array grows by a fixed step of 32 slots;
// a deleter decides what happens to a pointer when it enters the array and
// when the array lets it go. Slots that hold no element are null, and every
// slot at or beyond the insert index is null.
#include <cstdint>

#include "framework/collections/PointerDeleter.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TPointerCollection : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TPointerCollection, "TPointerCollection<TypeName>", typeid(TypeName),
                                  "CCountedObject");

    // The number of slots the array grows by.
    static constexpr std::int32_t kGrowthStep = 32;

    // A null deleter makes the collection forget pointers without touching them.
    explicit TPointerCollection(TPointerDeleter<TypeName>* deleter = nullptr) : m_deleter(deleter) {}

    ~TPointerCollection() override { freePointers(); }

    TPointerCollection(const TPointerCollection&) = delete;
    TPointerCollection& operator=(const TPointerCollection&) = delete;

    // Stores the pointer in the next free slot, growing the array when it is
    // full, and then tells the deleter. A null pointer is stored like any
    // other; callers check for null before adding.
    void addElement(TypeName* pointer)
    {
        if (m_array == nullptr)
        {
            freePointers();
            expandArray();
        }
        if (m_insertIndex >= m_arraySize)
        {
            expandArray();
        }
        m_array[m_insertIndex++] = pointer;
        if (m_deleter)
        {
            m_deleter->pointerAdded(pointer);
        }
    }

    // The content of a slot; null outside 0 … array size − 1.
    TypeName* getElementAtIndex(long index) const
    {
        if (m_array == nullptr || index < 0 || index >= m_arraySize)
        {
            return nullptr;
        }
        return m_array[index];
    }

    // The number of slots allocated (a multiple of the growth step until a
    // shrinking reorder).
    long getArraySize() const { return m_arraySize; }

    // The slot the next added element takes.
    long getInsertIndex() const { return m_insertIndex; }

    // The number of non-null slots.
    long getNumberOfElements() const
    {
        long count = 0;
        for (std::int32_t i = 0; i < m_arraySize; i++)
        {
            if (m_array[i])
            {
                count++;
            }
        }
        return count;
    }

    // The first slot holding the pointer, or −1.
    long getIndexOfElement(const TypeName* pointer) const
    {
        for (std::int32_t i = 0; i < m_arraySize; i++)
        {
            if (m_array[i] == pointer && pointer != nullptr)
            {
                return i;
            }
        }
        return -1;
    }

    // Lets the element go through the deleter and clears its slot. The array
    // is not packed; call reorder() for that. False when it is not held.
    bool deleteElement(TypeName* pointer)
    {
        const long index = getIndexOfElement(pointer);
        if (index < 0)
        {
            return false;
        }
        m_array[index] = nullptr;
        if (m_deleter)
        {
            m_deleter->deletePointer(pointer);
        }
        return true;
    }

    // Clears the element's slot without consulting the deleter, handing the
    // caller whatever the collection held (for example its reference).
    bool removeElement(TypeName* pointer)
    {
        const long index = getIndexOfElement(pointer);
        if (index < 0)
        {
            return false;
        }
        m_array[index] = nullptr;
        return true;
    }

    // Lets every element go through the deleter (when one is set) and
    // returns to the empty state without an array.
    void freePointers()
    {
        if (m_array && m_deleter)
        {
            for (std::int32_t i = 0; i < m_arraySize; i++)
            {
                // Clear the slot first: a deleter may destroy an object that
                // looks back into this collection.
                TypeName* pointer = m_array[i];
                m_array[i] = nullptr;
                if (pointer)
                {
                    m_deleter->deletePointer(pointer);
                }
            }
        }
        delete[] m_array;
        m_array = nullptr;
        m_arraySize = 0;
        m_insertIndex = 0;
    }

    // Returns to the empty state without an array and without consulting the
    // deleter: whatever the collection held (references, ownership) passes to
    // the caller, who read the elements first.
    void forgetPointers()
    {
        delete[] m_array;
        m_array = nullptr;
        m_arraySize = 0;
        m_insertIndex = 0;
    }

    // Packs the elements to the front in their order; with shrink set the
    // array is cut to exactly the number of elements.
    void reorder(bool shrink)
    {
        if (m_array == nullptr)
        {
            return;
        }
        const std::int32_t count = static_cast<std::int32_t>(getNumberOfElements());
        const std::int32_t newSize = (shrink && count != m_arraySize) ? count : m_arraySize;
        TypeName** packed = newSize > 0 ? new TypeName*[newSize]() : nullptr;
        std::int32_t next = 0;
        for (std::int32_t i = 0; i < m_arraySize; i++)
        {
            if (m_array[i])
            {
                packed[next++] = m_array[i];
            }
        }
        delete[] m_array;
        m_array = packed;
        m_arraySize = newSize;
        m_insertIndex = count;
    }

    TPointerDeleter<TypeName>* getDeleter() const { return m_deleter; }

    // Grows the array by the growth step; new slots are null.
    void expandArray()
    {
        const std::int32_t newSize = m_arraySize + m_growthStep;
        TypeName** grown = new TypeName*[newSize]();
        for (std::int32_t i = 0; i < m_arraySize; i++)
        {
            grown[i] = m_array[i];
        }
        delete[] m_array;
        m_array = grown;
        m_arraySize = newSize;
    }

private:
    TypeName** m_array = nullptr;
    TPointerDeleter<TypeName>* m_deleter;
    std::int32_t m_arraySize = 0;
    std::int32_t m_growthStep = kGrowthStep;
    std::int32_t m_insertIndex = 0;
};

} // namespace Vantor::Collections
