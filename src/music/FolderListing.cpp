#include "music/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/Utf8Path.h"

namespace velunor {

std::vector<std::string> ListFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(PathFromUtf8(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string name = Utf8FromPath(entry->path().filename());
        if (name != "." && name != "..") {
            names.push_back(std::move(name));
        }
    }
    // std::string compares as unsigned bytes, so names in any encoding sort the same way.
    std::sort(names.begin(), names.end());
    return names;
}

std::string NextFolderFile(const std::vector<std::string>& listing, int& cursor) {
    if (listing.empty()) {
        return {};
    }
    if (cursor < 0 || static_cast<std::size_t>(cursor) >= listing.size()) {
        cursor = 0;
    }
    return listing[cursor++];
}

}  // namespace velunor
