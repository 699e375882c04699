// Every test program starts from the same editor settings: no scale from the
// environment and a settings folder of its own, so that a developer's desktop
// (GDK_SCALE) or size choice never changes a result. Set up before main, before
// any test makes an editor; programs the tests start inherit it.
#include "tests/Environment.hpp"

#include <filesystem>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace
{

using Vantor::Testing::setVariable;

struct SCleanEnvironment
{
    SCleanEnvironment()
    {
        setVariable("PRESSORA_SCALE", "");
        setVariable("GDK_SCALE", "");
        std::error_code error;
        folder = std::filesystem::temp_directory_path(error) /
                 ("vantor-test-settings-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder, error);
        setVariable("XDG_CONFIG_HOME", folder.string().c_str());
        setVariable("APPDATA", folder.string().c_str());
    }
    ~SCleanEnvironment()
    {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    SCleanEnvironment(const SCleanEnvironment&) = delete;
    SCleanEnvironment& operator=(const SCleanEnvironment&) = delete;

    std::filesystem::path folder;
};

const SCleanEnvironment g_cleanEnvironment;

} // namespace
