#include "tools/artwork/Pictures.hpp"

#include "tools/artwork/Knob.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace Vantor::Artwork
{

namespace
{

using Layout::kPanelHeight;
using Layout::kPanelWidth;

const SColour kCream = SColour::bytes(228, 223, 204);
const SColour kMuted = SColour::bytes(128, 130, 128);
const SColour kAmber = SColour::bytes(242, 166, 62);
const SColour kTeal = SColour::bytes(76, 196, 184);
const SColour kRose = SColour::bytes(236, 92, 114);

const STextStyle kTitleBold{"Liberation Sans", 21.0, true, false, 0.0};
const STextStyle kTitleLight{"Liberation Sans", 21.0, false, false, 0.0};
const STextStyle kSmallCaps{"Liberation Sans", 7.5, true, false, 1.4};
const STextStyle kMaker{"Liberation Sans", 14.0, true, true, 0.0};

// The panel's groups: left and right edge, heading and the colour of their knobs.
struct SGroup
{
    double left;
    double right;
    const char* heading;
    SColour accent;
};

double knobCentreX(const Layout::SParameterControls& control)
{
    return control.knobLeft + Knob::kCentreX;
}

constexpr double kKnobCentreY = Layout::kKnobTop + Knob::kCentreY;
constexpr double kPlateTop = 43.5;
constexpr double kPlateBottom = 148.5;
// The plate reaches further right than left: the meter bridge needs the room.
constexpr double kPlateWidth = kPanelWidth - 18.0;
constexpr double kDisplayTop = 114.0;
constexpr double kDisplayHeight = 22.0;

// Fills the current path with a vertical gradient from y to y + height.
void fillVertical(cairo_t* context, double y, double height, const SColour& top, const SColour& bottom)
{
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + height);
    addStop(shade, 0.0, top);
    addStop(shade, 1.0, bottom);
    cairo_set_source(context, shade);
    cairo_fill(context);
    cairo_pattern_destroy(shade);
}

void line(cairo_t* context, double x0, double y0, double x1, double y1, double width, const SColour& colour)
{
    cairo_move_to(context, x0, y0);
    cairo_line_to(context, x1, y1);
    cairo_set_line_width(context, width);
    setColour(context, colour);
    cairo_stroke(context);
}

// A sunken window: dark glass with a shadow along its upper edge and a faint lit lower lip.
void paintWell(cairo_t* context, double x, double y, double width, double height, double radius)
{
    roundedRectangle(context, x - 0.5, y - 0.5, width + 1.0, height + 1.5, radius + 0.5);
    setColour(context, SColour::bytes(255, 255, 255, 0.07));
    cairo_fill(context);
    roundedRectangle(context, x, y, width, height, radius);
    setColour(context, SColour::bytes(9, 10, 11));
    cairo_fill_preserve(context);
    fillVertical(context, y, 5.0, SColour::bytes(0, 0, 0, 0.7), SColour::bytes(0, 0, 0, 0.0));
    roundedRectangle(context, x + 0.5, y + 0.5, width - 1.0, height - 1.0, radius);
    cairo_set_line_width(context, 1.0);
    setColour(context, SColour::bytes(0, 0, 0, 0.85));
    cairo_stroke(context);
}

void paintScrew(cairo_t* context, double x, double y, double slotAngle)
{
    cairo_pattern_t* head = cairo_pattern_create_radial(x - 1.0, y - 1.2, 0.0, x, y, 3.6);
    addStop(head, 0.0, SColour::bytes(128, 131, 136));
    addStop(head, 1.0, SColour::bytes(40, 42, 46));
    cairo_new_sub_path(context);
    cairo_arc(context, x, y, 3.3, 0.0, 2.0 * M_PI);
    cairo_set_source(context, head);
    cairo_fill_preserve(context);
    cairo_pattern_destroy(head);
    cairo_set_line_width(context, 0.8);
    setColour(context, SColour::bytes(0, 0, 0, 0.7));
    cairo_stroke(context);
    const double dx = std::cos(slotAngle) * 2.4;
    const double dy = std::sin(slotAngle) * 2.4;
    cairo_set_line_cap(context, CAIRO_LINE_CAP_BUTT);
    line(context, x - dx, y - dy, x + dx, y + dy, 1.0, SColour::bytes(12, 13, 14, 0.9));
}

// The maker's mark: a small ring with a lit arc and a pointer, like one of its knobs.
void paintEmblem(cairo_t* context, double x, double y, double radius, const SColour& accent)
{
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    cairo_new_path(context);
    cairo_arc(context, x, y, radius, 0.75 * M_PI, 2.25 * M_PI);
    cairo_set_line_width(context, radius * 0.3);
    setColour(context, accent);
    cairo_stroke(context);
    line(context, x, y, x + radius * 0.45, y - radius * 0.45, radius * 0.3, kCream);
}

double paintProductName(cairo_t* context, double x, double baselineY, double scale)
{
    STextStyle bold = kTitleBold;
    STextStyle light = kTitleLight;
    bold.size *= scale;
    light.size *= scale;
    setColour(context, kCream);
    drawText(context, "Pressora", x, baselineY, bold, EAlign::Left);
    const double split = x + textWidth(context, "Pressora", bold) + 0.5 * scale;
    setColour(context, kAmber);
    drawText(context, "Lite", split, baselineY, light, EAlign::Left);
    return split + textWidth(context, "Lite", light);
}

void paintHeader(cairo_t* context)
{
    cairo_rectangle(context, 0, 0, kPanelWidth, 38);
    fillVertical(context, 0, 38, SColour::bytes(23, 24, 27), SColour::bytes(31, 33, 37));
    line(context, 0, 38.5, kPanelWidth, 38.5, 1.0, SColour::bytes(0, 0, 0, 0.75));
    line(context, 0, 39.5, kPanelWidth, 39.5, 1.0, SColour::bytes(255, 255, 255, 0.06));

    const double titleEnd = paintProductName(context, 20.0, 27.0, 1.0);
    setColour(context, kMuted);
    drawText(context, "STEREO RMS COMPRESSOR", titleEnd + 12.0, 26.5, kSmallCaps, EAlign::Left);

    // The info button hangs from the top edge into a slot of its own.
    const SRect& info = Layout::kInfoButton;
    for (int step = 0; step < 3; ++step)
    {
        roundedRectangle(context, info.x - 1.5 - step, -8, info.width + 3 + 2 * step,
                         info.height + 9.5 + step, 6 + step);
        setColour(context, SColour::bytes(0, 0, 0, 0.22));
        cairo_fill(context);
    }

    const double makerRight = kPanelWidth - 18.0;
    setColour(context, SColour::bytes(186, 183, 170));
    drawText(context, "Corvella", makerRight, 26.0, kMaker, EAlign::Right);
    const double makerLeft = makerRight - textWidth(context, "Corvella", kMaker);
    paintEmblem(context, makerLeft - 10.0, 21.0, 5.5, kAmber);
}

void paintPlate(cairo_t* context, const std::array<SGroup, 3>& groups)
{
    roundedRectangle(context, 12.5, kPlateTop, kPlateWidth, kPlateBottom - kPlateTop, 6.0);
    fillVertical(context, kPlateTop, kPlateBottom - kPlateTop, SColour::bytes(52, 55, 61),
                 SColour::bytes(38, 40, 45));
    roundedRectangle(context, 12.5, kPlateTop, kPlateWidth, kPlateBottom - kPlateTop, 6.0);
    cairo_set_line_width(context, 1.0);
    setColour(context, SColour::bytes(0, 0, 0, 0.6));
    cairo_stroke(context);
    line(context, 18.0, kPlateTop + 1.0, 12.5 + kPlateWidth - 5.5, kPlateTop + 1.0, 1.0,
         SColour::bytes(255, 255, 255, 0.08));

    // Engraved lines between the groups.
    for (std::size_t group = 1; group < groups.size(); ++group)
    {
        const double x = std::floor(groups[group].left) + 0.5;
        line(context, x, kPlateTop + 8.0, x, kPlateBottom - 8.0, 1.0, SColour::bytes(0, 0, 0, 0.45));
        line(context, x + 1.0, kPlateTop + 8.0, x + 1.0, kPlateBottom - 8.0, 1.0,
             SColour::bytes(255, 255, 255, 0.05));
    }

    // Group headings, each in the colour of its knobs, between two hairlines.
    for (const SGroup& group : groups)
    {
        const double centre = (group.left + group.right) / 2.0;
        const double half = textWidth(context, group.heading, kSmallCaps) / 2.0;
        const double baseline = 52.5;
        setColour(context, group.accent.scaled(0.85));
        drawText(context, group.heading, centre, baseline, kSmallCaps, EAlign::Centre);
        const SColour hairline = group.accent.withAlpha(0.28);
        line(context, group.left + 10.0, baseline - 2.5, centre - half - 6.0, baseline - 2.5, 1.0, hairline);
        line(context, centre + half + 6.0, baseline - 2.5, group.right - 10.0, baseline - 2.5, 1.0, hairline);
    }
}

void paintKnobSeats(cairo_t* context)
{
    // A dot at each end of a knob's travel, just outside its value arc.
    for (const Layout::SParameterControls& control : Layout::kParameterControls)
    {
        for (const double side : {-1.0, 1.0})
        {
            const double reach = (Knob::kArcRadius + 4.0) * std::sqrt(0.5);
            cairo_new_sub_path(context);
            cairo_arc(context, knobCentreX(control) + side * reach, kKnobCentreY + reach, 1.1, 0.0,
                      2.0 * M_PI);
            setColour(context, SColour::bytes(150, 150, 140, 0.75));
            cairo_fill(context);
        }
    }
}

// The read-outs sit in dark windows, one per group, with a faint divider between the two values.
void paintDisplays(cairo_t* context)
{
    struct SDisplay
    {
        double left;
        double right;
        double divider;
    };
    const SDisplay displays[] = {{24.0, 158.0, 96.5}, {169.0, 318.0, 244.5}, {327.0, 456.0, 381.5}};
    for (const SDisplay& display : displays)
    {
        paintWell(context, display.left, kDisplayTop, display.right - display.left, kDisplayHeight, 3.0);
        line(context, display.divider, kDisplayTop + 4.0, display.divider, kDisplayTop + kDisplayHeight - 4.0,
             1.0, SColour::bytes(255, 255, 255, 0.07));
    }
}

// One meter's recess with its unlit segments where the meter's own segments light up.
void paintMeterSlot(cairo_t* context, const SRect& meter, const SColour& unlit)
{
    paintWell(context, meter.x - 2.0, meter.y - 2.0, meter.width + 4.0, meter.height + 4.0, 2.5);
    for (int segment = 0; segment < Layout::kMeterSegments; ++segment)
    {
        const double top = Layout::kSegmentStackTop + Layout::kSegmentPitch * segment;
        roundedRectangle(context, meter.x + 2.0, top, meter.width - 4.0, Layout::kSegmentHeight, 0.8);
        setColour(context, unlit);
        cairo_fill(context);
    }
}

void paintMeterCaption(cairo_t* context, const SRect& meter, const char* text)
{
    setColour(context, kMuted);
    STextStyle tiny = kSmallCaps;
    tiny.size = 6.5;
    tiny.tracking = 0.8;
    drawText(context, text, meter.x + meter.width / 2.0 + 1.0, kPlateBottom - 5.5, tiny, EAlign::Centre);
}

// The output meter and, beside it, the gain-reduction meter with its scale between the two:
// each mark a number in the gap and a notch across the recess's rims, at the row where the
// meter's lit segments end for that many dB.
void paintMeterRecess(cairo_t* context)
{
    const SRect& output = Layout::kMeter;
    const SRect& reduction = Layout::kGainReductionMeter;
    paintMeterSlot(context, output, SColour::bytes(36, 41, 37));
    paintMeterSlot(context, reduction, SColour::bytes(44, 38, 31));
    paintMeterCaption(context, output, "OUT");
    paintMeterCaption(context, reduction, "GR");

    const double gapCentre = (output.x + output.width + 2.0 + reduction.x - 2.0) / 2.0;
    const STextStyle digits{"Liberation Sans", 5.5, true, false, 0.0};
    for (const int decibels : Layout::kGainReductionMarks)
    {
        const double y = Layout::gainReductionMarkY(decibels);
        const SColour notch = kAmber.withAlpha(0.75);
        line(context, reduction.x - 1.5, y, reduction.x + 1.5, y, 1.0, notch);
        line(context, reduction.x + reduction.width - 1.5, y, reduction.x + reduction.width + 1.5, y, 1.0,
             notch);
        setColour(context, SColour::bytes(176, 172, 158));
        // The figure's middle on the mark (digits are about 0.72 of the size high).
        drawText(context, std::to_string(decibels), gapCentre, y + digits.size * 0.36, digits,
                 EAlign::Centre);
    }
}

} // namespace

const std::array<SKnobStrip, 3>& knobStrips()
{
    static const std::array<SKnobStrip, 3> strips{{
        {Layout::kKnobStripFiles[0], kRose},
        {Layout::kKnobStripFiles[1], kAmber},
        {Layout::kKnobStripFiles[2], kTeal},
    }};
    return strips;
}

CSurface renderBackground(int density)
{
    CSurface panel = makeSurface(kPanelWidth, kPanelHeight, density);
    CContext owner = makeScaledContext(panel.get(), density);
    cairo_t* context = owner.get();

    const std::array<SGroup, 3> groups{{
        {12.5, 164.0, "COMPRESSION", kAmber},
        {164.0, 322.0, "TIMING", kTeal},
        {322.0, kPanelWidth - 12.5, "OUTPUT", kRose},
    }};

    cairo_rectangle(context, 0, 0, kPanelWidth, kPanelHeight);
    fillVertical(context, 0, kPanelHeight, SColour::bytes(44, 47, 52), SColour::bytes(26, 28, 31));
    cairo_rectangle(context, 0, 0, kPanelWidth, 38);
    setColour(context, SColour::bytes(27, 28, 31));
    cairo_fill(context);
    roundedRectangle(context, 12.5, kPlateTop, kPlateWidth, kPlateBottom - kPlateTop, 6.0);
    fillVertical(context, kPlateTop, kPlateBottom - kPlateTop, SColour::bytes(52, 55, 61),
                 SColour::bytes(38, 40, 45));
    addGrain(panel.get(), 0, 0, kPanelWidth * density, kPanelHeight * density, 0.012, 0x5EED1u);

    paintHeader(context);
    paintPlate(context, groups);
    paintKnobSeats(context);
    paintDisplays(context);
    paintMeterRecess(context);
    paintScrew(context, 6.5, 6.5, 2.4);
    paintScrew(context, kPanelWidth - 6.5, 6.5, 0.9);
    paintScrew(context, 6.5, kPanelHeight - 6.5, 0.6);
    paintScrew(context, kPanelWidth - 6.5, kPanelHeight - 6.5, 2.1);

    // A dark outer edge with a faint lit inner line frames the panel in the host's window.
    cairo_rectangle(context, 0.5, 0.5, kPanelWidth - 1.0, kPanelHeight - 1.0);
    cairo_set_line_width(context, 1.0);
    setColour(context, SColour::bytes(0, 0, 0, 0.85));
    cairo_stroke(context);
    cairo_rectangle(context, 1.5, 1.5, kPanelWidth - 3.0, kPanelHeight - 3.0);
    setColour(context, SColour::bytes(255, 255, 255, 0.05));
    cairo_stroke(context);

    cairo_surface_flush(panel.get());
    return panel;
}

namespace
{

void paintButtonFace(cairo_t* context, double width, double height, bool hanging, bool down)
{
    const double radius = 5.0;
    const auto outline = [&]()
    {
        cairo_new_path(context);
        if (hanging)
        {
            // Flat along the panel's top edge, rounded below.
            cairo_move_to(context, 0.5, 0.0);
            cairo_line_to(context, width - 0.5, 0.0);
            cairo_arc(context, width - 0.5 - radius, height - 0.5 - radius, radius, 0.0, M_PI / 2.0);
            cairo_arc(context, 0.5 + radius, height - 0.5 - radius, radius, M_PI / 2.0, M_PI);
            cairo_close_path(context);
        }
        else
        {
            roundedRectangle(context, 0.5, 0.5, width - 1.0, height - 1.0, radius);
        }
    };
    const SColour light = SColour::bytes(222, 217, 199);
    const SColour shade = SColour::bytes(174, 169, 152);
    outline();
    fillVertical(context, 0, height, down ? shade.scaled(0.92) : light, down ? light.scaled(0.92) : shade);
    if (down)
    {
        // Pressed in: shadow along the upper inside edge.
        outline();
        fillVertical(context, 0.0, 5.0, SColour::bytes(0, 0, 0, 0.25), SColour::bytes(0, 0, 0, 0.0));
    }
    else if (!hanging)
    {
        line(context, radius, 1.5, width - radius, 1.5, 1.0, SColour::bytes(255, 255, 255, 0.5));
    }
    outline();
    cairo_set_line_width(context, 1.0);
    setColour(context, SColour::bytes(0, 0, 0, 0.65));
    cairo_stroke(context);
}

} // namespace

CSurface renderButton(bool down, int density)
{
    CSurface button = makeSurface(Layout::kButtonWidth, Layout::kButtonHeight, density);
    CContext context = makeScaledContext(button.get(), density);
    paintButtonFace(context.get(), Layout::kButtonWidth, Layout::kButtonHeight, false, down);
    cairo_surface_flush(button.get());
    return button;
}

CSurface renderInfoFace(int density)
{
    CSurface face = makeSurface(Layout::kInfoButton.width, Layout::kInfoButton.height, density);
    CContext context = makeScaledContext(face.get(), density);
    paintButtonFace(context.get(), Layout::kInfoButton.width, Layout::kInfoButton.height, true, false);
    cairo_surface_flush(face.get());
    return face;
}

CSurface renderSplash(const std::string& version, int density)
{
    constexpr int kWidth = 400;
    constexpr int kHeight = 250;
    CSurface splash = makeSurface(kWidth, kHeight, density);
    CContext owner = makeScaledContext(splash.get(), density);
    cairo_t* context = owner.get();

    cairo_pattern_t* glow = cairo_pattern_create_radial(110, 115, 10, 160, 125, 300);
    addStop(glow, 0.0, SColour::bytes(60, 64, 71));
    addStop(glow, 1.0, SColour::bytes(20, 21, 24));
    cairo_rectangle(context, 0, 0, kWidth, kHeight);
    cairo_set_source(context, glow);
    cairo_fill(context);
    cairo_pattern_destroy(glow);
    addGrain(splash.get(), 0, 0, kWidth * density, kHeight * density, 0.012, 0xAB0u);

    cairo_rectangle(context, 0.5, 0.5, kWidth - 1.0, kHeight - 1.0);
    cairo_set_line_width(context, 1.0);
    setColour(context, SColour::bytes(0, 0, 0, 0.9));
    cairo_stroke(context);
    cairo_rectangle(context, 1.5, 1.5, kWidth - 3.0, kHeight - 3.0);
    setColour(context, SColour::bytes(255, 255, 255, 0.07));
    cairo_stroke(context);

    // A large knob with a scale of eleven ticks round its travel.
    const double knobX = 105.0;
    const double knobY = 122.0;
    const double knobScale = 2.7;
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
    for (int tick = 0; tick <= 10; ++tick)
    {
        const double angle = (Knob::kStartAngle + Knob::kSweep * tick / 10.0) * M_PI / 180.0;
        const double inner = (Knob::kArcRadius + 5.0) * knobScale;
        const double outer = inner + ((tick % 5 == 0) ? 7.0 : 4.0);
        line(context, knobX + inner * std::sin(angle), knobY - inner * std::cos(angle),
             knobX + outer * std::sin(angle), knobY - outer * std::cos(angle), 1.3,
             SColour::bytes(160, 160, 150, 0.6));
    }
    Knob::paint(context, knobX, knobY, knobScale, kAmber, 0.72);

    const double left = 205.0;
    paintProductName(context, left, 98.0, 1.45);
    STextStyle subtitle = kSmallCaps;
    subtitle.size = 8.5;
    subtitle.tracking = 2.0;
    setColour(context, kMuted);
    drawText(context, "STEREO RMS COMPRESSOR", left + 1.0, 117.0, subtitle, EAlign::Left);

    setColour(context, SColour::bytes(205, 200, 177));
    drawText(context, "Version " + version, left + 1.0, 142.0, STextStyle{"Liberation Sans", 12.0},
             EAlign::Left);

    // The three accents of the panel's groups, side by side.
    const double rule = (kWidth - 24.0 - (left + 1.0)) / 3.0;
    const SColour accents[] = {kAmber, kTeal, kRose};
    for (int part = 0; part < 3; ++part)
    {
        const double start = left + 1.0 + part * rule;
        line(context, start, 157.5, start + rule - 2.0, 157.5, 1.0, accents[part].withAlpha(0.7));
    }

    STextStyle maker = kMaker;
    maker.size = 16.0;
    paintEmblem(context, left + 8.0, 178.0, 6.5, kAmber);
    setColour(context, SColour::bytes(196, 193, 180));
    drawText(context, "Corvella", left + 21.0, 184.0, maker, EAlign::Left);
    setColour(context, kMuted);
    drawText(context, "Built on the Vantor audio framework.", left + 1.0, 204.0,
             STextStyle{"Liberation Sans", 10.0}, EAlign::Left);

    STextStyle hint{"Liberation Sans", 8.5, false, true, 0.0};
    setColour(context, SColour::bytes(128, 130, 128, 0.8));
    drawText(context, "Click to close", kWidth - 14.0, kHeight - 12.0, hint, EAlign::Right);

    cairo_surface_flush(splash.get());
    return splash;
}

std::vector<SPicture> renderAll(const std::string& version)
{
    requireFont("Liberation Sans");
    std::vector<SPicture> pictures;
    for (const int density : Layout::kArtworkDensities)
    {
        const auto name = [density](const char* file) { return Layout::artworkFile(file, density); };
        pictures.push_back({name(Layout::kBackgroundFile), renderBackground(density)});
        for (const SKnobStrip& strip : knobStrips())
        {
            pictures.push_back({name(strip.fileName), Knob::renderStrip(strip.accent, density)});
        }
        pictures.push_back({name(Layout::kButtonFiles[0]), renderButton(false, density)});
        pictures.push_back({name(Layout::kButtonFiles[1]), renderButton(true, density)});
        pictures.push_back({name(Layout::kInfoButtonFile), renderInfoFace(density)});
        pictures.push_back({name(Layout::kSplashFile), renderSplash(version, density)});
    }
    return pictures;
}

namespace
{

cairo_surface_t* find(const std::vector<SPicture>& pictures, const std::string& fileName)
{
    for (const SPicture& picture : pictures)
    {
        if (picture.fileName == fileName)
        {
            return picture.image.get();
        }
    }
    throw std::runtime_error("the preview needs " + fileName);
}

// Text placed as the editor's labels place it: vertically centred on the font's height.
void drawLabel(cairo_t* context, const std::string& text, const SRect& area, bool centred,
               const SColour& colour)
{
    const STextStyle style{"Liberation Sans", static_cast<double>(Layout::kLabelFontSize)};
    cairo_select_font_face(context, style.face, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(context, style.size);
    cairo_font_extents_t font;
    cairo_font_extents(context, &font);
    const double width = textWidth(context, text, style);
    const double x = centred ? area.x + (area.width - width) / 2.0 : area.x;
    const double baseline = area.y + (area.height - font.height) / 2.0 + font.ascent;
    setColour(context, colour);
    drawText(context, text, x, baseline, style, EAlign::Left);
}

// The read-out as the editor writes it for a host value.
std::string readout(const Quellor::Parameters::SParameter& parameter, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%s",
                  Quellor::Parameters::userValue(parameter, static_cast<float>(value)),
                  parameter.readOutSuffix);
    return text;
}

void paintEditor(cairo_t* context, const std::vector<SPicture>& pictures, double top,
                 const std::array<double, 6>& values, double level)
{
    cairo_save(context);
    cairo_translate(context, 0, top);
    cairo_set_source_surface(context, find(pictures, Layout::kBackgroundFile), 0, 0);
    cairo_paint(context);

    const SColour labelColour =
        SColour::bytes(Layout::kLabelText.red, Layout::kLabelText.green, Layout::kLabelText.blue);
    for (const Quellor::Parameters::SParameter& parameter : Quellor::Parameters::kTable)
    {
        const Layout::SParameterControls& control = Layout::kParameterControls[parameter.index];
        const double value = values[parameter.index];
        const int frame = static_cast<int>((Knob::kFrames - 1) * value);
        cairo_save(context);
        cairo_rectangle(context, control.knobLeft, Layout::kKnobTop, Knob::kWidth, Knob::kFrameHeight);
        cairo_clip(context);
        cairo_set_source_surface(context, find(pictures, knobStrips()[control.strip].fileName),
                                 control.knobLeft, Layout::kKnobTop - frame * Knob::kFrameHeight);
        cairo_paint(context);
        cairo_restore(context);
        drawLabel(context, readout(parameter, value), control.readOut, false, labelColour);
        drawLabel(context, Quellor::Parameters::captionOf(parameter), control.caption, false, labelColour);
    }

    const SRect& info = Layout::kInfoButton;
    cairo_set_source_surface(context, find(pictures, Layout::kInfoButtonFile), info.x, info.y);
    cairo_paint(context);
    drawLabel(context, Layout::kInfoButtonText, info, true, SColour::bytes(0, 0, 0));

    // The meter's own drawing: lit segments only, stepping from green towards red.
    const SRect& meter = Layout::kMeter;
    const int lit = static_cast<int>(std::ceil(Layout::kMeterSegments * level));
    for (int segment = 0; segment < lit; ++segment)
    {
        const double top2 = meter.y + meter.height - 4.0 - 4.0 * segment;
        cairo_rectangle(context, meter.x + 2.0, top2, 6.0, 2.0);
        setColour(context, SColour::bytes(102 + 9 * segment, 200 - 11 * segment, 85 - 3 * segment));
        cairo_fill(context);
    }
    // The gain-reduction meter, lit from the top: a third of its range.
    const SRect& reduction = Layout::kGainReductionMeter;
    for (int segment = 0; segment < Layout::kMeterSegments / 3; ++segment)
    {
        cairo_rectangle(context, reduction.x + 2.0,
                        Layout::kSegmentStackTop + Layout::kSegmentPitch * segment, reduction.width - 4.0,
                        Layout::kSegmentHeight);
        setColour(context, SColour::bytes(242, 166 - 5 * segment, 62));
        cairo_fill(context);
    }
    cairo_restore(context);
}

} // namespace

CSurface renderPreview(const std::vector<SPicture>& pictures)
{
    constexpr int kGap = 12;
    CSurface preview = makeSurface(kPanelWidth, 2 * kPanelHeight + kGap);
    CContext owner = makeContext(preview.get());
    cairo_t* context = owner.get();
    setColour(context, SColour::bytes(90, 90, 90));
    cairo_paint(context);
    // Host values by parameter index (Master, Threshold, Ratio, Attack, Release, Mix).
    paintEditor(context, pictures, 0, {0.5, 0.6, 0.5, 0.3, 0.6, 1.0}, 0.6);
    paintEditor(context, pictures, kPanelHeight + kGap, {0.0, 0.0, 1.0, 1.0, 1.0, 0.5}, 1.0);
    cairo_surface_flush(preview.get());
    return preview;
}

} // namespace Vantor::Artwork
