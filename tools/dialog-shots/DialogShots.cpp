// Renders the settings dialog and the two library dialogs, filled from a sample program folder, to
// PNG files for a look at their layout:  velunor_dialog_shots <folder>
// The dialogs work on the real pieces: a program folder in a temporary folder, the system clock, a
// logon entry in that folder and the player helper (which never starts: nothing plays).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "ProcessMediaPlayer.h"
#include "base/AppSettings.h"
#include "base/ProgramPaths.h"
#include "base/SystemClock.h"
#include "platform/qt/autostart/XdgAutostartStore.h"
#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/SettingsDialog.h"
#include "session/BreakEffects.h"
#include "session/BreakScheduler.h"

namespace {

// Between breaks nothing is shown or played.
class NoEffects : public velunor::BreakEffects {
public:
    void AddTrayIcon() override {}
    void StartBreakMusic() override {}
    void StopBreakMusic() override {}
    void ShowBreakScreen() override {}
    void HideBreakScreen() override {}
    void ArmCountdown() override {}
};

bool WriteSample(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return folder.mkpath(QFileInfo(name).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace velunor;
    QApplication app(argc, argv);
    const QDir out(argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString());
    QTemporaryDir temporary;
    if (argc != 2 || !out.mkpath(QStringLiteral(".")) || !temporary.isValid()) {
        QTextStream(stderr) << "usage: velunor_dialog_shots <folder>\n";
        return 2;
    }
    const QDir folder(temporary.path());
    for (const char* name :
         {"Music/轻音乐.mp3", "Music/morning.mp3", "Music/Tune.WMA", "Music/canon.mid",
          "Picture/海边.jpg", "Picture/forest.png", "Picture/sky.bmp"}) {
        WriteSample(folder, QString::fromUtf8(name), "x");
    }
    WriteSample(folder, QStringLiteral("config.ini"),
                "[Option]\nBStart=true\nSetTime=45\nRunTime=5\n");
    const ProgramPaths paths = ProgramPaths::FromExecutable(
        folder.filePath(QStringLiteral("velunor")).toStdString(), "velunor");
    AppSettings settings;
    SystemClock clock;
    NoEffects effects;
    BreakScheduler scheduler{settings, clock, effects};
    XdgAutostartStore autostart(folder.filePath(QStringLiteral("autostart")));
    ProcessMediaPlayer player;
    const DialogServices quiet{[](QWidget*, const QString&, MessageKind) {},
                               [](QWidget*, const QStringList&) { return QStringList(); },
                               [](const QString&) {}};
    SettingsDialog settingsDialog(settings, scheduler, autostart, paths, player, quiet);
    MediaLibraryDialog pictures(kPictureLibrary, scheduler, paths, quiet);
    pictures.findChild<QTableWidget*>()->selectRow(1);
    MediaLibraryDialog music(kMusicLibrary, scheduler, paths, player, quiet);
    for (const auto& [dialog, name] :
         {std::pair<QWidget*, const char*>{&settingsDialog, "settings"},
          {&pictures, "picture-library"},
          {&music, "music-library"}}) {
        dialog->show();
        QApplication::processEvents();
        const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        QTextStream(stdout) << path << '\n';
        if (!dialog->grab().save(path)) {
            return 1;
        }
    }
    return 0;
}
