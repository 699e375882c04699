#include "framework/gui/windowing/GuiLifetime.hpp"

#include "framework/gui/events/Cursor.hpp"
#include "framework/gui/fonts/Font.hpp"
#include "framework/gui/graphics/ImageManager.hpp"

namespace Vantor::GUI
{

void startGuiFramework()
{
    Fonts::CFont::getDefaultFont();
}

void shutdownGuiFramework()
{
    Graphics::CImageManager::clearImageManager();
    Events::CCursor::releaseSharedCursors();
    Fonts::CFont::releaseDefaultFont();
}

} // namespace Vantor::GUI
