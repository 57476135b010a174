#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstring>

#include "ReminderApp.h"
#include "velunor/Version.h"

namespace {

// The program takes no arguments; these two only answer and leave.
bool AnswerInformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("velunor %s\n", velunor::kVersion);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::puts(
                "Usage: velunor\n"
                "Reminds you to rest your eyes: every SetTime minutes a break screen with music\n"
                "covers the desktop for RunTime minutes. Settings live in config.ini, music in\n"
                "the Music folder, both beside the executable. The tray icon's menu ends it.");
            return true;
        }
    }
    return false;
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
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velunor"));
    QApplication::setApplicationVersion(QLatin1String(velunor::kVersion));
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
    return QApplication::exec();
}
