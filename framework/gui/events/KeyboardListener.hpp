#pragma once
// Receives key presses and releases; the answer says whether the key was used.

namespace Vantor::GUI::Events
{

class CKeyboardEvent;

class IKeyboardListener
{
public:
    virtual ~IKeyboardListener() = default;

    virtual bool handleKeyDown(const CKeyboardEvent& event) = 0;
    virtual bool handleKeyUp(const CKeyboardEvent& event) = 0;
};

} // namespace Vantor::GUI::Events
