#pragma once
// The editor's per-user settings file: today the user's size choice. It lives in
// $XDG_CONFIG_HOME/PressoraLite/settings.xml (else ~/.config/PressoraLite/settings.xml;
// %APPDATA%\PressoraLite\settings.xml on Windows) and is written with the framework's
// XML classes:
//
//     <?xml version="1.0" encoding="UTF-8"?>
//     <settings version="1">
//         <editor size="150%"/>
//     </settings>
//
// ("automatic" for no choice). A missing, unreadable or corrupt file reads as Automatic.
// Writing goes to a file beside it that then replaces it, so that a crash or a full
// disk never leaves half a file; a folder that cannot be written keeps the choice for
// the session only.

#include <optional>
#include <string>

namespace Vantor::Quellor
{

class CEditorSettings
{
public:
    // The settings file of the user running the process ("" when no folder is known).
    static std::string defaultPath();

    // The size choice in a file: a scale, or empty for Automatic.
    static std::optional<double> readSizeChoice(const std::string& path);
    // Writes the choice, making the folder if needed; false (and nothing changed on
    // disk) when it cannot.
    static bool writeSizeChoice(const std::string& path, const std::optional<double>& scale);
};

} // namespace Vantor::Quellor
