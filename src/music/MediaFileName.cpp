#include "music/MediaFileName.h"

#include <algorithm>
#include <string>

namespace velunor {

bool HasAcceptedEnding(std::string_view name, std::span<const std::string_view> endings) {
    if (name.size() < 5) {
        return true;
    }
    std::string ending(name.substr(name.size() - 3));
    for (char& c : ending) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return std::find(endings.begin(), endings.end(), ending) != endings.end();
}

bool IsMusicFileName(std::string_view name) {
    return HasAcceptedEnding(name, kMusicEndings);
}

}  // namespace velunor
