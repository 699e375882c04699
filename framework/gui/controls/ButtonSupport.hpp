#pragma once
// What the framework's buttons share: the hand and arrow cursors of their hover
// tracking, the inside test on control coordinates and the plain look of a
// button without pictures (a rounded box with a centred caption).

#include "framework/basics/String.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::GUI::Graphics
{
class CGraphics;
}

namespace Vantor::GUI::Controls
{

class IControl;
class IControlRoot;

namespace ButtonSupport
{

// The default colours of a button's looks.
inline const Graphics::CAlphaColour kOnColour{102, 200, 85, 255};
inline const Graphics::CAlphaColour kOffColour{243, 32, 32, 255};
inline const Graphics::CAlphaColour kOverColour{239, 149, 41, 255};
inline const Graphics::CAlphaColour kBlackColour{0, 0, 0, 255};

// Makes the hand (true) or the arrow the cursor of the root's window.
void showHandCursor(IControlRoot* root, bool hand);
// Whether a point in control coordinates lies on the control (edges included).
bool isInside(const IControl& control, const MathTools::CPoint& point);
// A rounded box over the area (corners of a sixteenth of its width), filled and outlined.
void drawBox(Graphics::CGraphics& graphics, const MathTools::CRect& area, const Graphics::CAlphaColour& fill,
             const Graphics::CAlphaColour& frame);
// The caption centred both ways on one line, in the default font.
void drawCaption(Graphics::CGraphics& graphics, const Basics::CString& text, const MathTools::CRect& area,
                 const Graphics::CAlphaColour& colour);

} // namespace ButtonSupport
} // namespace Vantor::GUI::Controls
