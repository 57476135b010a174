#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "base/Utf8Path.h"

namespace velunor::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Its name holds Chinese characters and a space, as a user's program folder may.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        m_path =
            std::filesystem::temp_directory_path() /
            PathFromUtf8("velunor 测试-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as the program writes it: UTF-8, with a trailing separator.
    std::string Folder() const {
        return Utf8FromPath(m_path) + char(std::filesystem::path::preferred_separator);
    }
    // A file inside, named in UTF-8 with '/' between folders; the path has the platform's
    // separators.
    std::string File(const std::string& name) const { return Utf8FromPath(Inside(name)); }

    void Write(const std::string& name, const std::string& content) const {
        std::filesystem::create_directories(Inside(name).parent_path());
        std::ofstream(Inside(name), std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Inside(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Inside(name)); }

private:
    std::filesystem::path Inside(const std::string& name) const {
        return m_path / PathFromUtf8(name).make_preferred();
    }

    std::filesystem::path m_path;
};

}  // namespace velunor::test
