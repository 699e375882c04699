#include "framework/platform/win32/GdiplusSupport.hpp"

namespace Vantor::Platform::GdiplusSupport
{

VANTOR_DEFINE_CLASS(Vantor::Platform::GdiplusSupport::CGdiplusFont, "CGdiplusFont", "")

bool start()
{
    // Started once and kept for the life of the process: shutting GDI+ down while the
    // library unloads is not allowed from the loader's lock.
    static const bool started = []
    {
        ULONG_PTR token = 0;
        GdiplusStartupInput input;
        input.GdiplusVersion = 1;
        return GdiplusStartup(&token, &input, nullptr) == Ok;
    }();
    return started;
}

std::wstring toWide(const std::string& text)
{
    if (text.empty())
    {
        return {};
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

CGdiplusFont::CGdiplusFont(const std::string& faceName, int size, bool bold, bool italic)
{
    if (!start())
    {
        return;
    }
    const std::wstring face = toWide(faceName);
    if (GdipCreateFontFamilyFromName(face.c_str(), nullptr, &m_family) != Ok)
    {
        m_family = nullptr;
        GpFontFamily* generic = nullptr;
        if (GdipGetGenericFontFamilySansSerif(&generic) == Ok)
        {
            GdipCloneFontFamily(generic, &m_family);
        }
    }
    if (m_family == nullptr)
    {
        return;
    }
    const INT style = (bold ? FontStyleBold : 0) | (italic ? FontStyleItalic : 0);
    // The size is the character (em) height in pixels.
    if (GdipCreateFont(m_family, static_cast<REAL>(size > 0 ? size : 1), style, UnitPixel, &m_font) != Ok)
    {
        m_font = nullptr;
    }
}

CGdiplusFont::~CGdiplusFont()
{
    if (m_font != nullptr)
    {
        GdipDeleteFont(m_font);
    }
    if (m_family != nullptr)
    {
        GdipDeleteFontFamily(m_family);
    }
}

} // namespace Vantor::Platform::GdiplusSupport
