#include "framework/gui/windowing/AboutWindow.hpp"

#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/DeviceScale.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "framework/gui/graphics/ImageManager.hpp"

namespace Vantor::GUI::Windowing
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Windowing::CAboutWindow, "CAboutWindow", "CWindow")
VANTOR_DEFINE_CLASS(Vantor::GUI::Windowing::CAboutWindow::CAboutRoot, "CAboutRoot", "CControlRoot")

namespace
{
const MathTools::CRect kInitialArea(0, 0, 100, 100);
constexpr std::uint32_t kPictureStyle = Platform::WindowStyle::Popup;
constexpr std::uint32_t kPictureExtendedStyle = Platform::ExtendedWindowStyle::TopMost |
                                                Platform::ExtendedWindowStyle::Layered |
                                                Platform::ExtendedWindowStyle::NoActivate;
} // namespace

CAboutWindow::CAboutRoot::CAboutRoot(IWindow* parent) : CControlRoot(parent) {}

void CAboutWindow::CAboutRoot::handleLeftButtonDown(Events::CMouseEvent&)
{
    m_pressed = true;
}

void CAboutWindow::CAboutRoot::handleDoubleClick(Events::CMouseEvent&)
{
    m_pressed = true;
}

void CAboutWindow::CAboutRoot::handleLeftButtonUp(Events::CMouseEvent&)
{
    if (!m_pressed)
    {
        return;
    }
    m_pressed = false;
    if (IWindow* window = getParentWindow())
    {
        window->closeWindow();
    }
}

void CAboutWindow::CAboutRoot::handleMouseCaptureLost()
{
    m_pressed = false;
    CControlRoot::handleMouseCaptureLost();
}

CAboutWindow::CAboutWindow(const Basics::CSystemString& folder, const Basics::CString& fileName,
                           const double alpha)
    : CWindow(kInitialArea)
{
    setControlRoot(new CAboutRoot(this));
    const Basics::CString path = Graphics::CBaseImage::joinPath(folder, fileName);
    // Shared with every other about window that shows the same file.
    Graphics::IImage* picture = Graphics::CImageCache::acquireImage(path);
    takePicture(picture, path, "no such file", alpha);
    if (picture != nullptr)
    {
        picture->dereference();
    }
}

CAboutWindow::CAboutWindow(const double alpha) : CWindow(kInitialArea)
{
    setControlRoot(new CAboutRoot(this));
    takePicture(Graphics::CImageManager::getImageWithName("AboutWindow"), "AboutWindow",
                "no image of that name in the image manager", alpha);
}

CAboutWindow::CAboutWindow(Graphics::IImage* picture, const double alpha) : CWindow(kInitialArea)
{
    setControlRoot(new CAboutRoot(this));
    if (picture != nullptr && picture->hasImageLoaded())
    {
        takePicture(picture, "", "", alpha);
    }
}

CAboutWindow::~CAboutWindow()
{
    if (m_fallbackAttributes != nullptr)
    {
        m_fallbackAttributes->dereference();
    }
}

void CAboutWindow::takePicture(Graphics::IImage* image, const Basics::CString& source, const char* missing,
                               double alpha)
{
    if (image != nullptr)
    {
        image->referenced();
    }
    if (image == nullptr || !image->hasImageLoaded())
    {
        const char* reason = image != nullptr ? image->getLastError().getString() : missing;
        Graphics::CBaseImage::reportLoadFailure(source, reason);
        if (image != nullptr)
        {
            image->dereference();
        }
        return;
    }
    getControlRoot()->setBackgroundImage(image);
    image->dereference();
    m_hasPicture = true;
    CWindowAttributes* attributes = getWindowAttributes();
    attributes->setWindowStyle(kPictureStyle, kPictureExtendedStyle);
    attributes->setAlpha(alpha);
}

void CAboutWindow::intialiseWindow(CWindowAttributes* attributes, const bool)
{
    if (m_hasPicture || attributes == nullptr)
    {
        return;
    }
    if (m_fallbackAttributes == nullptr)
    {
        m_fallbackAttributes = new CWindowAttributes();
        m_fallbackAttributes->referenced();
    }
    *m_fallbackAttributes = *attributes;
}

void CAboutWindow::openWindow()
{
    if (!isWindowOpen())
    {
        makeNativeWindow();
    }
    CWindow::openWindow();
}

void CAboutWindow::makeNativeWindow()
{
    if (!m_hasPicture)
    {
        if (m_fallbackAttributes != nullptr)
        {
            CWindow::intialiseWindow(m_fallbackAttributes, false);
        }
        return;
    }
    CWindow::intialiseWindow(getWindowAttributes(), false);
    placeOnScreen();
}

void CAboutWindow::placeOnScreen()
{
    const Graphics::IImage* picture = getControlRoot()->getBackgroundImage();
    if (picture == nullptr || !isWindowOpen())
    {
        return;
    }
    // The picture's logical size; the screen is in device pixels.
    const MathTools::CDimension& size = picture->getImageSize();
    const double scale = getWindowScale();
    const MathTools::CDimension onScreen(Graphics::DeviceScale::sizeToDevice(size.getWidth(), scale),
                                         Graphics::DeviceScale::sizeToDevice(size.getHeight(), scale));
    const MathTools::CRect area = centredArea(Platform::getWindowSystem().getPrimaryMonitorArea(), onScreen);
    setWindowArea(MathTools::CRect(area.getOrigin(), size));
}

void CAboutWindow::setPicture(Graphics::IImage* image)
{
    if (image == nullptr || !image->hasImageLoaded())
    {
        return;
    }
    const bool hadPicture = m_hasPicture;
    getControlRoot()->setBackgroundImage(image);
    m_hasPicture = true;
    if (!hadPicture)
    {
        getWindowAttributes()->setWindowStyle(kPictureStyle, kPictureExtendedStyle);
    }
    placeOnScreen();
    redrawWindow();
}

MathTools::CRect CAboutWindow::centredArea(const Platform::SPixelRect& monitor,
                                           const MathTools::CDimension& picture)
{
    const long width = picture.getWidth();
    const long height = picture.getHeight();
    return MathTools::CRect(monitor.x + monitor.width / 2 - width / 2,
                            monitor.y + monitor.height / 2 - height / 2, width, height);
}

} // namespace Vantor::GUI::Windowing
