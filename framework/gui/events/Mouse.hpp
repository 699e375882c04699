#pragma once
// The mouse of one window: the last pointer position and the current cursor.

#include "framework/basics/CountedObject.hpp"
#include "framework/mathtools/Point.hpp"

namespace Vantor::Platform
{
class IWindowBackend;
}

namespace Vantor::GUI::Events
{

class CCursor;

class CMouse : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CMouse);

    // At (0, 0) with the default (arrow) cursor.
    CMouse();

    const MathTools::CPoint& getPosition() const { return m_position; }
    void setPosition(const MathTools::CPoint& position) { m_position = position; }

    // Null is ignored; otherwise the cursor becomes the window's cursor.
    void setCursor(CCursor* cursor);
    // The cursor last set, the arrow before any.
    CCursor* getCursor() const;

    // The native window whose cursor this mouse sets (none while the window is closed).
    void setWindowBackend(Platform::IWindowBackend* backend) { m_backend = backend; }

private:
    MathTools::CPoint m_position;
    CCursor* m_cursor = nullptr;
    Platform::IWindowBackend* m_backend = nullptr;
};

} // namespace Vantor::GUI::Events
