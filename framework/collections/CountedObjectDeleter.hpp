#pragma once
// Deleter for counted objects: the holder keeps one reference on each
// element, taken when the element enters and given back when it leaves.
#include "framework/collections/PointerDeleter.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TCountedObjectDeleter : public TPointerDeleter<TypeName>
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TCountedObjectDeleter, "TCountedObjectDeleter<TypeName>", typeid(TypeName),
                                  "TPointerDeleter<TypeName>", typeid(TypeName));

    // The process-wide instance; holders keep a plain pointer to it.
    static TCountedObjectDeleter* getDefaultDeleter()
    {
        static TCountedObjectDeleter instance;
        return &instance;
    }

    void pointerAdded(TypeName* pointer) override
    {
        if (pointer)
        {
            pointer->referenced();
        }
    }

    void deletePointer(TypeName* pointer) override
    {
        if (pointer)
        {
            pointer->dereference();
        }
    }
};

} // namespace Vantor::Collections
