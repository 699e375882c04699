#pragma once
// Where the editor's controls stand on its panel, in panel pixels (origin top
// left), and the colours it gives its labels and its meter. The editor places
// its controls from this table, the artwork generator designs the background
// around the same places, and the gallery shows the panel from it. Header only
// and free of the framework, so that the generator can read it too.

#include <array>

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

// Captions and read-outs: only the text is drawn; frame and background are set alike.
inline constexpr SColour kLabelText{205, 200, 177, 255};
inline constexpr SColour kLabelFill{55, 67, 69, 255};

} // namespace Vantor::Quellor::Layout
