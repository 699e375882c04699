#pragma once

#include "editor/PanelLayout.hpp"
#include "tools/artwork/Painting.hpp"

#include <array>
#include <string>
#include <vector>

// The editor's pictures: the panel, the three knob film strips, the buttons and the about picture.
namespace Vantor::Artwork
{

using SRect = Quellor::Layout::SBox;

// Where the editor places its controls on the panel (the panel is designed around
// them), and what only the pictures need besides.
namespace Layout
{
using namespace Quellor::Layout;
inline constexpr int kButtonWidth = kInfoButton.width;
inline constexpr int kButtonHeight = kInfoButton.height;
inline constexpr int kLabelFontSize = 11; // the editor's default label font
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

// Each picture at a density of 1, 2 or 3 device pixels per panel pixel: the same
// drawing, scaled, on a surface that many times larger.
CSurface renderBackground(int density = 1);
CSurface renderButton(bool down, int density = 1);
CSurface renderInfoFace(int density = 1);
CSurface renderSplash(const std::string& version, int density = 1);

// The eight pictures of the editor's resource folder in every density (1x under their
// own names, then "@2x" and "@3x").
std::vector<SPicture> renderAll(const std::string& version);

// The panel as the editor would show it, knobs at sample positions with their captions,
// read-outs, info button and meter: one row at ordinary settings, one with the widest read-outs.
CSurface renderPreview(const std::vector<SPicture>& pictures);

} // namespace Vantor::Artwork
