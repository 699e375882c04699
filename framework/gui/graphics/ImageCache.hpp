#pragma once
// Decoded pictures shared by path for the whole process, so that every editor
// of a library shows the same pixels instead of decoding its own copy: a host
// session with dozens of effects then pays each decode, and its memory, once.
//
// The cache holds one counted reference per picture and every caller takes its
// own; a picture lives until the cache is cleared and its last user let it go.
// Only pictures that loaded are kept: a missing or broken file is handed back
// unloaded (or not at all, as its loader decides) and tried again on the next
// request, so a file that is repaired while the host runs shows up in the next
// effect. The module's GUI shutdown clears the cache, so an unloaded library
// leaves no picture behind.
//
// Requests may come from any thread (hosts create effects on several threads);
// one lock covers the lookup and the decode, so two threads asking for the same
// new picture decode it once. Nothing here is for the audio thread.

#include "framework/basics/String.hpp"

namespace Vantor::GUI::Graphics
{

class IImage;

class CImageCache
{
public:
    // Makes the image for a path (null or an unloaded image when it cannot).
    using TLoader = IImage* (*)(const Basics::CString& path);

    CImageCache() = delete;

    // The picture at the path, made by the loader on the first request and shared
    // afterwards (the loader is only asked when the path is not cached yet). The
    // caller owns one counted reference to what comes back and dereferences it.
    // Threads: any.
    static IImage* acquireImage(const Basics::CString& path, TLoader load);
    // The same with the image class that the path's extension names.
    // Threads: any.
    static IImage* acquireImage(const Basics::CString& path);

    // Lets go of every cached picture; the ones still in use live on with their users.
    // Threads: any.
    static void clear();
    // Threads: any.
    static long getNumberOfImages();
};

} // namespace Vantor::GUI::Graphics
