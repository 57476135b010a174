#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velunor {

// The text of an INI file and the way the file stores it. Windows editors save config.ini as UTF-8
// with a byte-order mark or as UTF-16 ("Unicode") with one, and Windows' own profile functions read
// both and write back in the file's encoding; so does the program. A file without a mark is taken
// as it is, byte for byte, whatever its encoding.
//
// Nothing a file holds is lost on the way through the text: an unpaired UTF-16 surrogate becomes
// the three bytes UTF-8 would give its code point (and becomes the same unit again), and the last
// byte of a UTF-16 file with an odd byte count is kept aside and stays the file's last byte.
class IniText {
public:
    enum class Encoding { Bytes, Utf8WithMark, Utf16LE, Utf16BE };

    static IniText Decode(std::string_view fileBytes);

    // The file's bytes for text, stored as this file stores its own; nothing when text cannot be
    // stored so (a UTF-16 file takes only well-formed UTF-8, lone surrogates aside).
    std::optional<std::string> Encode(std::string_view text) const;

    Encoding m_encoding = Encoding::Bytes;
    std::string m_text;      // UTF-8 for a file with a mark, else the file's bytes
    std::string m_trailing;  // a UTF-16 file's odd last byte
};

}  // namespace velunor
