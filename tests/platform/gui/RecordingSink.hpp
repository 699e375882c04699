#pragma once
// A window's event sink for the native window tests of every system: records
// every message, paints the whole update area in one colour and takes dropped
// files. Beside it, the event pump and the unpacking those tests share.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iterator>
#include <vector>

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/WindowBackend.hpp"

namespace Vantor::Testing
{

class CRecordingSink : public Platform::IWindowEventSink
{
public:
    intptr_t handleNativeMessage(const Platform::SNativeMessage& message) override
    {
        namespace Message = Platform::Message;
        messages.push_back(message);
        if (message.message == Message::Paint)
        {
            const Platform::SPixelRect area = backend->beginPaint();
            const Platform::SPixelSize size = backend->getClientSize();
            auto buffer = Platform::createDrawingSurface(size.width, size.height, paintColour);
            backend->present(*buffer, area);
            backend->endPaint();
            paintAreas.push_back(area);
            return 0;
        }
        if (message.message == Message::DropFiles)
        {
            dropped = backend->getDroppedFiles(message.wParam, drop);
            backend->finishDrop(message.wParam);
            return 0;
        }
        return backend->defaultProcessing(message);
    }
    void timerFired(long id) override { timers.push_back(id); }

    std::vector<Platform::SNativeMessage> all(int message) const
    {
        std::vector<Platform::SNativeMessage> found;
        std::copy_if(messages.begin(), messages.end(), std::back_inserter(found),
                     [message](const Platform::SNativeMessage& m) { return m.message == message; });
        return found;
    }
    int count(int message) const { return static_cast<int>(all(message).size()); }
    const Platform::SNativeMessage* last(int message) const
    {
        const auto it =
            std::find_if(messages.rbegin(), messages.rend(),
                         [message](const Platform::SNativeMessage& m) { return m.message == message; });
        return it == messages.rend() ? nullptr : &*it;
    }

    Platform::IWindowBackend* backend = nullptr;
    uint32_t paintColour = Platform::makeColour(30, 160, 90);
    std::vector<Platform::SNativeMessage> messages;
    std::vector<Platform::SPixelRect> paintAreas;
    std::vector<long> timers;
    bool dropped = false;
    Platform::SDroppedFiles drop;
};

// The signed halves of a message parameter.
inline int lowWord(intptr_t value)
{
    return static_cast<int16_t>(value & 0xFFFF);
}
inline int highWord(intptr_t value)
{
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}
inline std::pair<int, int> words(intptr_t value)
{
    return {lowWord(value), highWord(value)};
}
inline std::vector<int> rectOf(const Platform::SPixelRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// Pumps the framework's events until a condition holds; never longer than the limit.
inline bool pumpUntil(const std::function<bool()>& condition, int milliseconds = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            return false;
        }
        Platform::getWindowSystem().processEvents(10);
    }
    return true;
}
inline void pumpFor(int milliseconds)
{
    pumpUntil([] { return false; }, milliseconds);
}

} // namespace Vantor::Testing
