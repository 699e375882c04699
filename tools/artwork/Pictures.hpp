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
