#pragma once
// Receives files dropped onto a window or a control.

namespace Vantor::GUI::Events
{

class CDropEvent;

class IDropFileListener
{
public:
    virtual ~IDropFileListener() = default;

    virtual void handleFileDrop(const CDropEvent& event) = 0;
};

} // namespace Vantor::GUI::Events
