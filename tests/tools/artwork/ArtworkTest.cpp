// Runs the artwork generator as the build does and checks the pictures the editor will load.

#include "tools/artwork/Generator.hpp"
#include "tools/artwork/Knob.hpp"
#include "tools/artwork/Pictures.hpp"

#include <gtest/gtest.h>

#include "ProductVersion.hpp"

#if defined(ARTWORK_FRAMEWORK_LOADER)
#include "framework/gui/graphics/PNGImage.hpp"
#endif

#include <cairo.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace Knob = Vantor::Artwork::Knob;
namespace Layout = Vantor::Artwork::Layout;

namespace
{

const std::vector<std::string> kFiles{"BackgroundLite.png", "knob.png",       "knob2.png", "knob3.png",
                                      "buttonUp.png",       "buttonDown.png", "info.png",  "splash.png"};

struct SPixel
{
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
};

// A decoded PNG, channels not premultiplied.
struct SImage
{
    int width = 0;
    int height = 0;
    std::vector<SPixel> pixels;

    const SPixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

SImage load(const fs::path& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    SImage image;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
    {
        image.width = cairo_image_surface_get_width(surface);
        image.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < image.height; ++y)
        {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
            for (int x = 0; x < image.width; ++x)
            {
                const std::uint32_t argb = row[x];
                const int alpha = static_cast<int>(argb >> 24);
                const auto channel = [&](int shift)
                { return alpha == 0 ? 0 : static_cast<int>(((argb >> shift) & 0xFF) * 255 / alpha); };
                image.pixels.push_back({channel(16), channel(8), channel(0), alpha});
            }
        }
    }
    cairo_surface_destroy(surface);
    return image;
}

std::string bytesOf(const fs::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

int runTool(const fs::path& folder, const std::string& version)
{
    const std::string command = std::string("'") + ARTWORK_PATH + "' --output '" + folder.string() +
                                "' --product-version '" + version + "' >/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Relative luminance of an sRGB colour, for contrast ratios as readability guidelines define them.
double luminance(const SPixel& pixel)
{
    const auto linear = [](int channel)
    {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(pixel.red) + 0.7152 * linear(pixel.green) + 0.0722 * linear(pixel.blue);
}

// Hue in degrees, 0..360.
double hue(const SPixel& pixel)
{
    const double degrees =
        std::atan2(std::sqrt(3.0) * (pixel.green - pixel.blue), 2.0 * pixel.red - pixel.green - pixel.blue) *
        180.0 / M_PI;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

double contrast(double first, double second)
{
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Runs the generator as the build does, once per folder and test program; the folder "first"
// holds the pictures the other cases look at.
class ArtworkOutput : public ::testing::Test
{
protected:
    static void TearDownTestSuite() { fs::remove_all(root()); }

    static fs::path root()
    {
        return fs::temp_directory_path() / ("artwork_test_" + std::to_string(getpid()));
    }

    static fs::path folder(const std::string& name, const std::string& version = Vantor::Product::kVersion)
    {
        const fs::path path = root() / name;
        if (!fs::exists(path))
        {
            EXPECT_EQ(runTool(path, version), 0) << name;
        }
        return path;
    }

    static SImage picture(const std::string& name) { return load(folder("first") / name); }
};

TEST_F(ArtworkOutput, EveryRunSucceedsAndOnlyTheAboutPictureShowsTheVersion)
{
    const fs::path first = folder("first");
    const fs::path second = folder("second");
    const fs::path other = folder("other", "7.6.5");
    for (const std::string& name : kFiles)
    {
        SCOPED_TRACE(name);
        const std::string bytes = bytesOf(first / name);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(bytes, bytesOf(second / name)) << "two runs must give the same bytes";
        EXPECT_EQ(bytes == bytesOf(other / name), name != "splash.png");
    }
}

TEST_F(ArtworkOutput, SizesFitTheEditorLayout)
{
    struct SCase
    {
        const char* name;
        int minWidth, maxWidth, minHeight, maxHeight;
    };
    const SCase cases[] = {
        {"BackgroundLite.png", 500, 500, 158, 158},
        // A knob of at most 54 x 48 at x 405 clears the meter at x 460 and, at y 65, its read-out at 115.
        {"knob.png", 36, 54, 36 * 129, 48 * 129},
        {"buttonUp.png", 24, 80, 14, 30},
        {"buttonDown.png", 24, 80, 14, 30},
        // The info button hangs at (350, 0): it must fit above the captions and clear the meter.
        {"info.png", 26, 100, 14, 40},
        {"splash.png", 360, 440, 220, 280},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const SImage image = picture(c.name);
        EXPECT_GE(image.width, c.minWidth);
        EXPECT_LE(image.width, c.maxWidth);
        EXPECT_GE(image.height, c.minHeight);
        EXPECT_LE(image.height, c.maxHeight);
    }
    const SImage strip = picture("knob.png");
    for (const char* name : {"knob2.png", "knob3.png"}) // the other strips are the same size
    {
        const SImage other = picture(name);
        EXPECT_EQ(other.width, strip.width) << name;
        EXPECT_EQ(other.height, strip.height) << name;
    }
    const SImage up = picture("buttonUp.png");
    const SImage down = picture("buttonDown.png");
    EXPECT_EQ(std::make_pair(up.width, up.height), std::make_pair(down.width, down.height));
    // Every picture comes again for 2x and 3x screens, exactly that many times larger.
    for (const std::string& name : kFiles)
    {
        const SImage one = picture(name);
        for (const int density : {2, 3})
        {
            const std::string file = Layout::artworkFile(name, density);
            SCOPED_TRACE(file);
            const SImage scaled = picture(file);
            EXPECT_EQ(std::make_pair(scaled.width, scaled.height),
                      std::make_pair(one.width * density, one.height * density));
        }
    }
}

// Measurements of one frame of a film strip around the knob's centre.
struct SFrame
{
    const SImage& strip;
    int top;

    const SPixel& at(double x, double y) const
    {
        return strip.at(static_cast<int>(std::lround(x)), top + static_cast<int>(std::lround(y)));
    }

    // Direction of the bright pointer on the cap, in degrees clockwise from straight up.
    double pointerAngle() const
    {
        double sumX = 0.0;
        double sumY = 0.0;
        double weight = 0.0;
        for (int y = 0; y < Knob::kFrameHeight; ++y)
        {
            for (int x = 0; x < strip.width; ++x)
            {
                const double dx = x + 0.5 - Knob::kCentreX;
                const double dy = y + 0.5 - Knob::kCentreY;
                const SPixel& pixel = strip.at(x, top + y);
                const double brightness = (pixel.red + pixel.green + pixel.blue) / 3.0;
                if (std::hypot(dx, dy) < Knob::kCapRadius && pixel.alpha == 255 && brightness > 180.0)
                {
                    sumX += dx * brightness;
                    sumY += dy * brightness;
                    weight += brightness;
                }
            }
        }
        return weight > 0.0 ? std::atan2(sumX, -sumY) * 180.0 / M_PI : 999.0;
    }

    static bool lit(const SPixel& pixel)
    {
        const int spread =
            std::max({pixel.red, pixel.green, pixel.blue}) - std::min({pixel.red, pixel.green, pixel.blue});
        return pixel.alpha == 255 && spread > 60;
    }

    // Degrees of the value arc lit from the start of the sweep, and their mean colour.
    int litDegrees(SPixel* meanColour = nullptr) const
    {
        int degrees = 0;
        long sums[3] = {0, 0, 0};
        for (int step = 0; step <= 270; ++step)
        {
            const double angle = (Knob::kStartAngle + step) * M_PI / 180.0;
            const SPixel& pixel = at(Knob::kCentreX - 0.5 + Knob::kArcRadius * std::sin(angle),
                                     Knob::kCentreY - 0.5 - Knob::kArcRadius * std::cos(angle));
            if (!lit(pixel))
            {
                break;
            }
            ++degrees;
            sums[0] += pixel.red;
            sums[1] += pixel.green;
            sums[2] += pixel.blue;
        }
        if (meanColour != nullptr && degrees > 0)
        {
            *meanColour = {static_cast<int>(sums[0] / degrees), static_cast<int>(sums[1] / degrees),
                           static_cast<int>(sums[2] / degrees), 255};
        }
        return degrees;
    }
};

TEST_F(ArtworkOutput, KnobFramesFollowTheValue)
{
    struct SCase
    {
        int frame;
        double pointer; // degrees clockwise from up
        int arc;        // degrees of value arc
    };
    // Value 0 shows frame 0 (lower left), 0.5 frame 64 (straight up), 1 frame 128 (lower right).
    const SCase cases[] = {
        {0, -135.0, 0}, {32, -67.5, 67}, {64, 0.0, 135}, {96, 67.5, 202}, {128, 135.0, 270}};
    std::vector<SPixel> accents;
    for (const char* name : {"knob.png", "knob2.png", "knob3.png"})
    {
        const SImage strip = picture(name);
        ASSERT_EQ(strip.height, Knob::kFrameHeight * 129) << name;
        for (const SCase& c : cases)
        {
            SCOPED_TRACE(std::string(name) + " frame " + std::to_string(c.frame));
            const SFrame frame{strip, c.frame * Knob::kFrameHeight};
            EXPECT_NEAR(frame.pointerAngle(), c.pointer, 3.0);
            EXPECT_NEAR(frame.litDegrees(), c.arc, 4);
        }
        SPixel accent;
        SFrame{strip, 128 * Knob::kFrameHeight}.litDegrees(&accent);
        accents.push_back(accent);
    }
    // The three strips are told apart by the hue of their accent colour.
    for (std::size_t first = 0; first < accents.size(); ++first)
    {
        for (std::size_t second = first + 1; second < accents.size(); ++second)
        {
            const double apart = std::abs(hue(accents[first]) - hue(accents[second]));
            EXPECT_GT(std::min(apart, 360.0 - apart), 30.0) << "accents " << first << " and " << second;
        }
    }
}

TEST_F(ArtworkOutput, KnobFramesLeaveCornersAndCaptionRowsTransparent)
{
    // Captions are drawn over the top rows of the knob's rectangle (y 65 to 72): nothing of the
    // knob may show there, and the corners stay clear so the panel shows through.
    constexpr int kClearRows = 7;
    for (const char* name : {"knob.png", "knob2.png", "knob3.png"})
    {
        const SImage strip = picture(name);
        int opaqueCorners = 0;
        int coveredCaptionPixels = 0;
        for (int frame = 0; frame < 129; ++frame)
        {
            const int top = frame * Knob::kFrameHeight;
            const int bottom = top + Knob::kFrameHeight - 1;
            for (const int y : {top, top + 1, bottom - 1, bottom})
            {
                for (const int x : {0, 1, strip.width - 2, strip.width - 1})
                {
                    opaqueCorners += strip.at(x, y).alpha != 0;
                }
            }
            for (int y = top; y < top + kClearRows; ++y)
            {
                for (int x = 0; x < strip.width; ++x)
                {
                    coveredCaptionPixels += strip.at(x, y).alpha != 0;
                }
            }
        }
        EXPECT_EQ(opaqueCorners, 0) << name;
        EXPECT_EQ(coveredCaptionPixels, 0) << name;
    }
}

TEST_F(ArtworkOutput, PanelGivesEveryLabelAndTheMeterContrast)
{
    const SPixel labelColour{Layout::kLabelText.red, Layout::kLabelText.green, Layout::kLabelText.blue, 255};
    struct SCase
    {
        const char* what;
        const char* file;
        Vantor::Artwork::SRect area; // where the text (or segments) will be, in the file's pixels
        SPixel ink;
    };
    std::vector<SCase> cases;
    // Widest texts by parameter index: "-20.000 dB", "-50.000 dB", "20.000 :1", "1000.000 ms" twice, "0.000".
    const int readoutWidths[] = {56, 56, 48, 66, 66, 30};
    const int captionWidths[] = {38, 50, 26, 34, 40, 42};
    for (const auto& parameter : Vantor::Quellor::Parameters::kTable)
    {
        const Layout::SParameterControls& control = Layout::kParameterControls[parameter.index];
        const auto& readout = control.readOut;
        const auto& caption = control.caption;
        cases.push_back({"read-out",
                         "BackgroundLite.png",
                         {readout.x, readout.y + 3, readoutWidths[parameter.index], readout.height - 6},
                         labelColour});
        cases.push_back({Vantor::Quellor::Parameters::captionOf(parameter),
                         "BackgroundLite.png",
                         {caption.x, caption.y + 3, captionWidths[parameter.index], caption.height - 6},
                         labelColour});
    }
    // The meters light their segments from green (102, 200, 85) and amber into their recesses.
    cases.push_back({"meter", "BackgroundLite.png", Layout::kMeter, {102, 200, 85, 255}});
    // The scale's notches cross the gain-reduction meter's rims, beside the column its segments light.
    const auto& amber = Layout::kGainReductionLowest;
    const auto& reduction = Layout::kGainReductionMeter;
    cases.push_back({"gain-reduction meter",
                     "BackgroundLite.png",
                     {reduction.x + 2, reduction.y, reduction.width - 4, reduction.height},
                     {amber.red, amber.green, amber.blue, 255}});
    // The info button writes "info" in black, centred over its face.
    const SImage info = picture("info.png");
    cases.push_back({"info", "info.png", {info.width / 2 - 9, info.height / 2 - 5, 18, 10}, {0, 0, 0, 255}});

    for (const SCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        const SImage image = picture(c.file);
        double worst = 1e9;
        for (int y = c.area.y; y < c.area.y + c.area.height; ++y)
        {
            for (int x = c.area.x; x < c.area.x + c.area.width; ++x)
            {
                ASSERT_EQ(image.at(x, y).alpha, 255) << "at " << x << ", " << y;
                worst = std::min(worst, contrast(luminance(image.at(x, y)), luminance(c.ink)));
            }
        }
        EXPECT_GE(worst, 4.5);
    }
}

#if defined(ARTWORK_FRAMEWORK_LOADER)
TEST_F(ArtworkOutput, TheEditorsImageLoaderReadsEveryPicture)
{
    using Vantor::GUI::Graphics::CPNGImage;
    const fs::path first = folder("first");
    for (const std::string& name : kFiles)
    {
        SCOPED_TRACE(name);
        const SImage decoded = picture(name);
        CPNGImage* image = CPNGImage::createImage(first.c_str(), name.c_str());
        image->referenced();
        EXPECT_TRUE(image->hasImageLoaded()) << image->getLastError().getString();
        EXPECT_EQ(image->getImageSize().getWidth(), decoded.width);
        EXPECT_EQ(image->getImageSize().getHeight(), decoded.height);
        image->dereference();
    }
}
#endif

TEST(ArtworkCommandLine, WrongArgumentsAndUnwritableFoldersAreRefused)
{
    const fs::path scratch = fs::temp_directory_path() / ("artwork_cli_" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const std::string blocked = (scratch / "file").string();
    std::ofstream(blocked) << "not a folder";
    const std::string out = (scratch / "out").string();
    struct SCase
    {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    };
    const SCase cases[] = {
        {{}, 2, "--output is missing"},
        {{"--output", out}, 2, "--product-version is missing"},
        {{"--output"}, 2, "--output needs a value"},
        {{"--output", out, "--product-version", ""}, 2, "--product-version needs a value"},
        {{"--colour", "red"}, 2, "unknown argument \"--colour\""},
        {{"--output", out, "--product-version", "1.0", "--zoom", "2"}, 2, "--zoom applies only to --preview"},
        {{"--output", out, "--product-version", "1.0", "--preview", "p.png", "--zoom", "12"},
         2,
         "from 1 to 8"},
        {{"--output", blocked + "/Resources", "--product-version", "1.0"}, 1, blocked.c_str()},
    };
    for (const SCase& c : cases)
    {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        std::ostringstream output;
        std::ostringstream errors;
        EXPECT_EQ(Vantor::Artwork::run(c.arguments, output, errors), c.exitCode);
        EXPECT_NE(errors.str().find(c.message), std::string::npos) << errors.str();
        EXPECT_FALSE(fs::exists(out));
    }
    fs::remove_all(scratch);
}

} // namespace
