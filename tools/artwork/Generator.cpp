#include "tools/artwork/Generator.hpp"

#include "tools/artwork/Pictures.hpp"

#include <filesystem>
#include <stdexcept>

namespace Vantor::Artwork
{

namespace
{

constexpr const char* kUsage =
    "usage: artwork --output FOLDER --product-version TEXT [--preview FILE [--zoom N]]";

struct SOptions
{
    std::string output;
    std::string version;
    std::string preview;
    int zoom = 1;
};

class CUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

SOptions parse(const std::vector<std::string>& arguments)
{
    SOptions options;
    bool zoomGiven = false;
    for (std::size_t index = 0; index < arguments.size(); ++index)
    {
        const std::string& name = arguments[index];
        if (name != "--output" && name != "--product-version" && name != "--preview" && name != "--zoom")
        {
            throw CUsageError("unknown argument \"" + name + "\"");
        }
        if (index + 1 >= arguments.size() || arguments[index + 1].empty())
        {
            throw CUsageError(name + " needs a value");
        }
        const std::string& value = arguments[++index];
        if (name == "--output")
        {
            options.output = value;
        }
        else if (name == "--product-version")
        {
            options.version = value;
        }
        else if (name == "--preview")
        {
            options.preview = value;
        }
        else
        {
            if (value.size() != 1 || value[0] < '1' || value[0] > '8')
            {
                throw CUsageError("--zoom takes a whole number from 1 to 8");
            }
            options.zoom = value[0] - '0';
            zoomGiven = true;
        }
    }
    if (options.output.empty())
    {
        throw CUsageError("--output is missing");
    }
    if (options.version.empty())
    {
        throw CUsageError("--product-version is missing");
    }
    if (zoomGiven && options.preview.empty())
    {
        throw CUsageError("--zoom applies only to --preview");
    }
    return options;
}

CSurface enlarged(cairo_surface_t* image, int zoom)
{
    CSurface result = makeSurface(cairo_image_surface_get_width(image) * zoom,
                                  cairo_image_surface_get_height(image) * zoom);
    CContext context = makeContext(result.get());
    cairo_scale(context.get(), zoom, zoom);
    cairo_set_source_surface(context.get(), image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(context.get()), CAIRO_FILTER_NEAREST);
    cairo_paint(context.get());
    cairo_surface_flush(result.get());
    return result;
}

} // namespace

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    SOptions options;
    try
    {
        options = parse(arguments);
    }
    catch (const CUsageError& error)
    {
        err << "artwork: " << error.what() << "\n" << kUsage << "\n";
        return 2;
    }
    try
    {
        const std::filesystem::path folder(options.output);
        std::filesystem::create_directories(folder);
        const std::vector<SPicture> pictures = renderAll(options.version);
        for (const SPicture& picture : pictures)
        {
            writePng(picture.image.get(), (folder / picture.fileName).string());
        }
        out << "artwork: wrote " << pictures.size() << " pictures into " << folder.string() << "\n";
        if (!options.preview.empty())
        {
            const CSurface preview = renderPreview(pictures);
            writePng(enlarged(preview.get(), options.zoom).get(), options.preview);
            out << "artwork: wrote the preview " << options.preview << "\n";
        }
    }
    catch (const std::exception& error)
    {
        err << "artwork: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace Vantor::Artwork
