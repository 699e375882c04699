#include "framework/gui/windowing/GuiLifetime.hpp"

#include "framework/gui/events/Cursor.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI
{

void startGuiFramework()
{
    Platform::keepDrawingLibrariesLoaded();
    Fonts::CFont::getDefaultFont();
}

void shutdownGuiFramework()
{
    Graphics::CImageManager::clearImageManager();
    Graphics::CImageCache::clear();
    Events::CCursor::releaseSharedCursors();
    Fonts::CFont::releaseDefaultFont();
    // Last: the cursors above were the display's, and nothing may use it after this.
    Platform::getWindowSystem().shutdown();
}

} // namespace Vantor::GUI
