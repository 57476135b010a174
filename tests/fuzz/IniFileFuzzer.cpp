// libFuzzer target for the config.ini reader and writer.
//
// An input is a file's content, optionally followed by a section, a key and a value, each after a
// NUL byte: "content\0section\0key\0value". What is missing is the program's own "Option",
// "SetTime" and "20", so that plain config files make good seeds. Every input is also read whole,
// NUL bytes and all, as a file's content, and written with the program's own request, so that
// UTF-16 files (which hold NUL bytes everywhere) are written too.
//
// Checked: reading never fails on any bytes; a file's text gives back every byte of the file; a
// value written is read back; writing the same value again changes nothing; a write keeps the
// file's encoding and mark; and every line of the file's text other than the key's own line and
// the lines added for it stays as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/IniFile.h"
#include "app/IniText.h"

namespace {

using velunor::IniFile;
using velunor::IniText;

struct Request {
    std::string_view content;
    std::string_view section = "Option";
    std::string_view key = "SetTime";
    std::string_view value = "20";
};

Request ParseRequest(std::string_view data) {
    std::vector<std::string_view> parts;
    while (parts.size() < 3) {
        const auto nul = data.find('\0');
        if (nul == std::string_view::npos) {
            break;
        }
        parts.push_back(data.substr(0, nul));
        data.remove_prefix(nul + 1);
    }
    parts.push_back(data);
    Request request;
    request.content = parts[0];
    if (parts.size() > 1) {
        request.section = parts[1];
    }
    if (parts.size() > 2) {
        request.key = parts[2];
    }
    if (parts.size() > 3) {
        request.value = parts[3];
    }
    return request;
}

[[noreturn]] void Fail(const char* what, const Request& request) {
    std::fprintf(stderr, "%s\nsection [%.*s] key [%.*s] value [%.*s]\n", what,
                 int(request.section.size()), request.section.data(), int(request.key.size()),
                 request.key.data(), int(request.value.size()), request.value.data());
    std::abort();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool HasOuterBlank(std::string_view text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

bool StartsWithBracket(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && text[first] == '[';
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The reader drops blanks and one pair of matching quotes around a value by design, so only a
// value without them can come back unchanged.
bool ValueReadsBackUnchanged(std::string_view value) {
    if (HasOuterBlank(value)) {
        return false;
    }
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !quoted;
}

// What the file writer accepts; whatever it accepts must come back.
bool WriterAccepts(const Request& request) {
    return !HasLineBreak(request.section) && !HasLineBreak(request.key) &&
           !HasLineBreak(request.value) && request.section.find(']') == std::string_view::npos &&
           request.key.find('=') == std::string_view::npos && !StartsWithBracket(request.key);
}

// Lines split at '\n' only; a '\r' before it stays part of the line, so that no byte is lost
// between lines. The last element is what follows the last '\n' (possibly nothing).
std::vector<std::string_view> SplitAtNewlines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const auto newline = text.find('\n');
        lines.push_back(text.substr(0, newline));
        if (newline == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(newline + 1);
    }
}

std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

// The lines that a write may add: the key's line and its section's header, and the empty rest
// after a line ending added at the end of the file.
bool IsAddedLine(std::string_view line, const Request& request, bool last, int& keyLines) {
    const std::string_view text = WithoutCarriageReturn(line);
    const std::string keyLine = std::string(request.key) + "=" + std::string(request.value);
    const std::string header = "[" + std::string(request.section) + "]";
    if (text == keyLine) {
        ++keyLines;
        return true;
    }
    return text == header || (last && line.empty());
}

// A line kept as it was; a last line without a line ending may gain one when lines are added
// after it, and the '\r' of a "\r\n" then shows at its end.
bool SameLine(std::string_view oldLine, std::string_view newLine, bool unterminated) {
    return newLine == oldLine || (unterminated && newLine.size() == oldLine.size() + 1 &&
                                  newLine.back() == '\r' && newLine.starts_with(oldLine));
}

// The old file's lines, the new one's, matched from both ends: what is left in the middle must be
// at most one old line (the key's own) and, in the new file, only lines the write adds.
void CheckOtherLinesKept(std::string_view before, std::string_view after, const Request& request) {
    const auto oldLines = SplitAtNewlines(before);
    const auto newLines = SplitAtNewlines(after);
    std::size_t prefix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() &&
           SameLine(oldLines[prefix], newLines[prefix], prefix + 1 == oldLines.size())) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix + prefix < oldLines.size() && suffix + prefix < newLines.size() &&
           oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::size_t oldMiddle = oldLines.size() - prefix - suffix;
    if (oldMiddle > 1) {
        Fail("a write changed more than the key's line", request);
    }
    int keyLines = 0;
    for (std::size_t i = prefix; i < newLines.size() - suffix; ++i) {
        if (!IsAddedLine(newLines[i], request, i + 1 == newLines.size(), keyLines)) {
            Fail("a write changed a line other than the key's", request);
        }
    }
    if (keyLines > 1 || (keyLines == 0 && before != after)) {
        Fail("a write did not write exactly one key line", request);
    }
}

// A UTF-16 file takes only names and a value that are UTF-8; anything else it must take.
bool FileTakes(const IniText& file, const Request& request) {
    return file.Encode(request.section) && file.Encode(request.key) && file.Encode(request.value);
}

void CheckRoundTrip(const Request& request) {
    if (!WriterAccepts(request) || !ValueReadsBackUnchanged(request.value)) {
        return;
    }
    const IniText before = IniText::Decode(request.content);
    const auto written =
        IniFile::WithValue(request.content, request.section, request.key, request.value);
    if (!written) {
        if (FileTakes(before, request)) {
            Fail("the writer refused what the file can hold", request);
        }
        return;
    }
    const auto readBack = IniFile::Lookup(*written, request.section, request.key);
    if (readBack != request.value) {
        Fail("the value written does not read back", request);
    }
    if (IniFile::WithValue(*written, request.section, request.key, request.value) != *written) {
        Fail("writing the same value again changed the file", request);
    }
    const IniText after = IniText::Decode(*written);
    if (after.m_encoding != before.m_encoding || after.m_trailing != before.m_trailing) {
        Fail("a write changed how the file is stored", request);
    }
    CheckOtherLinesKept(before.m_text, after.m_text, request);
}

// Whatever a file holds, marks, odd bytes and lone surrogates included, comes back from its text.
void CheckDecodingKeepsEveryByte(std::string_view content, const Request& request) {
    const IniText file = IniText::Decode(content);
    if (file.Encode(file.m_text) != content) {
        Fail("decoding and encoding a file changed it", request);
    }
}

// Whatever the reader finds is one value on one line.
void CheckLookup(std::string_view content, const Request& request) {
    const auto value = IniFile::Lookup(content, request.section, request.key);
    if (value && value->find('\n') != std::string::npos) {
        Fail("a value read spans lines", request);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const Request request = ParseRequest(input);
    CheckLookup(input, request);
    CheckLookup(request.content, request);
    CheckRoundTrip(request);
    // A UTF-16 file is full of NUL bytes, so it gets the program's own request as a whole.
    CheckRoundTrip(Request{input});
    CheckDecodingKeepsEveryByte(input, request);
    return 0;
}
