#include "ReminderApp.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <string>

#include "base/InstanceName.h"

namespace velunor {

ReminderApp::ReminderApp()
    : m_paths(PathsOfThisExecutable()),
      m_mainWindow(m_clock, m_paths, m_sound, m_player, m_autostart),
      m_instance(InstanceNameOf(m_paths)) {
    BreakSession& session = m_mainWindow.Session();
    QObject::connect(&m_signals, &UnixSignalWatcher::terminationRequested, &m_mainWindow,
                     [&session] { session.Exit(); });
    m_instance.SetHandler(
        [&session](const RemoteRequest& request) { return session.Perform(request); });
}

QString ReminderApp::InstanceNameOfThisExecutable() {
    return InstanceNameOf(PathsOfThisExecutable());
}

QString ReminderApp::InstanceNameOf(const ProgramPaths& paths) {
    return QString::fromStdString(InstanceName(paths.m_folder, std::to_string(getuid())));
}

// The folder the executable really lies in, links resolved: config.ini, Music and Picture are
// found beside it however the program was started.
ProgramPaths ReminderApp::PathsOfThisExecutable() {
    const QString executable =
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return ProgramPaths::FromExecutable(executable.toStdString(), kExecutableName);
}

}  // namespace velunor
