#pragma once

#include "app/BreakEffects.h"
#include "app/StartupHost.h"
#include "music/BreakPlaylist.h"
#include "render/BreakRenderer.h"
#include "render/Canvas.h"

namespace velunor::test {

// The front end's side of start-up and of the break schedule, wired to the real renderer and
// playlist the way the program's main window wires them, with its two timers reduced to flags
// that the soak loop obeys.
class SimulatedFrontEnd : public StartupHost, public BreakEffects {
public:
    SimulatedFrontEnd(BreakRenderer& renderer, Canvas& canvas, BreakPlaylist& playlist)
        : m_renderer(renderer), m_canvas(canvas), m_playlist(playlist) {}

    void InitializeRenderer() override {
        m_renderer.Initialize(m_canvas);
        m_playlist.PrepareAtStartup();
    }
    void StartScheduleTimer() override { scheduleTimer = true; }
    void RunFirstRunSettings() override { ++firstRunDialogs; }
    void AddTrayIcon() override { trayIcon = true; }

    void StartBreakMusic() override { m_playlist.StartBreakMusic(); }
    void StopBreakMusic() override { m_playlist.EndBreakMusic(); }
    void ShowBreakScreen() override {
        frameTimer = true;
        ++shown;
    }
    void HideBreakScreen() override {
        frameTimer = false;
        ++hidden;
    }
    void ArmCountdown() override { m_renderer.ArmCountdown(); }

    bool scheduleTimer = false;
    bool frameTimer = false;  // the break screen is up and asks for frames
    bool trayIcon = false;
    int firstRunDialogs = 0;
    long long shown = 0;
    long long hidden = 0;

private:
    BreakRenderer& m_renderer;
    Canvas& m_canvas;
    BreakPlaylist& m_playlist;
};

}  // namespace velunor::test
