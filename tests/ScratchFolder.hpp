#pragma once
// A fresh, empty folder of the test's own under the system's temporary folder,
// removed with everything in it when the object goes.
//
// The name is new in every process and every object: test programs run two at
// a time (and a sanitizer build may run beside a plain one), so a name made
// from the test's name or an address can be taken by another running test,
// which then deletes our files under us. The folder is created exclusively; a
// name already taken is never reused.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace Vantor::Testing
{

class CScratchFolder
{
public:
    explicit CScratchFolder(const std::string& prefix = "vantor_test")
    {
        static std::atomic<std::uint32_t> serial{0};
        static const std::uint64_t processTag =
            (std::uint64_t(std::random_device{}()) << 32) ^ std::random_device{}();
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; attempt++)
        {
            auto candidate = base / (prefix + "_" + std::to_string(processTag) + "_" +
                                     std::to_string(serial.fetch_add(1)));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
            {
                m_path = std::move(candidate);
                return;
            }
        }
        throw std::runtime_error("no new scratch folder could be made under " + base.string());
    }
    ~CScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& root() const { return m_path; }
    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace Vantor::Testing
