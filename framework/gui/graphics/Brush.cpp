#include "framework/gui/graphics/Brush.hpp"

namespace Vantor::GUI::Graphics
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Graphics::CBrush, "CBrush", "CCountedObject")

CBrush::CBrush() : m_colour(255, 255, 255, 255) {}

} // namespace Vantor::GUI::Graphics
