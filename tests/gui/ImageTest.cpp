#include <gtest/gtest.h>

#include <utility>

#include <fstream>

#include "framework/basics/Exception.hpp"
#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/ImageManager.hpp"
#include "framework/gui/graphics/JPEGImage.hpp"
#include "framework/gui/graphics/PNGImage.hpp"
#include "framework/gui/graphics/RGBAImage.hpp"
#include "framework/gui/graphics/TGAImage.hpp"
#include "framework/io/XMLDocument.hpp"
#include "framework/io/XMLNode.hpp"
#include "framework/platform/DrawingBackend.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI::Graphics;
using Tests::STargaPixel;

namespace
{
const char* const kHeaderMismatch =
    "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";

class ImageTest : public ::testing::Test
{
protected:
    Tests::CScratchFolder folder;
};
} // namespace

TEST_F(ImageTest, TargaPixelsArePremultipliedAndTurnedTopDown)
{
    const std::string path = folder.file("two.tga");
    // Top row: the half-transparent test pixel; bottom row: opaque red.
    Tests::writeTarga(path, 1, 2, {{200, 100, 50, 128}, {0, 0, 255, 255}});
    CTGAImage image(path.c_str());
    ASSERT_TRUE(image.hasImageLoaded()) << image.getLastError().getString();
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_EQ(image.getImageType(), 1);
    EXPECT_EQ(image.getImageSize(), MathTools::CDimension(1, 2));
    EXPECT_EQ(image.getNormalisedImageArea(), MathTools::CRect(0, 0, 1, 2));
    // (blue 200, green 100, red 50, alpha 128) is kept as (100, 50, 25, 128).
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 0), Platform::makeColour(25, 50, 100, 128));
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 1), Platform::makeColour(255, 0, 0, 255));

    // The smallest file: 18 header bytes and one pixel.
    Tests::writeTarga(path, 1, 1, {{1, 2, 3, 255}});
    ASSERT_EQ(std::filesystem::file_size(path), 22u);
    ASSERT_TRUE(image.loadFromFile(path.c_str()));
    char description[256];
    image.getObjectDescription(description, sizeof(description));
    EXPECT_EQ(std::string(description), "File loaded is = " + path);
}

TEST_F(ImageTest, TargaKindsOtherThanUncompressed32BitAreRefused)
{
    struct SVariant
    {
        const char* name;
        int offset;
        std::uint8_t value;
    } variants[] = {
        {"24 bit", 16, 24},       {"colour map", 1, 1},          {"run-length", 2, 10},
        {"identification", 0, 4}, {"top-left origin", 17, 0x28},
    };
    for (const SVariant& variant : variants)
    {
        const std::string path = folder.file("variant.tga");
        std::vector<std::uint8_t> header = Tests::targaHeader(1, 1);
        header[variant.offset] = variant.value;
        Tests::writeTarga(path, 1, 1, {{0, 0, 0, 0}}, header);
        CTGAImage image(path.c_str());
        EXPECT_FALSE(image.hasImageLoaded()) << variant.name;
        EXPECT_STREQ(image.getLastError().getString(), kHeaderMismatch) << variant.name;
        EXPECT_STREQ(image.getFilename().getString(), "") << variant.name;
    }
}

// A header claiming more pixels than the file holds (a cut file, or a header
// alone announcing 65535 x 65535) is refused before any pixel memory is taken.
TEST_F(ImageTest, TargaFilesWithoutAllTheirPixelsAreRefused)
{
    const std::string path = folder.file("short.tga");
    for (const auto& [width, height] : {std::pair{2, 2}, std::pair{65535, 65535}})
    {
        Tests::writeTarga(path, 1, 1, {{1, 2, 3, 255}}, Tests::targaHeader(width, height));
        CTGAImage image(path.c_str());
        EXPECT_FALSE(image.hasImageLoaded()) << width;
        EXPECT_STREQ(image.getLastError().getString(),
                     "The file holds fewer pixels than its header announces");
    }
}

TEST_F(ImageTest, LoadFailuresNameTheirReasonAndLeaveNothingLoaded)
{
    const std::string small = folder.file("small.tga");
    const std::string large = folder.file("large.tga");
    Tests::writeTarga(small, 1, 1, {{0, 0, 0, 255}});
    Tests::writeTarga(large, 2, 1, {{0, 0, 0, 255}, {0, 0, 0, 255}});
    CTGAImage targa(small.c_str());
    ASSERT_TRUE(targa.loadFromFile(large.c_str())); // a second load replaces the first
    EXPECT_EQ(targa.getImageSize(), MathTools::CDimension(2, 1));
    EXPECT_FALSE(targa.loadFromFile(folder.file("missing.tga").c_str()));
    EXPECT_STREQ(targa.getLastError().getString(), "Could not find file with matching details");
    EXPECT_FALSE(targa.hasImageLoaded());
    EXPECT_EQ(targa.getImageHandle(), nullptr);
    EXPECT_EQ(targa.getImageSize(), MathTools::CDimension(0, 0));
    EXPECT_FALSE(targa.loadFromFile(folder.file("picture.png").c_str()));
    EXPECT_STREQ(targa.getLastError().getString(), "Filename is not of TARGA type");

    CPNGImage png;
    EXPECT_FALSE(png.loadFromFile(folder.file("picture.bmp").c_str()));
    EXPECT_STREQ(png.getLastError().getString(), "Filename is not of PNG type");

    CJPEGImage jpeg;
    EXPECT_FALSE(jpeg.loadFromFile(folder.file("picture.png").c_str()));
    EXPECT_STREQ(jpeg.getLastError().getString(), "Filename is not of JPEG type");
    EXPECT_FALSE(jpeg.hasAlpha());

    char description[64];
    jpeg.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ(description, "No Image loaded");
}

TEST_F(ImageTest, CreatorsPickTheClassByExtension)
{
    const std::string path = folder.file("pic.tga");
    Tests::writeTarga(path, 1, 1, {{0, 0, 0, 255}});

    IImage* byExtension = CBaseImage::createImage(path.c_str());
    ASSERT_NE(byExtension, nullptr);
    EXPECT_STREQ(byExtension->getRuntimeClassName(), "CTGAImage");
    byExtension->dereference();

    EXPECT_EQ(CBaseImage::createImage(folder.file("absent.png").c_str()), nullptr);
    std::ofstream(folder.file("text.txt")) << "hello";
    EXPECT_EQ(CBaseImage::createImage(folder.file("text.txt").c_str()), nullptr);

    // The Targa creator supplies the extension.
    CTGAImage* created = CTGAImage::createImage(folder.path().c_str(), "pic.bmp");
    EXPECT_TRUE(created->hasImageLoaded());
    created->dereference();
}

TEST_F(ImageTest, ManagerLoadsTheXmlDefinitionFileAndKeepsGoingAfterFailures)
{
    Tests::writeTarga(folder.file("knob.tga"), 1, 4, std::vector<STargaPixel>(4, {0, 0, 0, 255}));
    Tests::writeTarga(folder.file("back.tga"), 1, 1, {{0, 0, 0, 255}});
    const std::string definition = folder.file("images.xml");
    {
        auto* root = new IO::CXMLNode("image_manager_root");
        IO::CXMLNode* images = root->createChildNode("images");
        IO::CXMLNode* animations = root->createChildNode("animations");
        auto entry = [&](IO::CXMLNode* section, const char* file, const char* name)
        {
            IO::CXMLNode* node = section->createChildNode("image");
            node->createAttribute("relative_path", folder.path().c_str());
            node->createAttribute("filename", file);
            node->createAttribute("reference_name", name);
            return node;
        };
        entry(images, "missing.tga", "Gone");
        entry(images, "back.tga", "Back");
        IO::CXMLNode* knob = entry(animations, "knob.tga", "Knob");
        knob->createAttribute("frame_height", "2");
        knob->createAttribute("number_of_frames", "2");
        IO::CXMLDocument document;
        document.setRootNode(root);
        ASSERT_TRUE(document.writeFile(Basics::CSystemString(definition.c_str())));
    }
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(definition.c_str()));
    EXPECT_STREQ(CImageManager::getLastError().getString(), "Failed to load image with filename missing.tga");

    IImage* back = CImageManager::getImageWithName("Back");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(CImageManager::getImageWithName("Gone"), nullptr);
    long frameHeight = 0, frames = 0;
    IImage* knob = CImageManager::getAnimationWithName("Knob", frameHeight, frames);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(frameHeight, 2);
    EXPECT_EQ(frames, 2);
    EXPECT_STREQ(CImageManager::getNameOfImage(knob).getString(), "Knob");

    CTGAImage stranger;
    EXPECT_STREQ(CImageManager::getNameOfImage(&stranger).getString(), "");

    // Writing and reading back gives the same entries.
    const std::string rewritten = folder.file("rewritten.xml");
    ASSERT_TRUE(CImageManager::writeDefinitionFile(rewritten.c_str()));
    CImageManager::clearImageManager();
    EXPECT_EQ(CImageManager::getImageWithName("Back"), nullptr);
    EXPECT_TRUE(CImageManager::loadFromDefinitionFile(rewritten.c_str()));
    EXPECT_NE(CImageManager::getImageWithName("Back"), nullptr);
    EXPECT_EQ(CImageManager::getNumberOfAnimations(), 1);
    CImageManager::clearImageManager();
}

TEST_F(ImageTest, ManagerReadsTheLineBasedFormatAndNamesBadLines)
{
    Tests::writeTarga(folder.file("a.tga"), 1, 1, {{0, 0, 0, 255}});
    const std::string definition = folder.file("skin.txt");
    {
        std::ofstream file(definition);
        file << "<start_skin>\n<images>\n"
             << folder.path() << ",a.tga,First\n"
             << "only,two\n"
             << "<animations>\n"
             << folder.path() << ",a.tga,Strip,1,1\n"
             << "<end_skin>\n"
             << "stray line\n";
    }
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(definition.c_str()));
    EXPECT_STREQ(CImageManager::getLastError().getString(), "Unknown line with buffer stray line");
    EXPECT_NE(CImageManager::getImageWithName("First"), nullptr);
    EXPECT_EQ(CImageManager::getNumberOfImages(), 1);
    EXPECT_EQ(CImageManager::getNumberOfAnimations(), 1);
    CImageManager::clearImageManager();

    std::ofstream(definition) << "<start_skin>\n<animations>\nx,y\n<end_skin>\n";
    EXPECT_FALSE(CImageManager::loadFromDefinitionFile(definition.c_str()));
    EXPECT_STREQ(CImageManager::getLastError().getString(), "Failed to load animation with buffer x,y");
    CImageManager::clearImageManager();
}

TEST_F(ImageTest, RunTimeImagesKeepWhatWasDrawnIntoThem)
{
    CRGBAImage image;
    EXPECT_THROW(image.unintialise(), Exceptions::CException);
    ASSERT_TRUE(image.initialise(4, 3));
    image.getGraphics()->getBrush().setColour(CAlphaColour(255, 0, 0, 255));
    image.getGraphics()->fillRectangle(MathTools::CRect(1, 1, 2, 1));
    EXPECT_FALSE(image.hasImageLoaded());
    image.unintialise();
    ASSERT_TRUE(image.hasImageLoaded());
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_EQ(image.getImageSize(), MathTools::CDimension(4, 3));
    EXPECT_EQ(image.getImageHandle()->getPixel(1, 1), Platform::makeColour(255, 0, 0));
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 0), 0u); // transparent where nothing was drawn
    EXPECT_EQ(image.getGraphics(), nullptr);
}
