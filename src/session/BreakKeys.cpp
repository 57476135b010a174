#include "session/BreakKeys.h"

namespace velunor {

KeyAction DecideBreakKey(BreakKey key) {
    switch (key) {
        case BreakKey::Escape:
            return KeyAction::EndBreak;
        case BreakKey::VolumeOrMedia:
            return KeyAction::Pass;
        case BreakKey::Other:
            break;
    }
    return KeyAction::Swallow;
}

}  // namespace velunor
