#pragma once
// The policy that a pointer holder consults when a pointer enters it and when
// it lets the pointer go. The policy alone decides ownership: a holder never
// deletes an element itself.
#include "framework/basics/Class.hpp"
#include "framework/basics/CountedObject.hpp"

namespace Vantor::Collections
{

template <typename TypeName> class TPointerDeleter : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_TEMPLATE_CLASS(TPointerDeleter, "TPointerDeleter<TypeName>", typeid(TypeName),
                                  "CCountedObject");

    // Called after a pointer has entered a holder.
    virtual void pointerAdded(TypeName* pointer) = 0;

    // Called when a holder lets a pointer go.
    virtual void deletePointer(TypeName* pointer) = 0;
};

} // namespace Vantor::Collections
