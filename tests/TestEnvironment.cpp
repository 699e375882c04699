// Every test program starts from the same editor settings: no scale from the
// environment and a settings folder of its own, so that a developer's desktop
// (GDK_SCALE) or size choice never changes a result. Set up before main, before
// any test makes an editor; programs the tests start inherit it.
#include <cstdlib>
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

void setVariable(const char* name, const std::string& value)
{
#if defined(_WIN32)
    _putenv_s(name, value.c_str());
#else
    if (value.empty())
    {
        unsetenv(name);
    }
    else
    {
        setenv(name, value.c_str(), 1);
    }
#endif
}

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
        setVariable("XDG_CONFIG_HOME", folder.string());
        setVariable("APPDATA", folder.string());
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
