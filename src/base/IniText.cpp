#include "base/IniText.h"

#include <cstdint>

namespace velunor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool IsLeadSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsTrailSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::uint16_t UnitAt(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto first = std::uint8_t(bytes[i]);
    const auto second = std::uint8_t(bytes[i + 1]);
    return bigEndian ? std::uint16_t(first << 8 | second) : std::uint16_t(second << 8 | first);
}

// bytes holds whole units; an unpaired surrogate is written as its own code point.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = UnitAt(bytes, i, bigEndian);
        if (IsLeadSurrogate(c) && i + 3 < bytes.size()) {
            const char32_t next = UnitAt(bytes, i + 2, bigEndian);
            if (IsTrailSurrogate(next)) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, c);
    }
    return out;
}

// The code point that starts at text[at] and its length, or nothing for bytes that are not the
// shortest UTF-8 form of a code point.
std::optional<std::pair<char32_t, std::size_t>> NextCodePoint(std::string_view text,
                                                              std::size_t at) {
    const auto lead = std::uint8_t(text[at]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        return std::pair{char32_t(lead), std::size_t(1)};
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = std::uint8_t(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < shortest[length] || c > 0x10FFFF) {
        return std::nullopt;
    }
    return std::pair{c, length};
}

void AppendUnit(std::string& out, std::uint16_t unit, bool bigEndian) {
    const char high = char(unit >> 8);
    const char low = char(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// A lead surrogate followed by a trail one would come back as one other character, so text that
// holds them so is refused rather than changed.
std::optional<std::string> Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    char32_t previous = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto next = NextCodePoint(text, at);
        if (!next || (IsLeadSurrogate(previous) && IsTrailSurrogate(next->first))) {
            return std::nullopt;
        }
        const char32_t c = next->first;
        if (c >= 0x10000) {
            AppendUnit(out, std::uint16_t(0xD800 + ((c - 0x10000) >> 10)), bigEndian);
            AppendUnit(out, std::uint16_t(0xDC00 + ((c - 0x10000) & 0x3FF)), bigEndian);
        } else {
            AppendUnit(out, std::uint16_t(c), bigEndian);
        }
        previous = c;
        at += next->second;
    }
    return out;
}

std::string_view MarkOf(IniText::Encoding encoding) {
    switch (encoding) {
        case IniText::Encoding::Utf8WithMark:
            return kUtf8Mark;
        case IniText::Encoding::Utf16LE:
            return kUtf16LEMark;
        case IniText::Encoding::Utf16BE:
            return kUtf16BEMark;
        case IniText::Encoding::Bytes:
            break;
    }
    return {};
}

}  // namespace

IniText IniText::Decode(std::string_view fileBytes) {
    IniText file;
    if (fileBytes.starts_with(kUtf8Mark)) {
        file.m_encoding = Encoding::Utf8WithMark;
        file.m_text = fileBytes.substr(kUtf8Mark.size());
        return file;
    }
    if (!fileBytes.starts_with(kUtf16LEMark) && !fileBytes.starts_with(kUtf16BEMark)) {
        file.m_text = fileBytes;
        return file;
    }
    const bool bigEndian = fileBytes.starts_with(kUtf16BEMark);
    file.m_encoding = bigEndian ? Encoding::Utf16BE : Encoding::Utf16LE;
    std::string_view units = fileBytes.substr(2);
    if (units.size() % 2 != 0) {
        file.m_trailing.assign(1, units.back());
        units.remove_suffix(1);
    }
    file.m_text = Utf16ToUtf8(units, bigEndian);
    return file;
}

std::optional<std::string> IniText::Encode(std::string_view text) const {
    std::string bytes(MarkOf(m_encoding));
    if (m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE) {
        const auto units = Utf8ToUtf16(text, m_encoding == Encoding::Utf16BE);
        if (!units) {
            return std::nullopt;
        }
        bytes += *units;
    } else {
        bytes += text;
    }
    bytes += m_trailing;
    return bytes;
}

}  // namespace velunor
