#include "editor/EditorSettings.hpp"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "editor/EditorScale.hpp"
#include "framework/basics/SystemString.hpp"
#include "framework/collections/AutomaticPointer.hpp"
#include "framework/io/XMLDocument.hpp"
#include "framework/io/XMLNode.hpp"
#include "framework/platform/FileSystem.hpp"

namespace Vantor::Quellor
{

namespace
{
constexpr const char* kProductFolder = "PressoraLite";
constexpr const char* kFileName = "settings.xml";
constexpr const char* kAutomatic = "automatic";
} // namespace

std::string CEditorSettings::defaultPath()
{
    const std::string folder = Platform::getUserSettingsFolder();
    if (folder.empty())
    {
        return "";
    }
    return (std::filesystem::path(folder) / kProductFolder / kFileName).string();
}

std::optional<double> CEditorSettings::readSizeChoice(const std::string& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
    {
        return std::nullopt;
    }
    IO::CXMLDocument document;
    if (!document.readFile(Basics::CSystemString(path.c_str())))
    {
        return std::nullopt;
    }
    const IO::CXMLNode* root = document.getRootNode();
    if (root == nullptr || root->getName() != "settings")
    {
        return std::nullopt;
    }
    const IO::CXMLNode* editor = root->getChildNodeWithName("editor");
    if (editor == nullptr)
    {
        return std::nullopt;
    }
    const Basics::CString size = editor->getAttributeValue("size");
    if (size == kAutomatic)
    {
        return std::nullopt;
    }
    const std::optional<double> scale = EditorScale::parse(size.getString());
    // Only sizes the menu offers: anything else was not written by us.
    if (!scale || EditorScale::menuChoiceOf(scale) < 0)
    {
        return std::nullopt;
    }
    return scale;
}

bool CEditorSettings::writeSizeChoice(const std::string& path, const std::optional<double>& scale)
{
    if (path.empty())
    {
        return false;
    }
    const std::filesystem::path target(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);

    auto* root = new IO::CXMLNode("settings");
    IO::CXMLDocument document;
    document.setRootNode(root);
    root->createAttribute("version", "1");
    const std::string size = scale ? std::to_string(static_cast<long>(std::lround(*scale * 100.0))) + "%"
                                   : std::string(kAutomatic);
    root->createChildNode("editor")->createAttribute("size", size.c_str());

    std::filesystem::path temporary = target;
    temporary += ".new";
    // Read back before it replaces the file: a full disk gives a short file, not an error.
    if (!document.writeFile(Basics::CSystemString(temporary.string().c_str())) ||
        readSizeChoice(temporary.string()) != scale)
    {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error)
    {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace Vantor::Quellor
