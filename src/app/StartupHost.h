#pragma once

namespace velunor {

// The steps of start-up that belong to the front end.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    // Back buffer, fonts, built-in pictures, the animation, the sound device and the start-up
    // playlist.
    virtual void InitializeRenderer() = 0;
    // The once-a-second schedule tick.
    virtual void StartScheduleTimer() = 0;
    // The settings dialog of a first run, modal; the schedule keeps ticking while it is open.
    virtual void RunFirstRunSettings() = 0;
    virtual void AddTrayIcon() = 0;
};

}  // namespace velunor
