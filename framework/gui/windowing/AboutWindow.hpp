#pragma once
// A borderless, always-on-top, semi-transparent picture window centred on the
// primary monitor, which hides itself when clicked (at the release, so that the whole
// click is its own and nothing beneath gets the release). It never takes the focus and
// belongs to no parent window. Its native window is made the first time it is
// shown, so that building one opens no display connection; after that it is
// only hidden and shown again, at the same place, until the object dies.

#include "framework/basics/String.hpp"
#include "framework/basics/SystemString.hpp"
#include "framework/gui/controls/ControlRoot.hpp"
#include "framework/gui/windowing/Window.hpp"

namespace Vantor::GUI::Windowing
{

class CAboutWindow : public CWindow
{
public:
    VANTOR_DECLARE_CLASS(CAboutWindow);

    // The window's control root: no controls; a left click anywhere hides the window at
    // its release. Hiding at the press let go of the pointer with the window, so the
    // release fell through to what lay beneath (an info button would show it again).
    class CAboutRoot : public Controls::CControlRoot
    {
    public:
        VANTOR_DECLARE_CLASS(CAboutRoot);

        explicit CAboutRoot(IWindow* parent);
        void handleLeftButtonDown(Events::CMouseEvent& event) override;
        // A click soon after another comes as a double click: a press all the same.
        void handleDoubleClick(Events::CMouseEvent& event) override;
        void handleLeftButtonUp(Events::CMouseEvent& event) override;
        void handleMouseCaptureLost() override;

    private:
        bool m_pressed = false;
    };

    // The picture from a file in a folder (the extension chooses the loader; decoded
    // once per process through the image cache), shown with the given opacity (0..1). A picture that cannot
    // be loaded leaves the window without one and says so in one line on stderr.
    CAboutWindow(const Basics::CSystemString& folder, const Basics::CString& fileName, const double alpha);
    // The picture registered in the image manager as "AboutWindow".
    explicit CAboutWindow(const double alpha);
    // A picture its owner loaded (and reported, if it could not): null or an unloaded
    // picture leaves the window without one, silently.
    CAboutWindow(Graphics::IImage* picture, const double alpha);
    ~CAboutWindow() override;
    CAboutWindow(const CAboutWindow&) = delete;
    CAboutWindow& operator=(const CAboutWindow&) = delete;

    // Creates nothing now. Without a picture, these attributes make the window
    // (a plain framed window of the constructor's area) when it is first shown.
    void intialiseWindow(CWindowAttributes* attributes, const bool showWindow) override;
    // Shows the window, making its native window first when there is none yet.
    void openWindow() override;

    // Shows another picture (the about picture drawn for another scale; null is ignored). An
    // open window takes the picture's size and stays centred.
    void setPicture(Graphics::IImage* image);

    bool hasPicture() const { return m_hasPicture; }
    // Where a picture of that size goes: centred on the primary monitor, halves truncated.
    static MathTools::CRect centredArea(const Platform::SPixelRect& monitor,
                                        const MathTools::CDimension& picture);

private:
    void takePicture(Graphics::IImage* image, const Basics::CString& source, const char* missing,
                     double alpha);
    void makeNativeWindow();
    // Centres the window on the primary monitor at the picture's size and the window's scale.
    void placeOnScreen();

    bool m_hasPicture = false;
    CWindowAttributes* m_fallbackAttributes = nullptr;
};

} // namespace Vantor::GUI::Windowing
