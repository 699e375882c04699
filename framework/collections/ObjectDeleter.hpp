#pragma once
// Deleter for objects owned outright: the holder destroys them with delete.
#include "framework/collections/PointerDeleter.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TObjectDeleter : public TPointerDeleter<TypeName>
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TObjectDeleter, "TObjectDeleter<TypeName>", typeid(TypeName),
                                  "TPointerDeleter<TypeName>", typeid(TypeName));

    // The process-wide instance; holders keep a plain pointer to it.
    static TObjectDeleter* getDefaultDeleter()
    {
        static TObjectDeleter instance;
        return &instance;
    }

    void pointerAdded(TypeName*) override {}

    void deletePointer(TypeName* pointer) override { delete pointer; }
};

} // namespace Vantor::Collections
