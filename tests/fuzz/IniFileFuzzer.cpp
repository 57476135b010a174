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
#include <string>
#include <string_view>
#include <vector>

#include "base/IniFile.h"
#include "base/IniText.h"

namespace {

using std::string_view;
using velunor::IniFile;
using velunor::IniText;

struct Request {
    string_view content;
    string_view section = "Option";
    string_view key = "SetTime";
    string_view value = "20";
};

Request ParseRequest(string_view data) {
    Request request;
    for (string_view* part : {&request.content, &request.section, &request.key}) {
        const auto nul = data.find('\0');
        *part = data.substr(0, nul);
        if (nul == string_view::npos) {
            return request;
        }
        data.remove_prefix(nul + 1);
    }
    request.value = data;
    return request;
}

// Stops the run unless what must hold does; libFuzzer keeps the input for a replay.
void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

bool Has(string_view text, string_view chars) {
    return text.find_first_of(chars) != string_view::npos;
}

// What the writer accepts, and a value the reader gives back unchanged: it drops blanks and one
// pair of matching quotes around a value by design.
bool WritesBackUnchanged(const Request& r) {
    const string_view v = r.value;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool blankEdge = !v.empty() && (blank(v.front()) || blank(v.back()));
    const bool quoted =
        v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    const auto keyStart = r.key.find_first_not_of(" \t");
    return !Has(r.section, "\r\n]") && !Has(r.key, "\r\n=") && !Has(v, "\r\n") && !blankEdge &&
           !quoted && (keyStart == string_view::npos || r.key[keyStart] != '[');
}

// Lines split at '\n' only; a '\r' before it stays part of the line, so that no byte is lost
// between lines. The last element is what follows the last '\n' (possibly nothing).
std::vector<string_view> Lines(string_view text) {
    std::vector<string_view> lines;
    for (auto newline = text.find('\n'); newline != string_view::npos; newline = text.find('\n')) {
        lines.push_back(text.substr(0, newline));
        text.remove_prefix(newline + 1);
    }
    lines.push_back(text);
    return lines;
}

// The old file's lines, the new one's, matched from both ends: what is left in the middle must be
// at most one old line (the key's own) and, in the new file, only lines the write adds: the key's
// line (exactly one), its section's header, and the empty rest after a line ending added at the
// end. A last old line without a line ending may gain one, whose '\r' then shows at its end.
void CheckOtherLinesKept(string_view before, string_view after, const Request& r) {
    const auto oldLines = Lines(before), newLines = Lines(after);
    const auto same = [&](std::size_t i) {
        const string_view o = oldLines[i], n = newLines[i];
        return n == o || (i + 1 == oldLines.size() && n.size() == o.size() + 1 &&
                          n.back() == '\r' && n.starts_with(o));
    };
    std::size_t prefix = 0, suffix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() && same(prefix)) {
        ++prefix;
    }
    while (suffix + prefix < oldLines.size() && suffix + prefix < newLines.size() &&
           oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix]) {
        ++suffix;
    }
    Check(oldLines.size() - prefix - suffix <= 1, "a write changed more than the key's line");
    const std::string keyLine = std::string(r.key) + "=" + std::string(r.value);
    const std::string header = "[" + std::string(r.section) + "]";
    int keyLines = 0;
    for (std::size_t i = prefix; i < newLines.size() - suffix; ++i) {
        string_view text = newLines[i];
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        keyLines += text == keyLine;
        Check(
            text == keyLine || text == header || (i + 1 == newLines.size() && newLines[i].empty()),
            "a write changed a line other than the key's");
    }
    Check(keyLines == 1 || (keyLines == 0 && before == after),
          "a write did not write exactly one key line");
}

void CheckRoundTrip(const Request& r) {
    if (!WritesBackUnchanged(r)) {
        return;
    }
    const IniText before = IniText::Decode(r.content);
    const auto written = IniFile::WithValue(r.content, r.section, r.key, r.value);
    if (!written) {
        // A UTF-16 file takes only names and a value that are UTF-8; anything else it must take.
        Check(!(before.Encode(r.section) && before.Encode(r.key) && before.Encode(r.value)),
              "the writer refused what the file can hold");
        return;
    }
    Check(IniFile::Lookup(*written, r.section, r.key) == r.value,
          "the value written does not read back");
    Check(IniFile::WithValue(*written, r.section, r.key, r.value) == *written,
          "writing the same value again changed the file");
    const IniText after = IniText::Decode(*written);
    Check(after.m_encoding == before.m_encoding && after.m_trailing == before.m_trailing,
          "a write changed how the file is stored");
    CheckOtherLinesKept(before.m_text, after.m_text, r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const string_view input(reinterpret_cast<const char*>(data), size);
    const Request request = ParseRequest(input);
    for (const string_view content : {input, request.content}) {
        // Whatever the reader finds is one value on one line.
        const auto value = IniFile::Lookup(content, request.section, request.key);
        Check(!value || !Has(*value, "\n"), "a value read spans lines");
    }
    CheckRoundTrip(request);
    // A UTF-16 file is full of NUL bytes, so it gets the program's own request as a whole.
    CheckRoundTrip(Request{input});
    // Whatever a file holds, marks, odd bytes and lone surrogates included, comes back from its
    // text.
    const IniText file = IniText::Decode(input);
    Check(file.Encode(file.m_text) == input, "decoding and encoding a file changed it");
    return 0;
}
