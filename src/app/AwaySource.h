#pragma once

namespace velunor {

// What can take the user away from the screen without a sleep: each is reported by the desktop as
// it begins and ends.
enum class AwaySource { SessionLocked, ScreenSaver, DisplayOff, SessionDisconnected };

}  // namespace velunor
