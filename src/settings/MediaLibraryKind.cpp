#include "settings/MediaLibraryKind.h"

namespace velunor {

bool IsListedName(std::string_view name, std::span<const std::string_view> endings) {
    if (name == "." || name == ".." || name == "Thumbs.db") {
        return false;
    }
    return HasAcceptedEnding(name, endings);
}

}  // namespace velunor
