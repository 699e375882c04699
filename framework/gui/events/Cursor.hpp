#pragma once
// A mouse cursor shape owned by the framework. Eight shared cursors exist, one
// per cursor number; any other number gives the arrow.

#include <cstdint>

#include "framework/basics/CountedObject.hpp"

namespace Vantor::GUI::Events
{

class CCursor : public Basics::CCountedObject
{
public:
    VANTOR_DECLARE_CLASS(CCursor);

    enum ECursorType : long
    {
        kArrowCursor = 0,
        kHandCursor = 1,
        kWaitCursor = 2,
        kUpDownCursor = 3,
        kLeftRightCursor = 4,
        kTextCursor = 5,
        kDiagonalCursor = 6,
        kMoveCursor = 7,
    };
    static constexpr long kNumberOfCursors = 8;

    // Makes the system cursor with that number (the arrow for unknown numbers).
    explicit CCursor(long cursorNumber);
    ~CCursor() override;
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;

    long getCursorNumber() const { return m_cursorNumber; }
    // The platform's cursor handle; 0 when the platform could not make one.
    uintptr_t getNativeCursor() const { return m_nativeCursor; }

    // The shared cursor of a number (made on first use, kept for the process).
    static CCursor* getCursor(long cursorNumber);
    static CCursor* getDefaultCursor() { return getCursor(kArrowCursor); }
    // Releases the shared cursors (at GUI shut-down).
    static void releaseSharedCursors();

    // The number actually used for a requested one.
    static long normaliseCursorNumber(long cursorNumber);

private:
    long m_cursorNumber;
    uintptr_t m_nativeCursor;
};

} // namespace Vantor::GUI::Events
