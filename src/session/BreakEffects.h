#pragma once

namespace velunor {

// What the break schedule does to the world outside it: the tray, the music, the break screen and
// the countdown. The front end (or a test) implements it.
class BreakEffects {
public:
    virtual ~BreakEffects() = default;

    // Brings the tray icon back if the tray lost it; a no-op while it is there.
    virtual void AddTrayIcon() = 0;
    // Fills the player's playlist from the Music folder and plays it.
    virtual void StartBreakMusic() = 0;
    // Stops the player, empties its current playlist and rewinds the Music folder position.
    virtual void StopBreakMusic() = 0;
    // Covers the whole screen above other windows, takes the keyboard and starts the frame ticks.
    virtual void ShowBreakScreen() = 0;
    // Hides the break screen completely and stops the frame ticks.
    virtual void HideBreakScreen() = 0;
    // Makes the next break's first frame start the countdown from the full break length.
    virtual void ArmCountdown() = 0;
};

}  // namespace velunor
