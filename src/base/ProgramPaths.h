#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace velunor {

// The platform's own path separator, as one byte of text.
inline constexpr char kPathSeparator =
#ifdef _WIN32
    '\\';
#else
    '/';
#endif

// The folder of the running executable, without a trailing separator. Empty when the path holds
// no separator at all.
std::string ModuleFolder(std::string_view executablePath);

// The part of a path after its last separator (empty when the path ends in one).
std::string FileNameOf(std::string_view path);

// A full path split into its file name and its folder; the folder keeps its trailing separator,
// so folder + name gives the path back.
std::pair<std::string, std::string> SplitPath(std::string_view path);

// Everything the program reads or writes lies beside its executable. These paths are derived once
// at start-up from where the executable really is.
struct ProgramPaths {
    std::string m_folder;      // always ends with the separator
    std::string m_exePath;     // the folder and the platform's fixed executable name
    std::string m_configPath;  // the folder and "config.ini"

    // executablePath is the running executable as the platform reports it; executableName is the
    // fixed name the program is known by on this platform (it need not match the running file).
    static ProgramPaths FromExecutable(std::string_view executablePath,
                                       std::string_view executableName);

    // A file inside one of the program's sub-folders ("Music", "Picture").
    std::string FileIn(std::string_view subFolder, std::string_view fileName) const;
    // One of the program's sub-folders, without a trailing separator.
    std::string SubFolder(std::string_view subFolder) const;
};

}  // namespace velunor
