#pragma once

namespace velunor {

// What can take the user away from the screen, as the desktop reports it. Any one of them active
// means the user is away.
enum class AwaySource { SessionLocked, ScreenSaver, DisplayOff, SessionDisconnected, Count };

}  // namespace velunor
