#pragma once
// The report of one render as one PNG picture: a header naming the plug-in, its
// program and settings and the files; the input's and the output's level over
// time; the gain reduction over time; the static curve; the loudness figures.

#include <string>

namespace Vantor::Pressora
{

struct SReport;

struct SReportPicture
{
    static constexpr int kWidth = 1600;
    static constexpr int kHeight = 1000;

    // Throws std::runtime_error naming the file when it cannot be drawn or written.
    static void write(const SReport& report, const std::string& path);
};

} // namespace Vantor::Pressora
