#pragma once
// A counted object that reports its own destruction, for ownership tests.
#include "framework/basics/CountedObject.hpp"

namespace Vantor::Testing
{

class CProbe : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CProbe);

    explicit CProbe(int* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~CProbe() override
    {
        if (m_destroyed)
        {
            ++*m_destroyed;
        }
    }

private:
    int* m_destroyed;
};

} // namespace Vantor::Testing
