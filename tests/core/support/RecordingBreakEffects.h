#pragma once

#include <string>
#include <vector>

#include "session/BreakEffects.h"

namespace velunor::test {

// Break effects that only note, in order, what the schedule asked for.
class RecordingBreakEffects : public BreakEffects {
public:
    void AddTrayIcon() override { calls.push_back("tray"); }
    void StartBreakMusic() override { calls.push_back("music on"); }
    void StopBreakMusic() override { calls.push_back("music off"); }
    void ShowBreakScreen() override { calls.push_back("show"); }
    void HideBreakScreen() override { calls.push_back("hide"); }
    void ArmCountdown() override { calls.push_back("arm"); }
    std::vector<std::string> calls;
};

}  // namespace velunor::test
