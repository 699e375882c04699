#include "tools/artwork/Knob.hpp"

#include <cmath>

namespace Vantor::Artwork::Knob
{

namespace
{

// cairo measures angles from the positive x axis, clockwise on screen.
double toCairo(double degreesFromUp)
{
    return (degreesFromUp - 90.0) * M_PI / 180.0;
}

void circle(cairo_t* context, double x, double y, double radius)
{
    cairo_new_sub_path(context);
    cairo_arc(context, x, y, radius, 0.0, 2.0 * M_PI);
}

void paintArc(cairo_t* context, double x, double y, double scale, const SColour& accent, double angle)
{
    const double radius = kArcRadius * scale;
    const double start = toCairo(kStartAngle);
    cairo_set_line_cap(context, CAIRO_LINE_CAP_BUTT);

    // The groove the value runs in, over the whole sweep.
    cairo_new_path(context);
    cairo_arc(context, x, y, radius, start, toCairo(kStartAngle + kSweep));
    cairo_set_line_width(context, 3.8 * scale);
    setColour(context, SColour::bytes(6, 7, 8, 0.9));
    cairo_stroke_preserve(context);
    cairo_set_line_width(context, 2.2 * scale);
    setColour(context, SColour::bytes(36, 39, 44));
    cairo_stroke(context);

    if (angle <= kStartAngle)
    {
        return;
    }
    // Lit part: a soft glow under a bright core.
    cairo_new_path(context);
    cairo_arc(context, x, y, radius, start, toCairo(angle));
    cairo_set_line_width(context, 5.0 * scale);
    setColour(context, accent.withAlpha(0.22));
    cairo_stroke_preserve(context);
    cairo_set_line_width(context, 2.4 * scale);
    setColour(context, accent);
    cairo_stroke_preserve(context);
    cairo_set_line_width(context, 0.8 * scale);
    setColour(context, accent.mixedWith(SColour::bytes(255, 255, 255), 0.45).withAlpha(0.8));
    cairo_stroke(context);
}

void paintBody(cairo_t* context, double x, double y, double scale, double angle)
{
    const double skirt = kSkirtRadius * scale;
    const double cap = kCapRadius * scale;

    // Drop shadow, lit from above.
    cairo_pattern_t* shadow =
        cairo_pattern_create_radial(x, y + 1.6 * scale, skirt * 0.7, x, y + 1.6 * scale, skirt + 3.5 * scale);
    addStop(shadow, 0.0, SColour::bytes(0, 0, 0, 0.7));
    addStop(shadow, 1.0, SColour::bytes(0, 0, 0, 0.0));
    circle(context, x, y + 1.6 * scale, skirt + 3.5 * scale);
    cairo_set_source(context, shadow);
    cairo_fill(context);
    cairo_pattern_destroy(shadow);

    // Skirt: a dark knurled ring that turns with the knob.
    cairo_pattern_t* skirtShade = cairo_pattern_create_linear(x, y - skirt, x, y + skirt);
    addStop(skirtShade, 0.0, SColour::bytes(84, 88, 94));
    addStop(skirtShade, 0.5, SColour::bytes(44, 46, 51));
    addStop(skirtShade, 1.0, SColour::bytes(18, 19, 21));
    circle(context, x, y, skirt);
    cairo_set_source(context, skirtShade);
    cairo_fill(context);
    cairo_pattern_destroy(skirtShade);

    cairo_set_line_cap(context, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(context, 0.7 * scale);
    constexpr int kRidges = 36;
    for (int ridge = 0; ridge < kRidges; ++ridge)
    {
        const double a = toCairo(angle + ridge * 360.0 / kRidges);
        cairo_move_to(context, x + std::cos(a) * (cap + 0.8 * scale), y + std::sin(a) * (cap + 0.8 * scale));
        cairo_line_to(context, x + std::cos(a) * (skirt - 0.4 * scale),
                      y + std::sin(a) * (skirt - 0.4 * scale));
    }
    setColour(context, SColour::bytes(0, 0, 0, 0.28));
    cairo_stroke(context);

    circle(context, x, y, skirt - 0.35 * scale);
    cairo_set_line_width(context, 0.7 * scale);
    setColour(context, SColour::bytes(0, 0, 0, 0.7));
    cairo_stroke(context);

    // Cap: a brushed dome lit from the upper left.
    cairo_pattern_t* dome = cairo_pattern_create_radial(x - 0.35 * cap, y - 0.5 * cap, 0.0, x, y, cap * 1.25);
    addStop(dome, 0.0, SColour::bytes(122, 126, 133));
    addStop(dome, 0.55, SColour::bytes(68, 71, 77));
    addStop(dome, 1.0, SColour::bytes(36, 38, 42));
    circle(context, x, y, cap);
    cairo_set_source(context, dome);
    cairo_fill(context);
    cairo_pattern_destroy(dome);

    // Rim: light on top, shade below.
    cairo_pattern_t* rim = cairo_pattern_create_linear(x, y - cap, x, y + cap);
    addStop(rim, 0.0, SColour::bytes(255, 255, 255, 0.32));
    addStop(rim, 0.5, SColour::bytes(255, 255, 255, 0.04));
    addStop(rim, 1.0, SColour::bytes(0, 0, 0, 0.45));
    circle(context, x, y, cap - 0.45 * scale);
    cairo_set_line_width(context, 0.9 * scale);
    cairo_set_source(context, rim);
    cairo_stroke(context);
    cairo_pattern_destroy(rim);
}

void paintPointer(cairo_t* context, double x, double y, double scale, double angle)
{
    const double a = toCairo(angle);
    const double inner = 2.6 * scale;
    const double outer = (kCapRadius - 1.6) * scale;
    cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);

    cairo_move_to(context, x + std::cos(a) * inner, y + 0.7 * scale + std::sin(a) * inner);
    cairo_line_to(context, x + std::cos(a) * outer, y + 0.7 * scale + std::sin(a) * outer);
    cairo_set_line_width(context, 2.6 * scale);
    setColour(context, SColour::bytes(0, 0, 0, 0.45));
    cairo_stroke(context);

    cairo_move_to(context, x + std::cos(a) * inner, y + std::sin(a) * inner);
    cairo_line_to(context, x + std::cos(a) * outer, y + std::sin(a) * outer);
    cairo_set_line_width(context, 2.0 * scale);
    setColour(context, SColour::bytes(244, 240, 226));
    cairo_stroke(context);
}

} // namespace

double pointerAngle(int frame)
{
    return kStartAngle + kSweep * frame / (kFrames - 1);
}

void paint(cairo_t* context, double x, double y, double scale, const SColour& accent, double position)
{
    const double angle = kStartAngle + kSweep * position;
    cairo_save(context);
    paintArc(context, x, y, scale, accent, angle);
    paintBody(context, x, y, scale, angle);
    paintPointer(context, x, y, scale, angle);
    cairo_restore(context);
}

CSurface renderStrip(const SColour& accent, int density)
{
    CSurface strip = makeSurface(kWidth * density, kFrameHeight * kFrames * density);
    CContext context = makeContext(strip.get());
    if (density != 1)
    {
        cairo_scale(context.get(), density, density);
    }
    for (int frame = 0; frame < kFrames; ++frame)
    {
        cairo_save(context.get());
        // Each frame is clipped to its own cell so that no stroke spills into a neighbour.
        cairo_rectangle(context.get(), 0, frame * kFrameHeight, kWidth, kFrameHeight);
        cairo_clip(context.get());
        paint(context.get(), kCentreX, frame * kFrameHeight + kCentreY, 1.0, accent,
              static_cast<double>(frame) / (kFrames - 1));
        cairo_restore(context.get());
    }
    cairo_surface_flush(strip.get());
    return strip;
}

} // namespace Vantor::Artwork::Knob
