// The process-wide cache of decoded pictures: one decode per path shared by every
// user, failures tried again, and several threads asking at once.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/ImageCache.hpp"
#include "tests/gui/TestSupport.hpp"

using namespace Vantor;
using namespace Vantor::GUI::Graphics;

namespace
{
std::atomic<int> g_loads{0};

IImage* countingLoader(const Basics::CString& path)
{
    g_loads.fetch_add(1);
    return CBaseImage::createImage(path);
}

class ImageCacheTest : public ::testing::Test
{
protected:
    ImageCacheTest()
    {
        CImageCache::clear();
        g_loads = 0;
        Tests::writeTarga(picture, 2, 1, {{10, 20, 30, 255}, {40, 50, 60, 255}});
    }
    ~ImageCacheTest() override { CImageCache::clear(); }

    Tests::CScratchFolder folder;
    const std::string picture = folder.file("picture.tga");
};
} // namespace

TEST_F(ImageCacheTest, EveryRequestForAPathSharesOneDecodedImage)
{
    IImage* first = CImageCache::acquireImage(picture.c_str(), &countingLoader);
    IImage* second = CImageCache::acquireImage(picture.c_str(), &countingLoader);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(g_loads, 1);
    EXPECT_TRUE(first->hasImageLoaded());
    EXPECT_EQ(first->getReferenceCount(), 3) << "the cache's and each caller's";
    EXPECT_EQ(CImageCache::getNumberOfImages(), 1);
    first->dereference();
    second->dereference();

    // Another path is another picture.
    const std::string copy = folder.file("copy.tga");
    std::filesystem::copy_file(picture, copy);
    IImage* other = CImageCache::acquireImage(copy.c_str(), &countingLoader);
    EXPECT_NE(other, first);
    EXPECT_EQ(CImageCache::getNumberOfImages(), 2);
    other->dereference();
}

TEST_F(ImageCacheTest, AFailedLoadIsHandedBackButTriedAgainNextTime)
{
    const std::string broken = folder.file("broken.tga");
    std::ofstream(broken) << "not a picture";
    const std::string missing = folder.file("missing.tga");

    // A file that exists but does not decode: the caller gets the unloaded image and its reason.
    IImage* unloaded = CImageCache::acquireImage(broken.c_str(), &countingLoader);
    ASSERT_NE(unloaded, nullptr);
    EXPECT_FALSE(unloaded->hasImageLoaded());
    EXPECT_GT(unloaded->getLastError().getNumberOfCharacters(), 0);
    EXPECT_EQ(unloaded->getReferenceCount(), 1) << "the caller's alone";
    unloaded->dereference();
    // A missing file gives the general creator nothing at all.
    EXPECT_EQ(CImageCache::acquireImage(missing.c_str(), &countingLoader), nullptr);
    EXPECT_EQ(CImageCache::getNumberOfImages(), 0);
    EXPECT_EQ(g_loads, 2);

    // Repaired while the process runs, both load on the next request.
    // (Removed first: MinGW's copy_file refuses to overwrite even when told to.)
    std::filesystem::remove(broken);
    std::filesystem::copy_file(picture, broken);
    std::filesystem::copy_file(picture, missing);
    for (const std::string& path : {broken, missing})
    {
        IImage* image = CImageCache::acquireImage(path.c_str(), &countingLoader);
        ASSERT_NE(image, nullptr) << path;
        EXPECT_TRUE(image->hasImageLoaded()) << path;
        image->dereference();
    }
    EXPECT_EQ(g_loads, 4);
    EXPECT_EQ(CImageCache::getNumberOfImages(), 2);
}

TEST_F(ImageCacheTest, ThreadsAskingAtOnceShareOneDecodeAndKeepTheCountExact)
{
    // Editors built and destroyed on several host threads take and drop references
    // to the same pictures; a lost count frees a picture in use or leaks it.
    constexpr int kThreads = 4;
    constexpr int kRounds = 20000;
    std::atomic<bool> go{false};
    std::vector<IImage*> seen(kThreads, nullptr);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&, t]
            {
                while (!go.load())
                {
                    std::this_thread::yield();
                }
                for (int round = 0; round < kRounds; ++round)
                {
                    IImage* image = CImageCache::acquireImage(picture.c_str(), &countingLoader);
                    image->referenced(); // a control taking it too
                    seen[t] = image;
                    image->dereference();
                    image->dereference();
                }
            });
    }
    go = true;
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(g_loads, 1);
    for (IImage* image : seen)
    {
        EXPECT_EQ(image, seen[0]);
    }
    EXPECT_EQ(seen[0]->getReferenceCount(), 1) << "the cache's alone";
}
