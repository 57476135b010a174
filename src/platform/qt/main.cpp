#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "ReminderApp.h"
#include "velunor/Version.h"

namespace {

bool HasOption(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) {
            return true;
        }
    }
    return false;
}

// These only answer and leave.
bool AnswerInformationRequest(int argc, char** argv) {
    if (HasOption(argc, argv, "--version")) {
        std::printf("velunor %s\n", velunor::kVersion);
        return true;
    }
    if (HasOption(argc, argv, "--help")) {
        std::puts(
            "Usage: velunor [--settings | --quit | --pause MINUTES | --resume | --postpone |\n"
            "               --break-now]\n"
            "Reminds you to rest your eyes: every SetTime minutes a break screen with music\n"
            "covers the desktop for RunTime minutes. Settings live in config.ini, music in\n"
            "the Music folder, both beside the executable. The tray icon's menu ends it.\n"
            "Starting it again from this folder opens the running copy's settings;\n"
            "--settings does the same, or starts Velunor with its settings open.\n"
            "These ask the running copy and need no display:\n"
            "  --quit             end it\n"
            "  --pause MINUTES    no breaks for 1 to 1440 minutes\n"
            "  --resume           end a pause\n"
            "  --postpone         the coming break five minutes later (three times in a row)\n"
            "  --break-now        a break at once\n"
            "They fail with status 1 when no copy runs or it refuses (a fourth postpone, or\n"
            "one during a break), with status 2 on a bad value such as --pause 0.");
        return true;
    }
    return false;
}

// The running copy is asked and this returns once it has done it (for --quit: once it has
// ended). No display is needed, so that it works from any shell of the user.
int AskRunningCopy(int argc, char** argv, const velunor::RemoteRequest& request) {
    const QCoreApplication application(argc, argv);
    const auto outcome =
        velunor::SingleInstance(velunor::ReminderApp::InstanceNameOfThisExecutable()).Ask(request);
    if (!outcome) {
        std::fputs("velunor: Velunor is not running from this folder\n", stderr);
        return 1;
    }
    if (*outcome == velunor::RequestOutcome::Refused) {  // only a postpone is ever refused
        std::fputs(
            "velunor: the break cannot be postponed now: a break is on, breaks are off, or it "
            "was postponed three times in a row\n",
            stderr);
        return 1;
    }
    return 0;
}

// Every text of the program is Chinese, whatever the desktop's language; the standard dialogs and
// buttons Qt draws itself (the file chooser, a message box's OK) follow with Qt's own Simplified
// Chinese texts. Without them installed those stay English.
void UseQtChineseTexts(QTranslator& translator) {
    if (translator.load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (AnswerInformationRequest(argc, argv)) {
        return 0;
    }
    const auto parsed =
        velunor::RemoteRequest::FromArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "velunor: %s\n", error->c_str());
        return 2;
    }
    if (const auto& request = std::get<velunor::RemoteRequest>(parsed);
        request.kind != velunor::RemoteRequest::Kind::Settings) {
        return AskRunningCopy(argc, argv, request);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velunor"));
    QApplication::setApplicationVersion(QLatin1String(velunor::kVersion));
    // The installed launcher's id: the desktop ties the windows to it, and GNOME keeps the
    // answer to "may it have the shortcuts" only for a window it can tie to a launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("velunor"));
    // Dialogs come and go while the break screen stays hidden; none of that may end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtTexts;
    UseQtChineseTexts(qtTexts);

    velunor::ReminderApp reminder;
    if (!reminder.ClaimProgramFolder()) {
        return 0;
    }
    // Start-up runs inside the event loop, so that an end asked for while the first run's settings
    // dialog is open (SIGTERM at logout) ends the main loop along with the dialog's. Before it,
    // the end would leave the dialog and then start a main loop nothing ends.
    QTimer::singleShot(0, &application, [&reminder] { reminder.Start(); });
    // The launcher's 设置 when Velunor was not running: the settings follow the start, unless a
    // first run's settings dialog is already open then.
    if (HasOption(argc, argv, "--settings")) {
        QTimer::singleShot(0, &application, [&reminder] { reminder.OpenSettings(); });
    }
    return QApplication::exec();
}
