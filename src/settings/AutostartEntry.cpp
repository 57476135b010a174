#include "settings/AutostartEntry.h"

namespace velunor {

bool SetAutoStartEntry(AutostartStore& store, const ProgramPaths& paths, bool enabled) {
    if (enabled) {
        return store.Register(kAutostartName, paths.m_exePath);
    }
    return store.Unregister(kAutostartName);
}

}  // namespace velunor
