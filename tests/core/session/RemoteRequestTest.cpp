// What a second start of the program asks of the running one, from its command line and over the
// single-instance channel.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "session/RemoteRequest.h"

namespace velunor {
namespace {

using Kind = RemoteRequest::Kind;

TEST(RemoteRequest, TheCommandLineAsksOneThingAndAMalformedPauseIsAnError) {
    const std::vector<std::pair<std::vector<std::string>, RemoteRequest>> good{
        {{}, {Kind::Settings, 0}},
        {{"-platform", "offscreen"}, {Kind::Settings, 0}},
        {{"--quit"}, {Kind::Quit, 0}},
        {{"--pause", "30"}, {Kind::Pause, 30}},
        {{"--pause", "1440"}, {Kind::Pause, 1440}},
        {{"--resume"}, {Kind::Resume, 0}},
        {{"--postpone"}, {Kind::Postpone, 0}},
        {{"--break-now"}, {Kind::BreakNow, 0}}};
    for (const auto& [arguments, request] : good) {
        const auto parsed = RemoteRequest::FromArguments(arguments);
        ASSERT_TRUE(std::holds_alternative<RemoteRequest>(parsed)) << request.ToLine();
        EXPECT_EQ(std::get<RemoteRequest>(parsed), request);
        EXPECT_EQ(RemoteRequest::FromLine(request.ToLine()), request);
    }
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--pause"},
                                                                 {"--pause", "abc"},
                                                                 {"--pause", "0"},
                                                                 {"--pause", "1441"},
                                                                 {"--pause", "30m"},
                                                                 {"--pause", "-5"}}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(RemoteRequest::FromArguments(bad)))
            << bad.back();
    }
    for (const char* line : {"", "pause", "pause 0", "resume 5", "hello"}) {
        EXPECT_EQ(RemoteRequest::FromLine(line), std::nullopt) << line;
    }
}

}  // namespace
}  // namespace velunor
