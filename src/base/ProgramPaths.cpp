#include "base/ProgramPaths.h"

namespace velunor {

std::string ModuleFolder(std::string_view executablePath) {
    const auto last = executablePath.rfind(kPathSeparator);
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(executablePath.substr(0, last));
}

std::string FileNameOf(std::string_view path) {
    const auto last = path.rfind(kPathSeparator);
    if (last == std::string_view::npos) {
        return std::string(path);
    }
    return std::string(path.substr(last + 1));
}

std::pair<std::string, std::string> SplitPath(std::string_view path) {
    std::string name = FileNameOf(path);
    std::string folder(path.substr(0, path.size() - name.size()));
    return {std::move(name), std::move(folder)};
}

ProgramPaths ProgramPaths::FromExecutable(std::string_view executablePath,
                                          std::string_view executableName) {
    ProgramPaths paths;
    paths.m_folder = ModuleFolder(executablePath) + kPathSeparator;
    paths.m_exePath = paths.m_folder + std::string(executableName);
    paths.m_configPath = paths.m_folder + "config.ini";
    return paths;
}

std::string ProgramPaths::FileIn(std::string_view subFolder, std::string_view fileName) const {
    std::string path = SubFolder(subFolder);
    path += kPathSeparator;
    path += fileName;
    return path;
}

std::string ProgramPaths::SubFolder(std::string_view subFolder) const {
    return m_folder + std::string(subFolder);
}

}  // namespace velunor
