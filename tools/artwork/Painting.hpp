#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

// Small drawing helpers over cairo for the artwork generator: owned surfaces and contexts,
// colours, rounded shapes, tracked text and PNG encoding. Every context uses the same fixed
// font options, so that text comes out the same on every run.
namespace Vantor::Artwork
{

struct SSurfaceRelease
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct SContextRelease
{
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using CSurface = std::unique_ptr<cairo_surface_t, SSurfaceRelease>;
using CContext = std::unique_ptr<cairo_t, SContextRelease>;

// A transparent 32-bit ARGB image; throws std::runtime_error when cairo cannot make it.
CSurface makeSurface(int width, int height);

// A context on the surface with grey anti-aliasing and unhinted text.
CContext makeContext(cairo_surface_t* surface);

// A surface of width x height panel pixels at density device pixels each, and a context on
// it that draws in panel pixels.
CSurface makeSurface(int width, int height, int density);
CContext makeScaledContext(cairo_surface_t* surface, int density);

// Colour with channels 0..1.
struct SColour
{
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    static SColour bytes(int red, int green, int blue, double alpha = 1.0);
    SColour withAlpha(double newAlpha) const;
    // Linear mix: 0 keeps this colour, 1 gives the other.
    SColour mixedWith(const SColour& other, double amount) const;
    SColour scaled(double factor) const;
};

void setColour(cairo_t* context, const SColour& colour);
void addStop(cairo_pattern_t* pattern, double offset, const SColour& colour);

void roundedRectangle(cairo_t* context, double x, double y, double width, double height, double radius);

enum class EAlign
{
    Left,
    Centre,
    Right
};

struct STextStyle
{
    const char* face = "Liberation Sans";
    double size = 11.0;
    bool bold = false;
    bool italic = false;
    double tracking = 0.0; // extra space after each character, in pixels
};

// Width of the text as drawText lays it out (tracking after the last character excluded).
double textWidth(cairo_t* context, const std::string& text, const STextStyle& style);

// Draws the text with its baseline at y; x is the left edge, centre or right edge.
void drawText(cairo_t* context, const std::string& text, double x, double baselineY, const STextStyle& style,
              EAlign align);

// A small deterministic generator for surface grain.
class CGrain
{
public:
    explicit CGrain(unsigned seed) : m_state(seed) {}
    // Uniform in -1..1.
    double next();

private:
    unsigned m_state;
};

// Adds a faint noise of the given strength (0..1 of full scale) to the opaque pixels of the rectangle.
void addGrain(cairo_surface_t* surface, int x, int y, int width, int height, double strength, unsigned seed);

// Throws std::runtime_error when fontconfig would draw the family with another font, so that the
// pictures never silently change with the fonts a machine happens to have.
void requireFont(const std::string& family);

std::vector<unsigned char> encodePng(cairo_surface_t* surface);

// Writes the surface as PNG; throws std::runtime_error naming the path on failure.
void writePng(cairo_surface_t* surface, const std::string& path);

} // namespace Vantor::Artwork
