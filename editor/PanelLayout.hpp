#pragma once
// Where the editor's controls stand on its panel, in panel pixels (origin top
// left), and the colours it gives its labels and its meter. The editor places
// its controls from this table, the artwork generator designs the background
// around the same places, and the gallery shows the panel from it. Header only
// and free of the framework, so that the generator can read it too.

#include <algorithm>
#include <array>
#include <string>

#include "plugin/Parameters.hpp"

namespace Vantor::Quellor::Layout
{

struct SBox
{
    int x;
    int y;
    int width;
    int height;
};

// Red, green, blue, alpha: 0 to 255 each.
struct SColour
{
    int red;
    int green;
    int blue;
    int alpha;
};

inline constexpr int kPanelWidth = 500;
inline constexpr int kPanelHeight = 158;
inline constexpr const char* kBackgroundFile = "BackgroundLite.png";

// The knobs' film strips: 129 frames of equal height stacked vertically, frame 0
// at the minimum; a knob is as wide as its strip and one frame high.
inline constexpr int kKnobFrames = 129;
inline constexpr std::array<const char*, 3> kKnobStripFiles{"knob.png", "knob2.png", "knob3.png"};
inline constexpr int kKnobTop = 65;

// One parameter's controls: its knob at (knobLeft, kKnobTop), its value read-out
// below it and its caption above it.
struct SParameterControls
{
    int knobLeft;
    int strip; // index into kKnobStripFiles
    SBox readOut;
    SBox caption;
};

// By parameter index. From left to right the panel shows Threshold, Ratio
// (compression), Attack, Release (timing), Dry/Wet and Master (output).
inline constexpr std::array<SParameterControls, Parameters::kCount> kParameterControls{{
    {405, 0, {398, 115, 96, 20}, {405, 55, 96, 20}}, // Master
    {30, 1, {30, 115, 96, 20}, {25, 55, 96, 20}},    // Threshold
    {105, 1, {105, 115, 96, 20}, {115, 55, 96, 20}}, // Ratio
    {180, 2, {175, 115, 96, 20}, {185, 55, 96, 20}}, // Attack
    {255, 2, {250, 115, 96, 20}, {255, 55, 96, 20}}, // Release
    {330, 0, {333, 115, 90, 20}, {330, 55, 90, 20}}, // Mix
}};

// The info button; the editor sizes it by its picture, which the artwork draws this
// size. Its control id is 8; knobs and read-outs carry their parameter's index.
inline constexpr SBox kInfoButton{350, 0, 44, 20};
inline constexpr long kInfoButtonId = 8;
inline constexpr const char* kInfoButtonFile = "info.png";
inline constexpr const char* kInfoButtonText = "info";
inline constexpr std::array<const char*, 2> kButtonFiles{"buttonUp.png", "buttonDown.png"};
inline constexpr const char* kSplashFile = "splash.png";

// The level meter of the output peak, lit from the bottom.
inline constexpr SBox kMeter{460, 55, 10, 75};
inline constexpr int kMeterSegments = 15;
inline constexpr SColour kMeterLowest{102, 200, 85, 255};
inline constexpr SColour kMeterHighest{243, 32, 32, 255};

// The gain-reduction meter beside it, as high and with as many segments, lit from the
// top: 0 to kGainReductionRange dB spread evenly over the segments. The background marks
// kGainReductionMarks dB between the two meters and writes "GR" under it.
inline constexpr SBox kGainReductionMeter{481, 55, 8, 75};
inline constexpr double kGainReductionRange = 24.0;
inline constexpr std::array<int, 4> kGainReductionMarks{3, 6, 12, 24};
inline constexpr SColour kGainReductionLowest{242, 166, 62, 255};
inline constexpr SColour kGainReductionHighest{236, 84, 60, 255};
// Where the meters' segments stand (as the level meter lays them out): 2 pixels high,
// 4 apart, the lowest 4 pixels above the meter's bottom edge.
inline constexpr int kSegmentPitch = 4;
inline constexpr int kSegmentHeight = 2;
inline constexpr int kSegmentStackTop = kMeter.y + kMeter.height - 4 - kSegmentPitch * (kMeterSegments - 1);
// The row between segments where a gain reduction (dB) ends on the gain-reduction meter.
inline constexpr double gainReductionMarkY(double decibels)
{
    return kSegmentStackTop + kSegmentPitch * kMeterSegments * decibels / kGainReductionRange -
           (kSegmentPitch - kSegmentHeight) / 2.0;
}

// The artwork comes in sets for the screen's scale: the 1x pictures under the names
// above, and each drawn again at 2 and 3 times the pixels as "name@2x.png" and
// "name@3x.png". A scale between two sets draws from the larger.
inline constexpr std::array<int, 3> kArtworkDensities{1, 2, 3};
inline std::string artworkFile(const std::string& name, int density)
{
    if (density <= 1)
    {
        return name;
    }
    const std::size_t dot = std::min(name.rfind('.'), name.size());
    std::string file = name.substr(0, dot);
    file += '@';
    file += static_cast<char>('0' + density);
    file += 'x';
    file.append(name, dot, std::string::npos);
    return file;
}
// The set a scale (1 to 3) draws from: the smallest density not below it.
inline constexpr int artworkDensityFor(double scale)
{
    return scale <= 1.0 ? 1 : (scale <= 2.0 ? 2 : 3);
}

// Captions and read-outs: only the text is drawn; frame and background are set alike.
inline constexpr SColour kLabelText{205, 200, 177, 255};
inline constexpr SColour kLabelFill{55, 67, 69, 255};

} // namespace Vantor::Quellor::Layout
