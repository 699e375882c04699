#pragma once
// GDI+ flat API for the Windows drawing backend: one process-wide start-up and
// small owners of the GDI+ objects the backend creates.

#include "framework/platform/BackendGuard.hpp"

#include "framework/basics/Class.hpp"

#include <windows.h>
// gdiplus.h needs the COM stream declarations first.
#include <gdiplus.h>
#include <objidl.h>

#include <string>

namespace Vantor::Platform::GdiplusSupport
{

using namespace ::Gdiplus;
using namespace ::Gdiplus::DllExports;

// Starts GDI+ once for the process; false when it is not available.
bool start();

// 8-bit text in the system's ANSI code page as UTF-16.
std::wstring toWide(const std::string& text);

// A GDI+ font made from a face name (a sans-serif face when unknown), pixel size and style.
class CGdiplusFont
{
public:
    VANTOR_DECLARE_CLASS(CGdiplusFont);

    CGdiplusFont(const std::string& faceName, int size, bool bold, bool italic);
    ~CGdiplusFont();
    CGdiplusFont(const CGdiplusFont&) = delete;
    CGdiplusFont& operator=(const CGdiplusFont&) = delete;

    GpFont* get() const { return m_font; }

private:
    GpFontFamily* m_family = nullptr;
    GpFont* m_font = nullptr;
};

} // namespace Vantor::Platform::GdiplusSupport
