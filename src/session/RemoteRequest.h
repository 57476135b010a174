#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace velunor {

// What a second start of the program asks of the running one: from its command line
// (`--settings`, `--quit`, `--pause MINUTES`, `--resume`, `--postpone`, `--break-now`), carried
// over the single-instance channel as one line of text.
struct RemoteRequest {
    enum class Kind { Settings, Quit, Pause, Resume, Postpone, BreakNow };
    Kind kind = Kind::Settings;
    int minutes = 0;  // Pause only: 1 to a day's 1440
    bool operator==(const RemoteRequest&) const = default;

    // The request on a command line (a plain start asks for the settings), or what is wrong
    // with it, as a line to print.
    static std::variant<RemoteRequest, std::string> FromArguments(
        std::span<const std::string> arguments);
    // The channel's form, and back; nothing for a line no version of the program sends.
    std::string ToLine() const;
    static std::optional<RemoteRequest> FromLine(std::string_view line);
};

// The running copy's answer, sent back over the channel.
enum class RequestOutcome { Done, Refused };

}  // namespace velunor
