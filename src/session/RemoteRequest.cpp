#include "session/RemoteRequest.h"

#include <array>
#include <charconv>

namespace velunor {
namespace {

constexpr int kMostPauseMinutes = 24 * 60;

struct Switch {
    std::string_view option;  // on the command line
    std::string_view word;    // on the channel
    RemoteRequest::Kind kind;
};
constexpr std::array<Switch, 6> kSwitches{{
    {"--settings", "settings", RemoteRequest::Kind::Settings},
    {"--quit", "quit", RemoteRequest::Kind::Quit},
    {"--pause", "pause", RemoteRequest::Kind::Pause},
    {"--resume", "resume", RemoteRequest::Kind::Resume},
    {"--postpone", "postpone", RemoteRequest::Kind::Postpone},
    {"--break-now", "break-now", RemoteRequest::Kind::BreakNow},
}};

// Whole minutes, from one to a day; nothing for anything else ("abc", "0", "30m", "1441").
std::optional<int> PauseMinutes(std::string_view text) {
    int minutes = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), minutes);
    if (error != std::errc() || end != text.data() + text.size() || minutes < 1 ||
        minutes > kMostPauseMinutes) {
        return std::nullopt;
    }
    return minutes;
}

const Switch* FindSwitch(std::string_view text, bool byOption) {
    for (const Switch& candidate : kSwitches) {
        if ((byOption ? candidate.option : candidate.word) == text) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

std::variant<RemoteRequest, std::string> RemoteRequest::FromArguments(
    std::span<const std::string> arguments) {
    RemoteRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const Switch* found = FindSwitch(arguments[i], true);
        if (found == nullptr) {
            continue;  // options of the toolkit's own, such as -platform
        }
        request.kind = found->kind;
        if (found->kind != Kind::Pause) {
            continue;
        }
        const auto minutes = i + 1 < arguments.size() ? PauseMinutes(arguments[++i]) : std::nullopt;
        if (!minutes) {
            return std::string(
                       "--pause needs the minutes to pause for, a whole number from 1 to ") +
                   std::to_string(kMostPauseMinutes);
        }
        request.minutes = *minutes;
    }
    return request;
}

std::string RemoteRequest::ToLine() const {
    for (const Switch& candidate : kSwitches) {
        if (candidate.kind == kind) {
            std::string line(candidate.word);
            return kind == Kind::Pause ? line + " " + std::to_string(minutes) : line;
        }
    }
    return {};
}

std::optional<RemoteRequest> RemoteRequest::FromLine(std::string_view line) {
    const auto space = line.find(' ');
    const Switch* found = FindSwitch(line.substr(0, space), false);
    if (found == nullptr || (found->kind == Kind::Pause) == (space == std::string_view::npos)) {
        return std::nullopt;
    }
    RemoteRequest request{found->kind, 0};
    if (found->kind == Kind::Pause) {
        const auto minutes = PauseMinutes(line.substr(space + 1));
        if (!minutes) {
            return std::nullopt;
        }
        request.minutes = *minutes;
    }
    return request;
}

}  // namespace velunor
