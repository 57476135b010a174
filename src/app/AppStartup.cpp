#include "app/AppStartup.h"

#include "app/ConfigFile.h"

namespace velunor {

void RunStartup(const ProgramPaths& paths, AppSettings& settings, BreakScheduler& scheduler,
                StartupHost& host) {
    host.InitializeRenderer();
    ReadSettings(settings, paths.m_configPath);
    settings.DeriveValues();
    scheduler.StartWork();
    host.StartScheduleTimer();
    if (settings.bFirstText == "true") {
        host.RunFirstRunSettings();
        return;
    }
    host.AddTrayIcon();
}

}  // namespace velunor
