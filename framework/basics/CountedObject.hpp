#pragma once

#include <atomic>
#include <cstdint>

#include "framework/basics/Class.hpp"

namespace Vantor::Basics
{

// The interface of every reference-counted object.
class ICountedObject
{
public:
    virtual ~ICountedObject() = default;
    // One more owner.
    virtual void referenced() = 0;
    // One owner fewer; the last one destroys the object.
    virtual void dereference() = 0;
    virtual std::int32_t getReferenceCount() const = 0;
    // Writes a readable description, at most `size` bytes including the terminator.
    virtual void getObjectDescription(char* buffer, long size) const = 0;
    virtual const CClass& getClass() const = 0;
};

// The reference-counted base of nearly every class. A new object has count 0;
// whoever keeps it calls referenced(), whoever lets it go dereference(), and the
// dereference() that takes the count below 1 deletes the object, so an object
// that nobody ever referenced dies at its first dereference() too.
// Objects of this hierarchy must therefore live on the heap when they are
// dereferenced; value members and stack objects are simply never dereferenced.
// The count is atomic: shared objects (the decoded pictures of every editor) are
// referenced and released by effects that hosts create and destroy on several
// threads at once.
class CCountedObject : public ICountedObject
{
public:
    CCountedObject();
    // Copies the count (an exception copied while thrown keeps its count).
    CCountedObject(const CCountedObject& other);
    // Assignment copies values, never ownership: the count stays.
    CCountedObject& operator=(const CCountedObject&) { return *this; }
    ~CCountedObject() override;

    void referenced() override;
    void dereference() override;
    std::int32_t getReferenceCount() const override;
    void getObjectDescription(char* buffer, long size) const override;
    const CClass& getClass() const override;

    static CClass& getStaticClass();

private:
    friend void countObjectAs(CCountedObject& object, CClass& record);

    std::atomic<std::int32_t> m_referenceCount{0};
    // The record that counts this object: that of the most derived class that
    // declares one (see TClassTracker).
    CClass* m_countedAs;
};

// Copies `text` into `buffer` of `size` bytes, cutting it to fit with its terminator.
// Does nothing for a null buffer or a size below 1.
void copyTextToBuffer(const char* text, char* buffer, long size);

} // namespace Vantor::Basics
