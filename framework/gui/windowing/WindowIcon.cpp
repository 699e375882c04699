#include "framework/gui/windowing/WindowIcon.hpp"

namespace Vantor::GUI::Windowing
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Windowing::CWindowIcon, "CWindowIcon", "CCountedObject")

} // namespace Vantor::GUI::Windowing
