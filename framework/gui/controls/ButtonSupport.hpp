#pragma once
// What the framework's buttons share: the hand and arrow cursors and the root's
// lock of their press, release and hover, the report of a use, the plain look of
// a button without pictures (a rounded box with a centred caption), and the
// properties they have in common: the colours of that look, the down picture,
// cursor change and caption. Each button keeps its own fields; these work on them.

#include <array>
#include <span>
#include <type_traits>

#include "framework/basics/String.hpp"
#include "framework/gui/controls/Control.hpp"
#include "framework/gui/controls/ControlDescriptor.hpp"
#include "framework/gui/graphics/AlphaColour.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
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

// The colour property that suits the button: read-only colours for a const one, so that a
// button's table of its colours is written once and serves listing, reading and writing.
template <class TButton>
using TColourPropertyOf = TColourProperty<
    std::conditional_t<std::is_const_v<TButton>, const Graphics::CAlphaColour, Graphics::CAlphaColour>>;

// The table of a button with an on and an off look: fill, frame and text colour of each, named
// "On Colour", "Off Colour", "On Frame Colour", "Off Frame Colour", "On Text Colour" and
// "Off Text Colour" in that order.
template <class TColour>
std::array<TColourProperty<TColour>, 6> onOffColourProperties(TColour& on, TColour& off, TColour& onFrame,
                                                              TColour& offFrame, TColour& onText,
                                                              TColour& offText)
{
    return {{{"On Colour", &on},
             {"Off Colour", &off},
             {"On Frame Colour", &onFrame},
             {"Off Frame Colour", &offFrame},
             {"On Text Colour", &onText},
             {"Off Text Colour", &offText}}};
}

// Lists every colour as a colour property, in the table's order.
void addColourDescriptors(TDescriptorList& list,
                          std::span<const TColourProperty<const Graphics::CAlphaColour>> table);
// Puts the named colour into the descriptor; false when no colour of the table has that name.
bool getColourProperty(CControlDescriptor& descriptor,
                       std::span<const TColourProperty<const Graphics::CAlphaColour>> table);
// Sets the named colour from the descriptor; false when no colour of the table has that name.
bool setColourProperty(const CControlDescriptor& descriptor,
                       std::span<const TColourProperty<Graphics::CAlphaColour>> table);

// The properties every button has besides its colours, "Down Image", "Cursor Change" and
// "Label Text", read and written through the button's own accessors; false for any other name.
template <class TButton> bool getSharedProperty(const TButton& button, CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Down Image")
    {
        descriptor.setValue(Graphics::CImageManager::getNameOfImage(button.getDownImage()));
    }
    else if (name == "Cursor Change")
    {
        descriptor.setValue(button.hasCursorChange());
    }
    else if (name == "Label Text")
    {
        descriptor.setValue(button.getLabelText());
    }
    else
    {
        return false;
    }
    return true;
}

template <class TButton> bool setSharedProperty(TButton& button, const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Down Image")
    {
        button.setDownImage(Graphics::CImageManager::getImageWithName(descriptor.getValue()));
    }
    else if (name == "Cursor Change")
    {
        button.setCursorChange(descriptor.getValueAsBool());
    }
    else if (name == "Label Text")
    {
        button.setLabelText(descriptor.getValue());
    }
    else
    {
        return false;
    }
    return true;
}

} // namespace ButtonSupport
} // namespace Vantor::GUI::Controls
