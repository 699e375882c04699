#pragma once
// A holder of one pointer whose deleter decides ownership. By default it
// holds one reference on a counted object; with an object deleter it owns the
// object outright; with a nuller it only borrows it. Without any deleter the
// held object is destroyed with delete.
#include "framework/collections/CountedObjectDeleter.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TAutomaticPointer : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TAutomaticPointer, "TAutomaticPointer<TypeName>", typeid(TypeName),
                                  "CCountedObject");

    TAutomaticPointer() : m_deleter(TCountedObjectDeleter<TypeName>::getDefaultDeleter()) {}

    explicit TAutomaticPointer(TPointerDeleter<TypeName>* deleter) : m_deleter(deleter) {}

    ~TAutomaticPointer() override { release(); }

    TAutomaticPointer(const TAutomaticPointer&) = delete;
    TAutomaticPointer& operator=(const TAutomaticPointer&) = delete;

    // Lets the old pointer go and takes the new one; holding the same pointer
    // again changes nothing.
    void setPointer(TypeName* pointer)
    {
        if (pointer == m_pointer)
        {
            return;
        }
        release();
        m_pointer = pointer;
        if (m_deleter && m_pointer)
        {
            m_deleter->pointerAdded(m_pointer);
        }
    }

    TypeName* getPointer() const { return m_pointer; }

    // Drops the pointer without consulting the deleter (the caller takes over
    // whatever the holder owned).
    TypeName* forgetPointer()
    {
        TypeName* pointer = m_pointer;
        m_pointer = nullptr;
        return pointer;
    }

    TypeName* operator->() const { return m_pointer; }

    TypeName& operator*() const { return *m_pointer; }

    explicit operator bool() const { return m_pointer != nullptr; }

private:
    void release()
    {
        TypeName* old = forgetPointer();
        if (old == nullptr)
        {
            return;
        }
        if (m_deleter)
        {
            m_deleter->deletePointer(old);
        }
        else
        {
            delete old;
        }
    }

    TypeName* m_pointer = nullptr;
    TPointerDeleter<TypeName>* m_deleter;
};

} // namespace Vantor::Collections
