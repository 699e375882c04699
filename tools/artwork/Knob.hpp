#pragma once

#include "editor/PanelLayout.hpp"

#include "tools/artwork/Painting.hpp"

// The rotary knob: one drawing routine for the film strips of the editor and the about picture.
namespace Vantor::Artwork::Knob
{

// A film strip is kFrames frames of kWidth x kFrameHeight stacked vertically. Frame 0 shows the
// minimum, the last frame the maximum; the editor picks frame (kFrames - 1) x value.
inline constexpr int kWidth = 54;
inline constexpr int kFrameHeight = 48;
inline constexpr int kFrames = Quellor::Layout::kKnobFrames;

// Geometry inside one frame, in pixels. The top rows stay empty: the editor's captions are
// drawn over the upper edge of the knob's rectangle.
inline constexpr double kCentreX = 27.0;
inline constexpr double kCentreY = 27.5;
inline constexpr double kArcRadius = 17.5;
inline constexpr double kSkirtRadius = 14.0;
inline constexpr double kCapRadius = 11.0;

// The pointer sweeps 270 degrees clockwise from lower left to lower right; angles are in
// degrees clockwise from straight up.
inline constexpr double kStartAngle = -135.0;
inline constexpr double kSweep = 270.0;

// Pointer angle of a frame of the strip.
double pointerAngle(int frame);

// Draws a knob centred at (x, y), scale 1 being the size of the film strips, turned to the
// position 0..1 with the value arc in the accent colour.
void paint(cairo_t* context, double x, double y, double scale, const SColour& accent, double position);

// The whole film strip for one accent colour, with density device pixels per pixel.
CSurface renderStrip(const SColour& accent, int density = 1);

} // namespace Vantor::Artwork::Knob
