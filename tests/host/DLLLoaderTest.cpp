#include "framework/host/DLLLoader.hpp"

#include "framework/basics/Exception.hpp"

#include "tests/ScratchFolder.hpp"
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using Vantor::Basics::CString;
using Vantor::Exceptions::CException;
using Vantor::Host::CDLLLoader;

TEST(DLLLoaderTest, LoadsALibraryAndFindsItsFunctions)
{
    CDLLLoader loader(VANTOR_LIBRARY_PROBE);
    ASSERT_TRUE(loader.isLoaded());
    EXPECT_STREQ(loader.getPath().getString(), VANTOR_LIBRARY_PROBE);
    auto answer = reinterpret_cast<int (*)()>(loader.getFunction("probeAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(loader.getFunction("noSuchFunction"), nullptr);

    loader.unloadDll();
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.getFunction("probeAnswer"), nullptr);
}

TEST(DLLLoaderTest, AMissingFileIsReportedWithItsPath)
{
    CDLLLoader loader;
    try
    {
        loader.loadDll("/nonexistent/libnothing.so");
        FAIL() << "no exception";
    }
    catch (const CException& exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), "/nonexistent/libnothing.so doesnt exist");
        EXPECT_STREQ(exception.getFunctionName().getString(), "CDLLLoader::loadDll(const CString &)");
    }
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_THROW(CDLLLoader("/nonexistent/libnothing.so"), CException);
}

TEST(DLLLoaderTest, AFileThatIsNoLibraryLoadsNothing)
{
    const Vantor::Testing::CScratchFolder folder;
    const auto path = folder / "not_a_library.so";
    std::ofstream(path) << "just text";
    CDLLLoader loader(VANTOR_LIBRARY_PROBE);
    loader.loadDll(path.string().c_str()); // replaces the library loaded before
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.getFunction("probeAnswer"), nullptr);
}
