#pragma once
// A value 0..1 shown as a bar of separate segments lit from one end (by default
// the bottom when the meter is taller than wide, else the left; the top or the
// right for a meter turned down, such as a gain-reduction meter), each lit
// segment a step further along a colour ramp from the base colour towards the max
// colour. The segments stand at the same places whichever way the meter lights.
// Display only: no mouse behaviour, no notifications, no ballistics.

#include "framework/gui/controls/Control.hpp"

namespace Vantor::GUI::Controls
{

class CLevelMeter : public CControl
{
public:
    VANTOR_DECLARE_CLASS(CLevelMeter);

    // Gap in pixels between segments and around them.
    static constexpr long kSegmentGap = 2;

    // Which end lights first.
    enum EDirection : long
    {
        kUpward = 0,   // from the bottom (or the left)
        kDownward = 1, // from the top (or the right)
    };

    CLevelMeter(IControlRoot* root, const long uniqueId, const MathTools::CRect& area, const long stepCount);

    const char* getRuntimeClassName() const override { return "CLevelMeter"; }

    // Clamps to 0..1 (NaN is silence: 0) and lights ceil(steps x value) segments; no redraw
    // (the owner calls update()).
    void setValue(double value) override;
    // Also lays the segments out again.
    void setArea(const MathTools::CRect& area) override;
    // The colour of the first segment and the colour the ramp heads for.
    virtual void setColours(const Graphics::CAlphaColour& baseColour,
                            const Graphics::CAlphaColour& maxColour);

    void setDirection(EDirection direction) { m_direction = direction; }
    EDirection getDirection() const { return m_direction; }
    long getStepCount() const { return m_stepCount; }
    // Changes the number of segments; the lit count follows at the next setValue.
    void setStepCount(long stepCount);
    long getLitSegments() const { return m_litSegments; }
    bool isVertical() const { return m_vertical; }
    const MathTools::CDimension& getSegmentSize() const { return m_segmentSize; }
    // The rectangle of segment index (0 = the first lit, at the end the meter lights from) in
    // control coordinates.
    MathTools::CRect getSegmentArea(long index) const;
    // The colour of segment index: base + index x step.
    Graphics::CAlphaColour getSegmentColour(long index) const;

    void drawControl(Graphics::CGraphics& graphics) override;

    // Adds "Step Count", "Base Colour" and "Max Colour".
    void getPropertyDescriptors(TDescriptorList& list) const override;
    void setProperty(const CControlDescriptor& descriptor) override;
    void getProperty(CControlDescriptor& descriptor) const override;

private:
    void layOutSegments();

    long m_litSegments = 0;
    long m_stepCount = 10;
    bool m_vertical = false;
    EDirection m_direction = kUpward;
    MathTools::CDimension m_segmentSize;
    Graphics::CAlphaColour m_baseColour;
    Graphics::CAlphaColour m_maxColour;
    long m_redStep = 0;
    long m_greenStep = 0;
    long m_blueStep = 0;
};

} // namespace Vantor::GUI::Controls
