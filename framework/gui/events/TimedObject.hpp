#pragma once
// Something a window's timer calls back. The id names the timer it listens to.

namespace Vantor::GUI::Events
{

class ITimedObject
{
public:
    virtual ~ITimedObject() = default;

    virtual void timerExpired() = 0;
    virtual long getTimerId() const = 0;
};

} // namespace Vantor::GUI::Events
