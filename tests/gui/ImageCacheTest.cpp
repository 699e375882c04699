// The process-wide cache of decoded pictures with several threads asking at once.
// Sharing between editors and failures tried again are seen through the editor.
#include <gtest/gtest.h>

#include <atomic>
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
