#pragma once
// What the framework's buttons share: the hand and arrow cursors of their hover
// tracking, the inside test on control coordinates, the plain look of a
// button without pictures (a rounded box with a centred caption) and the
// colours of that look as properties.

#include <span>
#include <type_traits>

#include "framework/basics/String.hpp"
#include "framework/gui/controls/Control.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/mathtools/Point.hpp"
#include "framework/mathtools/Rect.hpp"

namespace Vantor::GUI::Graphics
{
class CGraphics;
}

namespace Vantor::GUI::Controls
{

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

// Cursor change of a press: the hand, and the root's lock so that the release comes back to the button.
void holdMouse(IControl& button, IControlRoot* root);
// Cursor change of a release: the cursor tells whether the pointer is still on the button, and the lock goes.
void releaseMouse(IControl& button, IControlRoot* root, const MathTools::CPoint& point);
// Cursor change of a move: on the button the hand and the lock, so that the move leaving it still
// reaches it; off it the arrow and no lock. Answers whether the pointer is on the button.
bool trackHover(IControl& button, IControlRoot* root, const MathTools::CPoint& point);
// Tells the listener, when there is one, that the button was used.
void reportAction(Events::IActionListener* listener, IControl& button);
// A rounded box over the area (corners of a sixteenth of its width), filled and outlined.
void drawBox(Graphics::CGraphics& graphics, const MathTools::CRect& area, const Graphics::CAlphaColour& fill,
             const Graphics::CAlphaColour& frame);
// The caption centred both ways on one line, in the default font.
void drawCaption(Graphics::CGraphics& graphics, const Basics::CString& text, const MathTools::CRect& area,
                 const Graphics::CAlphaColour& colour);

// The plain look: the box with the caption over it.
void drawPlainLook(Graphics::CGraphics& graphics, const Basics::CString& caption,
                   const MathTools::CRect& area, const Graphics::CAlphaColour& fill,
                   const Graphics::CAlphaColour& frame, const Graphics::CAlphaColour& text);

// A colour of a button's plain look as a property: its name and the colour it stands for,
// const where the property is only read.
template <class TColour> struct TColourProperty
{
    const char* name;
    TColour* colour;
};

// The colour property of a button that is const or not, for a button's table of its colours
// written once for reading and writing.
template <class TButton>
using TColourPropertyOf = TColourProperty<
    std::conditional_t<std::is_const_v<TButton>, const Graphics::CAlphaColour, Graphics::CAlphaColour>>;

// Lists every colour as a colour property, in the table's order.
void addColourDescriptors(TDescriptorList& list,
                          std::span<const TColourProperty<const Graphics::CAlphaColour>> table);
// Puts the named colour into the descriptor; false when no colour of the table has that name.
bool getColourProperty(CControlDescriptor& descriptor,
                       std::span<const TColourProperty<const Graphics::CAlphaColour>> table);
// Sets the named colour from the descriptor; false when no colour of the table has that name.
bool setColourProperty(const CControlDescriptor& descriptor,
                       std::span<const TColourProperty<Graphics::CAlphaColour>> table);

} // namespace ButtonSupport
} // namespace Vantor::GUI::Controls
