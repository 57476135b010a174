#pragma once

namespace velunor {

// The keys a break tells apart.
enum class BreakKey { Escape, VolumeOrMedia, Other };

// What becomes of a key pressed during a break.
enum class KeyAction { EndBreak, Pass, Swallow };

// Escape ends the break. The volume and media keys pass, so the music can be turned down. Every
// other key is swallowed: nothing typed during a break reaches the work behind it.
KeyAction DecideBreakKey(BreakKey key);

}  // namespace velunor
