#include "base/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <system_error>
#include <vector>

#include "base/IniText.h"
#include "base/Utf8Path.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

struct Line {
    std::string_view text;    // without its line ending
    std::string_view ending;  // "\n", "\r\n" or empty for a last line without one
};

std::vector<Line> SplitLines(std::string_view content) {
    std::vector<Line> lines;
    while (!content.empty()) {
        const auto newline = content.find('\n');
        std::string_view text = content.substr(0, newline);
        std::string_view ending;
        if (newline != std::string_view::npos) {
            ending = content.substr(newline, 1);
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                ending = content.substr(newline - 1, 2);
            }
        }
        lines.push_back({text, ending});
        content.remove_prefix(newline == std::string_view::npos ? content.size() : newline + 1);
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::optional<std::string_view> value;
};

// A line that is not blank and has no '=' is, as Windows reads a profile, a key of that name with
// no value: found before a real line of the same key, it hides that line, and the key reads as
// missing.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        const std::string_view name = Trim(line);
        return name.empty() ? std::nullopt : std::optional(KeyLine{name, std::nullopt});
    }
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Where a key lives in the file: the lines of its section and the line of the key itself.
struct Location {
    std::optional<std::size_t> sectionHeader;
    std::size_t sectionEnd = 0;  // one past the section's last line that is not blank
    std::optional<std::size_t> keyLine;
};

// The names asked for are trimmed as the file's names are, so that a name written with blanks
// around it is found again.
Location Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (name && where.sectionHeader) {
            break;  // the section ended; only its first occurrence counts
        }
        if (name) {
            if (EqualsIgnoringCase(*name, section)) {
                where.sectionHeader = i;
                where.sectionEnd = i + 1;
            }
            continue;
        }
        if (!where.sectionHeader) {
            continue;
        }
        if (!Trim(lines[i].text).empty()) {
            where.sectionEnd = i + 1;
        }
        const auto parsed = ParseKeyLine(lines[i].text);
        if (!where.keyLine && parsed && EqualsIgnoringCase(parsed->key, key)) {
            where.keyLine = i;
        }
    }
    return where;
}

std::string_view LineEndingOf(std::string_view content) {
    return content.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
}

// The C runtime of Windows reads a narrow file name in the ANSI code page, not as UTF-8, so names
// go to it in UTF-16 there. Its fopen knows no "x" either: a new file is one that did not exist a
// moment before.
std::FILE* OpenFile(const fs::path& path, bool createNew) {
#ifdef _WIN32
    std::error_code error;
    if (createNew && (fs::exists(path, error) || error)) {
        return nullptr;
    }
    return _wfopen(path.c_str(), createNew ? L"wb" : L"rb");
#else
    // "x": never take over a file that someone else made in the meantime.
    return std::fopen(path.c_str(), createNew ? "wbx" : "rb");
#endif
}

std::optional<std::string> ReadWholeFile(const fs::path& path, bool& existed) {
    std::error_code error;
    existed = fs::exists(path, error);
    std::FILE* file = OpenFile(path, false);
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string content;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return content;
}

// Writes content to a new file beside target and renames it over target.
bool ReplaceFile(const fs::path& target, const std::string& content, bool targetExisted) {
    std::random_device random;
    fs::path temporary = target;
    temporary += ".new-" + std::to_string(random() & 0xffffff);
    std::FILE* file = OpenFile(temporary, true);
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (written && closed && targetExisted) {
        fs::permissions(temporary, fs::status(target, error).permissions(), error);
    }
    if (written && closed) {
        fs::rename(temporary, target, error);
        if (!error) {
            return true;
        }
    }
    fs::remove(temporary, error);
    return false;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A line break in a name or value would write lines nobody asked for, and a key line that begins
// with '[' would read as a section header.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
    return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
           section.find(']') == std::string_view::npos && key.find('=') == std::string_view::npos &&
           !Trim(key).starts_with('[');
}

std::optional<std::string> LookupInText(std::string_view content, std::string_view section,
                                        std::string_view key) {
    const auto lines = SplitLines(content);
    const auto where = Locate(lines, section, key);
    if (!where.keyLine) {
        return std::nullopt;
    }
    const auto value = ParseKeyLine(lines[*where.keyLine].text)->value;
    if (!value) {
        return std::nullopt;
    }
    return std::string(Unquote(*value));
}

std::string WithValueInText(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view value) {
    const auto lines = SplitLines(content);
    const auto where = Locate(lines, section, key);
    const std::string_view eol = LineEndingOf(content);
    std::string keyLine(key);
    keyLine += '=';
    keyLine += value;

    std::string result;
    result.reserve(content.size() + keyLine.size() + section.size() + 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (where.keyLine == i) {
            result += keyLine;
            result += lines[i].ending.empty() ? std::string_view() : lines[i].ending;
            continue;
        }
        if (!where.keyLine && where.sectionHeader && i == where.sectionEnd) {
            result += keyLine;
            result += eol;
        }
        result += lines[i].text;
        result += lines[i].ending;
    }
    const bool appendAtEnd = !where.sectionHeader || where.sectionEnd == lines.size();
    if (where.keyLine || !appendAtEnd) {
        return result;
    }
    if (!result.empty() && result.back() != '\n') {
        result += eol;
    }
    if (!where.sectionHeader) {
        result += '[';
        result += section;
        result += ']';
        result += eol;
        result += keyLine;
        result += eol;
    } else {
        result += keyLine;
        result += eol;
    }
    return result;
}

std::string WithoutKeyInText(std::string_view content, std::string_view section,
                             std::string_view key) {
    const auto lines = SplitLines(content);
    const auto where = Locate(lines, section, key);
    std::string result;
    result.reserve(content.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (where.keyLine != i) {
            result += lines[i].text;
            result += lines[i].ending;
        }
    }
    return result;
}

// The file's content changed by change and put in place of the old in one replace; false, and the
// file as it was, when the file cannot be read or change refuses.
bool ReplaceContent(const std::string& path,
                    const std::function<std::optional<std::string>(std::string)>& change) {
    fs::path target = PathFromUtf8(path);
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);  // replace the file, keep the link
        if (error) {
            return false;
        }
    }
    bool existed = false;
    auto content = ReadWholeFile(target, existed);
    if (!content && existed) {
        return false;  // there is a file we cannot read: never replace it blindly
    }
    const auto written = change(content.value_or(""));
    return written && ReplaceFile(target, *written, existed);
}

}  // namespace

std::optional<std::string> IniFile::Lookup(std::string_view content, std::string_view section,
                                           std::string_view key) {
    return LookupInText(IniText::Decode(content).m_text, section, key);
}

std::optional<std::string> IniFile::WithValue(std::string_view content, std::string_view section,
                                              std::string_view key, std::string_view value) {
    if (!CanWrite(section, key, value)) {
        return std::nullopt;
    }
    const IniText file = IniText::Decode(content);
    return file.Encode(WithValueInText(file.m_text, section, key, value));
}

std::optional<std::string> IniFile::Read(const std::string& path, std::string_view section,
                                         std::string_view key) {
    bool existed = false;
    const auto content = ReadWholeFile(PathFromUtf8(path), existed);
    if (!content) {
        return std::nullopt;
    }
    return Lookup(*content, section, key);
}

bool IniFile::Write(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    const KeyValue entry{key, value};
    return WriteAll(path, section, std::span<const KeyValue>(&entry, 1));
}

bool IniFile::WriteAll(const std::string& path, std::string_view section,
                       std::span<const KeyValue> entries) {
    return ReplaceContent(path, [&](std::string content) -> std::optional<std::string> {
        std::optional<std::string> written = std::move(content);
        for (const KeyValue& entry : entries) {
            written = WithValue(*written, section, entry.key, entry.value);
            if (!written) {
                return std::nullopt;  // one value the file cannot take: none is written
            }
        }
        return written;
    });
}

bool IniFile::Remove(const std::string& path, std::string_view section, std::string_view key) {
    if (!Read(path, section, key)) {
        return true;  // nothing to take out: the file stays untouched
    }
    return ReplaceContent(path, [&](std::string content) -> std::optional<std::string> {
        const IniText file = IniText::Decode(content);
        return file.Encode(WithoutKeyInText(file.m_text, section, key));
    });
}

}  // namespace velunor
