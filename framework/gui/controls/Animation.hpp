#pragma once
// A control drawn from a film strip: one picture per position stacked
// vertically in one image (the primary image). The value picks the frame.

#include "framework/gui/controls/Control.hpp"
#include "framework/gui/graphics/ImageManager.hpp"

namespace Vantor::GUI::Controls
{

class CAnimation : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CAnimation);

    // Value 0, not mouse enabled.
    CAnimation(IControlRoot* root, const long uniqueId, const MathTools::CRect& area);

    const char* getRuntimeClassName() const override { return "CAnimation"; }

    // The strip, its frame height and frame count from an image-manager animation; null does nothing.
    virtual void setAnimationImage(const Graphics::CImageManager::CAnimationReference* reference,
                                   const bool reversed);
    // Makes the image the strip; with a null image only the reversed flag is stored.
    virtual void setAnimationImage(Graphics::IImage* image, const long frameHeight, const long numberOfFrames,
                                   const bool reversed);

    long getFrameHeight() const { return m_frameHeight; }
    long getNumberOfFrames() const { return m_numberOfFrames; }
    bool isReversed() const { return m_reversed; }
    // The part of the strip the last paint showed (or will show when the value is negative).
    const MathTools::CRect& getSourceArea() const { return m_sourceArea; }
    // The frame a value shows: values above 1 wrap by one strip; -1 keeps the frame shown last.
    long getFrameForValue(double value) const;

    void drawControl(Graphics::CGraphics& graphics) override;

    // Adds "Invert"; "Primary Image" names an animation of the image manager.
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

protected:
    long m_frameHeight = 0;
    long m_numberOfFrames = 0;
    MathTools::CRect m_sourceArea;
    bool m_reversed = false;
};

} // namespace Vantor::GUI::Controls
