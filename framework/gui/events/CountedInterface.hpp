#pragma once
// The reference counting part of the GUI's interfaces (IImage, IControl, IWindow, ...).
//
// An implementation also derives from CCountedObject, which already implements
// these operations; VANTOR_FORWARD_COUNTING lets one set of overrides serve both
// bases, so counted pointers to the interface and to the class share one count.

#include <cstdint>

namespace Vantor::GUI
{

class ICountedInterface
{
public:
    virtual ~ICountedInterface() = default;

    virtual void referenced() = 0;
    virtual void dereference() = 0;
    virtual std::int32_t getReferenceCount() const = 0;
};

} // namespace Vantor::GUI

// In the public part of a class deriving from CCountedObject and an ICountedInterface.
#define VANTOR_FORWARD_COUNTING                                                                              \
    void referenced() override                                                                               \
    {                                                                                                        \
        ::Vantor::Basics::CCountedObject::referenced();                                                      \
    }                                                                                                        \
    void dereference() override                                                                              \
    {                                                                                                        \
        ::Vantor::Basics::CCountedObject::dereference();                                                     \
    }                                                                                                        \
    std::int32_t getReferenceCount() const override                                                          \
    {                                                                                                        \
        return ::Vantor::Basics::CCountedObject::getReferenceCount();                                        \
    }
