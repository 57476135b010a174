// Renders the settings dialog and the two library dialogs, filled from a sample program folder, to
// PNG files for a look at their layout:  velunor_dialog_shots <folder>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <fstream>

#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/SettingsDialog.h"
#include "support/FakeAutostartStore.h"
#include "support/FakeClock.h"
#include "support/FakeMediaPlayer.h"
#include "support/RecordingBreakEffects.h"

namespace velunor {
namespace {

void Touch(const QString& path) {
    std::ofstream(QFile::encodeName(path).toStdString()) << "x";
}

void FillProgramFolder(const QDir& folder) {
    folder.mkpath(QStringLiteral("Music"));
    folder.mkpath(QStringLiteral("Picture"));
    for (const char* name : {"轻音乐.mp3", "morning.mp3", "Tune.WMA", "canon.mid"}) {
        Touch(folder.filePath(QStringLiteral("Music/") + QString::fromUtf8(name)));
    }
    for (const char* name : {"海边.jpg", "forest.png", "sky.bmp"}) {
        Touch(folder.filePath(QStringLiteral("Picture/") + QString::fromUtf8(name)));
    }
    std::ofstream(QFile::encodeName(folder.filePath(QStringLiteral("config.ini"))).toStdString())
        << "[Option]\nBStart=true\nSetTime=45\nRunTime=5\n";
}

bool Save(QWidget& dialog, const QDir& out, const char* name) {
    dialog.show();
    QApplication::processEvents();
    const QString path = out.filePath(QString::fromUtf8(name));
    const bool saved = dialog.grab().save(path);
    QTextStream(stdout) << path << (saved ? "" : " could not be written") << '\n';
    return saved;
}

}  // namespace
}  // namespace velunor

int main(int argc, char* argv[]) {
    using namespace velunor;
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: velunor_dialog_shots <folder>\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir programFolder;
    if (!out.mkpath(QStringLiteral(".")) || !programFolder.isValid()) {
        return 1;
    }
    FillProgramFolder(QDir(programFolder.path()));
    const auto paths = ProgramPaths::FromExecutable(
        QFile::encodeName(programFolder.filePath(QStringLiteral("velunor"))).toStdString(),
        "velunor");
    AppSettings settings;
    test::FakeClock clock;
    test::RecordingBreakEffects effects;
    BreakScheduler scheduler(settings, clock, effects);
    test::FakeAutostartStore autostart;
    test::FakeMediaPlayer player;
    bool canOpenSettings = true;
    const DialogServices quiet{[](QWidget*, const QString&) {},
                               [](QWidget*, const QStringList&) { return QStringList(); },
                               [](const QString&) {}};

    SettingsDialog settingsDialog(settings, scheduler, autostart, paths, canOpenSettings, player,
                                  quiet);
    QTextStream(stdout) << "dialog font: " << QFontInfo(settingsDialog.font()).family() << '\n';
    MediaLibraryDialog pictures(kPictureLibrary, scheduler, paths, quiet);
    pictures.findChild<QTableWidget*>()->selectRow(1);
    MediaLibraryDialog music(kMusicLibrary, scheduler, paths, player, quiet);
    const bool saved = Save(settingsDialog, out, "settings.png") &&
                       Save(pictures, out, "picture-library.png") &&
                       Save(music, out, "music-library.png");
    return saved ? 0 : 1;
}
