#include "app/InstanceName.h"

#include <cstdint>
#include <cstdio>

#include "app/ProgramPaths.h"

namespace velunor {

// FNV-1a over the folder's bytes, ASCII letters folded where the file system folds them.
std::string InstanceName(std::string_view programFolder) {
    constexpr bool kIgnoresCase = kPathSeparator == '\\';
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : programFolder) {
        if (kIgnoresCase && c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
        hash = (hash ^ std::uint8_t(c)) * 1099511628211ull;
    }
    char digits[17] = {};
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("Velunor-") + digits;
}

}  // namespace velunor
