// Which capture means a call: only another program's, and only while it captures.
#include <gtest/gtest.h>
#include <objbase.h>

#include <utility>
#include <vector>

#include "platform/win32/CaptureActivity.h"

namespace velunor {
namespace {

TEST(CaptureActivity, OnlyAnotherProgramCapturingNowIsACall) {
    constexpr DWORD kOwn = 40;
    for (const auto& [uses, inCall] : {
             std::pair{std::vector<CaptureUse>{}, false},
             {{{kOwn, true}}, false},
             {{{7, false}, {kOwn, true}}, false},  // a meeting program's idle session
             {{{kOwn, false}, {7, true}}, true},
             {{{0, true}}, true},  // a session of several processes tells none
         }) {
        EXPECT_EQ(OtherProgramCapturing(uses, kOwn), inCall) << uses.size();
    }
    // Nothing records under the test: the real reading finds no call.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    EXPECT_FALSE(OtherProgramCapturing(ReadMicrophoneUses(), GetCurrentProcessId()));
    CoUninitialize();
}

}  // namespace
}  // namespace velunor
