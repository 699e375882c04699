#include "framework/gui/events/Cursor.hpp"

#include "framework/platform/WindowBackend.hpp"

namespace Vantor::GUI::Events
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Events::CCursor, "CCursor", "CCountedObject")

namespace
{
CCursor* g_sharedCursors[CCursor::kNumberOfCursors] = {};
}

long CCursor::normaliseCursorNumber(long cursorNumber)
{
    return (cursorNumber >= 0 && cursorNumber < kNumberOfCursors) ? cursorNumber : kArrowCursor;
}

CCursor::CCursor(long cursorNumber)
    : m_cursorNumber(normaliseCursorNumber(cursorNumber)),
      m_nativeCursor(Platform::getWindowSystem().createCursor(static_cast<int>(m_cursorNumber)))
{
}

CCursor::~CCursor()
{
    if (m_nativeCursor != 0)
    {
        Platform::getWindowSystem().destroyCursor(m_nativeCursor);
    }
}

CCursor* CCursor::getCursor(long cursorNumber)
{
    const long number = normaliseCursorNumber(cursorNumber);
    if (g_sharedCursors[number] == nullptr)
    {
        g_sharedCursors[number] = new CCursor(number);
        g_sharedCursors[number]->referenced();
    }
    return g_sharedCursors[number];
}

void CCursor::releaseSharedCursors()
{
    for (CCursor*& cursor : g_sharedCursors)
    {
        if (cursor)
        {
            cursor->dereference();
            cursor = nullptr;
        }
    }
}

} // namespace Vantor::GUI::Events
