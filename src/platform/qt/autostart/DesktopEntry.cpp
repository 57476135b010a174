#include "platform/qt/autostart/DesktopEntry.h"

#include <QStringDecoder>
#include <algorithm>

namespace velunor {
namespace {

bool IsUtf8(std::string_view text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(text.data(), qsizetype(text.size())));
    return !decoder.hasError();
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

// Inside double quotes the command line gives these four a meaning unless a backslash precedes
// them.
bool NeedsBackslashInQuotes(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

std::string QuotedArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (NeedsBackslashInQuotes(c)) {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

// Reading the entry takes a backslash as an escape of the string value and "%" as the start of a
// field code that the launcher replaces; both are doubled to stand for themselves.
std::string EscapedForEntry(std::string_view commandLine) {
    std::string escaped;
    for (const char c : commandLine) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '%') {
            escaped += "%%";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// GLib, which starts the autostart entries of most desktops, looks the first word up as a
// program before it turns "%%" back into "%", and so never finds a program whose path holds a
// "%". The shell is found, and runs the path it is handed as its $0.
std::string CommandLineFor(std::string_view path) {
    std::string line = QuotedArgument(path);
    if (path.find('%') != std::string_view::npos) {
        line = R"(sh -c "exec \"\$0\"" )" + line;
    }
    return line;
}

}  // namespace

std::optional<std::string> ExecValueFor(std::string_view path) {
    if (path.empty() || HasControlCharacter(path) || !IsUtf8(path)) {
        return std::nullopt;
    }
    return EscapedForEntry(CommandLineFor(path));
}

std::optional<std::string> AutostartEntryText(std::string_view path) {
    const auto exec = ExecValueFor(path);
    if (!exec) {
        return std::nullopt;
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Velunor\n"
           "Comment=定时提醒休息，保护眼睛\n"
           "Exec=" +
           *exec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace velunor
