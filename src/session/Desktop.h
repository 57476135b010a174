#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/AppSettings.h"
#include "render/Canvas.h"
#include "session/BreakScheduler.h"
#include "session/TrayMenu.h"

namespace velunor {

// What a desktop does for the break session and what only it can tell. Each front end's main
// window implements it; the session decides when.
class Desktop {
public:
    virtual ~Desktop() = default;

    // The back buffer the break is drawn in, at the primary monitor's size; made on first use.
    virtual Canvas& BreakCanvas() = 0;
    // The once-a-second schedule tick, calling the session's OnScheduleTick.
    virtual void StartScheduleTimer() = 0;
    virtual void StopTimers() = 0;

    // Brings the tray icon back if the tray lost it; a no-op while it is there.
    virtual void ShowTrayIcon() = 0;
    virtual void RemoveTrayIcon() = 0;
    // The tray's tip and which of its menu items can be chosen; sent whenever that changes.
    virtual void ShowTrayState(const TrayState& state) = 0;

    // The break window over the primary monitor above everything else, black covers over the
    // others, and the frame ticks (the session's OnFrameTick) every 100 ms.
    virtual void ShowBreakWindow() = 0;
    // Hides all of it, stops the frame ticks and lets the screen-sized pixels go.
    virtual void HideBreakWindow() = 0;
    // Every key goes to the break and nowhere else until ReleaseKeyboard.
    virtual void HoldKeyboard() = 0;
    // Gives the keyboard back to the window that had it before the break.
    virtual void ReleaseKeyboard() = 0;

    // The dialogs, modal; the timers keep running while one is open. The settings dialog works on
    // the session's settings and schedule.
    virtual void RunSettingsDialog(AppSettings& settings, BreakScheduler& scheduler) = 0;
    virtual void RunHelpDialog() = 0;
    virtual void RunAboutDialog() = 0;

    // A short notice from the tray icon; a new one takes the place of the last. offersPostpone:
    // choosing the notice (its 推迟5分钟 button, or a click where the notice has no buttons) calls
    // the session's Postpone.
    virtual void ShowNotice(std::string_view title, std::string_view text, bool offersPostpone) = 0;
    // Takes the last notice away, wherever the desktop still shows or keeps it.
    virtual void WithdrawNotice() = 0;

    // Seconds since the last key or mouse input; nothing where this desktop cannot tell.
    virtual std::optional<std::int64_t> IdleSeconds() = 0;
    // Another program shows full-screen on the primary monitor (Velunor's own windows never count).
    virtual bool OtherProgramFullScreen() = 0;
    // Another program records from a microphone or a camera: a call or a meeting.
    virtual bool OtherProgramInCall() = 0;

    // Ends the event loop, and so the program.
    virtual void Quit() = 0;
};

}  // namespace velunor
