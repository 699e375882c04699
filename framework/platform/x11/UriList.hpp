#pragma once
// Reading the "text/uri-list" data that file drops carry on X11.

#include "framework/platform/BackendGuard.hpp"

#include <string>
#include <vector>

namespace Vantor::Platform::UriList
{

// Local file paths of a URI list: one URI per line, "#" lines are comments, only
// "file:" URIs count (with or without a host), percent escapes are decoded.
std::vector<std::string> parseFilePaths(const std::string& list);

} // namespace Vantor::Platform::UriList
