#pragma once
// Deleter for borrowed pointers: the holder only forgets them.
#include "framework/collections/PointerDeleter.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TObjectNuller : public TPointerDeleter<TypeName>
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TObjectNuller, "TObjectNuller<TypeName>", typeid(TypeName),
                                  "TPointerDeleter<TypeName>", typeid(TypeName));

    // The process-wide instance; holders keep a plain pointer to it.
    static TObjectNuller* getDefaultDeleter()
    {
        static TObjectNuller instance;
        return &instance;
    }

    void pointerAdded(TypeName*) override {}
    void deletePointer(TypeName*) override {}
};

} // namespace Vantor::Collections
