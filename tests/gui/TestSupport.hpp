#pragma once
// Small helpers of the GUI tests: Targa files, scratch folders, exception texts.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ScratchFolder.hpp"

#include "framework/basics/Exception.hpp"

namespace Vantor::Tests
{

struct STargaPixel
{
    std::uint8_t blue, green, red, alpha;
};

// The 18 header bytes of an uncompressed 32-bit Targa with 8 alpha bits, bottom-left origin.
inline std::vector<std::uint8_t> targaHeader(int width, int height)
{
    std::vector<std::uint8_t> header(18, 0);
    header[2] = 2;
    header[12] = static_cast<std::uint8_t>(width & 0xFF);
    header[13] = static_cast<std::uint8_t>(width >> 8);
    header[14] = static_cast<std::uint8_t>(height & 0xFF);
    header[15] = static_cast<std::uint8_t>(height >> 8);
    header[16] = 32;
    header[17] = 8;
    return header;
}

// Writes a file; rows are given top row first and stored bottom-up as Targa files keep them.
inline void writeTarga(const std::string& path, int width, int height,
                       const std::vector<STargaPixel>& topDown, std::vector<std::uint8_t> header = {})
{
    if (header.empty())
    {
        header = targaHeader(width, height);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    for (int row = height - 1; row >= 0; row--)
    {
        file.write(reinterpret_cast<const char*>(&topDown[static_cast<std::size_t>(row) * width]), width * 4);
    }
}

using Testing::CScratchFolder;

// Runs the call and expects an exception with exactly these reason and function texts.
template <typename TCall> void expectException(TCall&& call, const char* reason, const char* function)
{
    try
    {
        call();
        ADD_FAILURE() << "no exception";
    }
    catch (const Exceptions::CException& e)
    {
        EXPECT_STREQ(e.getErrorReason().getString(), reason);
        EXPECT_STREQ(e.getFunctionName().getString(), function);
    }
}

} // namespace Vantor::Tests
