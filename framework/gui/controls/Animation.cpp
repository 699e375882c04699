#include "framework/gui/controls/Animation.hpp"

#include "framework/gui/graphics/Graphics.hpp"
#include "framework/gui/graphics/Image.hpp"

namespace Vantor::GUI::Controls
{

VANTOR_DEFINE_CLASS(Vantor::GUI::Controls::CAnimation, "CAnimation", "CControl")

CAnimation::CAnimation(IControlRoot* root, const long uniqueId, const MathTools::CRect& area)
    : CControl(root, uniqueId, area)
{
    m_value = 0.0;
    m_mouseEnabled = false;
}

void CAnimation::setAnimationImage(const Graphics::CImageManager::CAnimationReference* reference,
                                   const bool reversed)
{
    if (reference)
    {
        setAnimationImage(reference->getImage(), reference->getFrameHeight(), reference->getNumberOfFrames(),
                          reversed);
    }
}

void CAnimation::setAnimationImage(Graphics::IImage* image, const long frameHeight, const long numberOfFrames,
                                   const bool reversed)
{
    m_reversed = reversed;
    if (image == nullptr)
    {
        return;
    }
    setPrimaryImage(image);
    m_frameHeight = frameHeight;
    m_numberOfFrames = numberOfFrames;
    m_sourceArea.setRect(0, 0, image->getImageSize().getWidth(), frameHeight);
}

long CAnimation::getFrameForValue(double value) const
{
    if (value < 0.0)
    {
        return -1;
    }
    const long frames = m_numberOfFrames;
    const double position = (frames - 1) * (m_reversed ? 1.0 - value : value);
    long frame = static_cast<long>(position);
    if (frame < 0)
    {
        frame += frames;
    }
    if (frame >= frames)
    {
        frame -= frames;
    }
    // Past one strip's wrap (values of 2 and more) nothing sensible is left to show: keep the last frame.
    return (frame >= 0 && frame < frames) ? frame : -1;
}

void CAnimation::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
    {
        return;
    }
    if (!isDrawable(m_primaryImage))
    {
        drawPrimaryImage(graphics, m_defaultDrawing);
        return;
    }
    const long frame = getFrameForValue(m_value);
    if (frame >= 0)
    {
        m_sourceArea.setTop(frame * m_frameHeight);
        m_sourceArea.setHeight(m_frameHeight);
    }
    graphics.drawImage(m_primaryImage, m_normalisedArea, m_sourceArea);
}

// ---- properties ----

void CAnimation::getPropertyDescriptors(TDescriptorList& list) const
{
    CControl::getPropertyDescriptors(list);
    list.addElement(new CControlDescriptor("Invert", CControlDescriptor::kBoolProperty));
}

void CAnimation::getProperty(CControlDescriptor& descriptor) const
{
    if (descriptor.getName() == "Invert")
    {
        descriptor.setValue(m_reversed);
    }
    else
    {
        CControl::getProperty(descriptor);
    }
}

void CAnimation::setProperty(const CControlDescriptor& descriptor)
{
    const Basics::CString& name = descriptor.getName();
    if (name == "Invert")
    {
        m_reversed = descriptor.getValueAsBool();
    }
    else if (name == "Primary Image")
    {
        long frameHeight = 0;
        long frames = 0;
        Graphics::IImage* strip =
            Graphics::CImageManager::getAnimationWithName(descriptor.getValue(), frameHeight, frames);
        setAnimationImage(strip, frameHeight, frames, m_reversed);
    }
    else
    {
        CControl::setProperty(descriptor);
    }
}

} // namespace Vantor::GUI::Controls
