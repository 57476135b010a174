#include "base/InstanceName.h"

#include <cstdint>

namespace velunor {

// 64-bit FNV-1a over the user, a zero byte and the folder's UTF-8 bytes: short, the same on every
// platform and compiler, and free of the characters a socket or mutex name may not hold.
std::string InstanceName(std::string_view programFolder, std::string_view userId) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&hash](unsigned char byte) { hash = (hash ^ byte) * 0x100000001b3u; };
    for (char c : userId) {
        add(static_cast<unsigned char>(c));
    }
    add(0);
    for (char c : programFolder) {
        add(static_cast<unsigned char>(c));
    }
    constexpr char kDigits[] = "0123456789abcdef";
    std::string name = "Velunor-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += kDigits[(hash >> shift) & 0xf];
    }
    return name;
}

}  // namespace velunor
