#include "framework/gui/graphics/ImageCache.hpp"

#include <map>
#include <mutex>
#include <string>

#include "framework/gui/graphics/BaseImage.hpp"
#include "framework/gui/graphics/Image.hpp"

namespace Vantor::GUI::Graphics
{

namespace
{
using TEntries = std::map<std::string, IImage*>;

std::mutex& cacheLock()
{
    static std::mutex lock;
    return lock;
}

// Made on first use and deleted by clear(), so that a library unloaded after its
// shutdown leaves no table behind. Guarded by cacheLock().
TEntries*& entries()
{
    static TEntries* table = nullptr;
    return table;
}
} // namespace

IImage* CImageCache::acquireImage(const Basics::CString& path, const TLoader load)
{
    const std::string key = path.getString();
    const std::lock_guard<std::mutex> guard(cacheLock());
    TEntries*& table = entries();
    if (table != nullptr)
    {
        const auto found = table->find(key);
        if (found != table->end())
        {
            found->second->referenced();
            return found->second;
        }
    }

    IImage* image = load(path);
    if (image == nullptr)
    {
        return nullptr;
    }
    image->referenced();
    if (image->hasImageLoaded())
    {
        if (table == nullptr)
        {
            table = new TEntries();
        }
        // The table insert is the only step that can throw; the caller's reference
        // must not leak with it.
        try
        {
            table->emplace(key, image);
        }
        catch (...)
        {
            image->dereference();
            throw;
        }
        image->referenced();
    }
    return image;
}

IImage* CImageCache::acquireImage(const Basics::CString& path)
{
    return acquireImage(path, &CBaseImage::createImage);
}

void CImageCache::clear()
{
    TEntries* table = nullptr;
    {
        const std::lock_guard<std::mutex> guard(cacheLock());
        std::swap(table, entries());
    }
    if (table == nullptr)
    {
        return;
    }
    for (const auto& entry : *table)
    {
        entry.second->dereference();
    }
    delete table;
}

long CImageCache::getNumberOfImages()
{
    const std::lock_guard<std::mutex> guard(cacheLock());
    const TEntries* table = entries();
    return table == nullptr ? 0 : static_cast<long>(table->size());
}

} // namespace Vantor::GUI::Graphics
