#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velunor {

// The program's INI files, read and written by the private-profile rules: section and key names
// match without regard to ASCII case, blanks around a value are not part of it and one pair of
// matching quotes around a value is dropped. A file that begins with a byte-order mark is read as
// UTF-8 or UTF-16 text and written back as it was stored (IniText); any other file is taken as
// bytes. A write changes the one line of its key and keeps every other line as it was, so other
// sections survive whatever their encoding.
class IniFile {
public:
    struct KeyValue {
        std::string_view key;
        std::string_view value;
    };

    // The value of key in section of a file's content, or nothing when the section or key is
    // absent. The value of a file with a mark is UTF-8.
    static std::optional<std::string> Lookup(std::string_view content, std::string_view section,
                                             std::string_view key);

    // The content with key in section set to value: the key's line replaced, else the key added at
    // the end of its section, else the section added at the end of the file. Nothing when the
    // names or the value would make lines nobody asked for, or cannot be stored in the file's
    // encoding.
    static std::optional<std::string> WithValue(std::string_view content, std::string_view section,
                                                std::string_view key, std::string_view value);

    // As Lookup, on a file; nothing when the file cannot be read.
    static std::optional<std::string> Read(const std::string& path, std::string_view section,
                                           std::string_view key);

    // As WithValue, on a file, which is created when missing. The old file is replaced in one step
    // (a new file beside it, renamed over it), so a crash or a full disk never leaves half a file.
    // False when nothing could be written; the file is then as it was.
    static bool Write(const std::string& path, std::string_view section, std::string_view key,
                      std::string_view value);

    // As Write, for several keys of one section in one replace: all of them are written, or none.
    static bool WriteAll(const std::string& path, std::string_view section,
                         std::span<const KeyValue> entries);
    // Takes key's line out of section, in one replace as Write does; true when the key is gone
    // (also when it was never there and nothing was written).
    static bool Remove(const std::string& path, std::string_view section, std::string_view key);
};

}  // namespace velunor
