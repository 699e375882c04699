#include "framework/gui/graphics/Pen.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CPen, "CPen", "CCountedObject")

CPen::CPen() : m_colour(0, 0, 0, 255) {}

} // namespace Vantor::GUI::Graphics
