#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velunor {

// Paths are UTF-8 text inside the program on every platform. A std::filesystem::path made from
// plain char text reads it in the system's narrow encoding on Windows (not UTF-8), so paths cross
// into and out of std::filesystem through these two only.
inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace velunor
