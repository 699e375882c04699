#include "framework/gui/controls/LevelMeter.hpp"

#include <algorithm>
#include <cmath>

#include "framework/gui/graphics/Graphics.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CLevelMeter, "CLevelMeter", "CControl")

CLevelMeter::CLevelMeter(IControlRoot* root, const long uniqueId, const MathTools::CRect& area,
                         const long stepCount)
    : CControl(root, uniqueId, area), m_stepCount(stepCount)
{
    layOutSegments();
    setColours(Graphics::CAlphaColour(85, 86, 200, 255), Graphics::CAlphaColour(255, 255, 255, 255));
}

void CLevelMeter::setValue(double value)
{
    m_value = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    m_litSegments = m_stepCount > 0 ? static_cast<long>(std::ceil(m_stepCount * m_value)) : 0;
}

void CLevelMeter::setArea(const MathTools::CRect& area)
{
    CControl::setArea(area);
    layOutSegments();
}

void CLevelMeter::setStepCount(long stepCount)
{
    m_stepCount = stepCount;
    layOutSegments();
    setColours(m_baseColour, m_maxColour);
}

void CLevelMeter::layOutSegments()
{
    const long width = m_size.getWidth();
    const long height = m_size.getHeight();
    m_vertical = width < height;
    // Without segments there is nothing to lay out (and nothing to divide by).
    if (m_stepCount <= 0)
    {
        m_segmentSize.setDimension(0, 0);
        return;
    }
    const long gaps = 2 * m_stepCount + 6;
    if (m_vertical)
    {
        m_segmentSize.setDimension(width - 4, (height - gaps) / m_stepCount);
    }
    else
    {
        m_segmentSize.setDimension((width - gaps) / m_stepCount, height - 4);
    }
}

void CLevelMeter::setColours(const Graphics::CAlphaColour& baseColour,
                             const Graphics::CAlphaColour& maxColour)
{
    m_baseColour = baseColour;
    m_maxColour = maxColour;
    const long steps = std::max(m_stepCount, 1L);
    // Signed steps, truncated toward zero: the last segment stops one step short of the max colour.
    m_redStep = (maxColour.getRed() - baseColour.getRed()) / steps;
    m_greenStep = (maxColour.getGreen() - baseColour.getGreen()) / steps;
    m_blueStep = (maxColour.getBlue() - baseColour.getBlue()) / steps;
}

MathTools::CRect CLevelMeter::getSegmentArea(long index) const
{
    if (m_direction == kDownward)
    {
        // The same places, counted from the other end.
        index = m_stepCount - 1 - index;
    }
    const long width = m_segmentSize.getWidth();
    const long height = m_segmentSize.getHeight();
    if (m_vertical)
    {
        return MathTools::CRect(kSegmentGap,
                                m_size.getHeight() - height - kSegmentGap - index * (height + kSegmentGap),
                                width, height);
    }
    return MathTools::CRect(kSegmentGap + index * (width + kSegmentGap), kSegmentGap, width, height);
}

Graphics::CAlphaColour CLevelMeter::getSegmentColour(long index) const
{
    if (index == 0)
    {
        return m_baseColour;
    }
    return Graphics::CAlphaColour(m_baseColour.getRed() + index * m_redStep,
                                  m_baseColour.getGreen() + index * m_greenStep,
                                  m_baseColour.getBlue() + index * m_blueStep, 255);
}

void CLevelMeter::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    drawPrimaryImage(graphics, m_defaultDrawing);
    const MathTools::CDimension corner(2, 2);
    for (long i = 0; i < m_litSegments; i++)
    {
        const Graphics::CAlphaColour colour = getSegmentColour(i);
        const MathTools::CRect segment = getSegmentArea(i);
        graphics.getPen().setColour(colour);
        graphics.getBrush().setColour(colour);
        graphics.fillRoundedRectangle(segment, corner);
        graphics.drawRoundedRectangle(segment, corner);
    }
}

// ---- properties ----

void CLevelMeter::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Step Count", CControlDescriptor::kLongProperty));
    list.addElement(new CControlDescriptor("Base Colour", CControlDescriptor::kColourProperty));
    list.addElement(new CControlDescriptor("Max Colour", CControlDescriptor::kColourProperty));
}

void CLevelMeter::getProperty(CControlDescriptor& descriptor) const
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Step Count")
    {
        descriptor.setValue(m_stepCount);
    }
    else if (name == "Base Colour")
    {
        descriptor.setValue(Graphics::CAlphaColour::toString(m_baseColour));
    }
    else if (name == "Max Colour")
    {
        descriptor.setValue(Graphics::CAlphaColour::toString(m_maxColour));
    }
    else
    {
        CControl::getProperty(descriptor);
    }
}

void CLevelMeter::setProperty(const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Step Count")
    {
        setStepCount(descriptor.getValueAsLong());
    }
    else if (name == "Base Colour")
    {
        setColours(Graphics::CAlphaColour::fromString(descriptor.getValue()), m_maxColour);
    }
    else if (name == "Max Colour")
    {
        setColours(m_baseColour, Graphics::CAlphaColour::fromString(descriptor.getValue()));
    }
    else
    {
        CControl::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
