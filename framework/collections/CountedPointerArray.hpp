#pragma once
// A pointer collection that holds one reference on each of its elements.
#include "framework/collections/CountedObjectDeleter.hpp"
#include "framework/collections/PointerCollection.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TCountedPointerArray : public TPointerCollection<TypeName>
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TCountedPointerArray, "TCountedPointerArray<TypeName>", typeid(TypeName),
                                  "TPointerCollection<TypeName>", typeid(TypeName));

    TCountedPointerArray()
        : TPointerCollection<TypeName>(TCountedObjectDeleter<TypeName>::getDefaultDeleter())
    {
    }
};

} // namespace Vantor::Collections
