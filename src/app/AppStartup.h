#pragma once

#include "app/AppSettings.h"
#include "app/BreakScheduler.h"
#include "app/ProgramPaths.h"
#include "app/StartupHost.h"

namespace velunor {

// Start-up in its fixed order: renderer, settings, work start, timer, then the first-run settings
// dialog or the tray icon. On a first run the icon comes with the first schedule tick, while the
// dialog is still open.
void RunStartup(const ProgramPaths& paths, AppSettings& settings, BreakScheduler& scheduler,
                StartupHost& host);

}  // namespace velunor
