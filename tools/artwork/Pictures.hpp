#pragma once

#include "tools/artwork/Painting.hpp"

#include <array>
#include <string>
#include <vector>

// The editor's pictures: the panel, the three knob film strips, the buttons and the about picture.
namespace Vantor::Artwork
{

struct SRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the editor places its controls on the panel; the panel is designed around them.
namespace Layout
{
inline constexpr int kPanelWidth = 500;
inline constexpr int kPanelHeight = 158;
inline constexpr int kButtonWidth = 44;
inline constexpr int kButtonHeight = 20;
inline constexpr SRect kInfoButton{350, 0, kButtonWidth, kButtonHeight};
inline constexpr SRect kMeter{460, 55, 10, 75};
inline constexpr int kMeterSegments = 15;
inline constexpr int kKnobTop = 65;
inline constexpr int kLabelFontSize = 11; // the editor's default label font

// One parameter's place: knob left edge, caption and read-out rectangles, strip index.
struct SControl
{
    const char* caption;
    int knobX;
    SRect captionArea;
    SRect readoutArea;
    int strip; // index into knobStrips()
};

// In the order they stand on the panel, left to right.
inline constexpr std::array<SControl, 6> kControls{{
    {"Threshold", 30, {25, 55, 96, 20}, {30, 115, 96, 20}, 1},
    {"Ratio", 105, {115, 55, 96, 20}, {105, 115, 96, 20}, 1},
    {"Attack", 180, {185, 55, 96, 20}, {175, 115, 96, 20}, 2},
    {"Release", 255, {255, 55, 96, 20}, {250, 115, 96, 20}, 2},
    {"Dry/Wet", 330, {330, 55, 90, 20}, {333, 115, 90, 20}, 0},
    {"Master", 405, {405, 55, 96, 20}, {398, 115, 96, 20}, 0},
}};

// The colour the editor writes captions and read-outs in.
inline constexpr int kLabelRed = 205;
inline constexpr int kLabelGreen = 200;
inline constexpr int kLabelBlue = 177;
} // namespace Layout

struct SKnobStrip
{
    const char* fileName;
    SColour accent;
};

// "knob.png" (output), "knob2.png" (compression), "knob3.png" (timing).
const std::array<SKnobStrip, 3>& knobStrips();

struct SPicture
{
    std::string fileName;
    CSurface image;
};

CSurface renderBackground();
CSurface renderButton(bool down);
CSurface renderInfoFace();
CSurface renderSplash(const std::string& version);

// All eight files of the editor's resource folder.
std::vector<SPicture> renderAll(const std::string& version);

// The panel as the editor would show it, knobs at sample positions with their captions,
// read-outs, info button and meter: one row at ordinary settings, one with the widest read-outs.
CSurface renderPreview(const std::vector<SPicture>& pictures);

} // namespace Vantor::Artwork
