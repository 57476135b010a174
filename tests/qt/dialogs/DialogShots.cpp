// Renders the settings dialog and the two library dialogs, filled from a sample program folder, to
// PNG files for a look at their layout:  velunor_dialog_shots <folder>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QTableWidget>
#include <QTextStream>
#include <cstdio>

#include "ProgramState.h"
#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/SettingsDialog.h"

namespace velunor {
namespace {

void FillProgramFolder(const test::TempFolder& folder) {
    for (const char* name : {"轻音乐.mp3", "morning.mp3", "Tune.WMA", "canon.mid"}) {
        folder.Write(std::string("Music/") + name, "x");
    }
    for (const char* name : {"海边.jpg", "forest.png", "sky.bmp"}) {
        folder.Write(std::string("Picture/") + name, "x");
    }
    folder.Write("config.ini", "[Option]\nBStart=true\nSetTime=45\nRunTime=5\n");
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
    if (!out.mkpath(QStringLiteral("."))) {
        return 1;
    }
    test::ProgramState program;
    FillProgramFolder(program.folder);
    const DialogServices quiet{[](QWidget*, const QString&) {},
                               [](QWidget*, const QStringList&) { return QStringList(); },
                               [](const QString&) {}};

    SettingsDialog settings(program.settings, program.scheduler, program.autostart, program.paths,
                            program.canOpenSettings, program.player, quiet);
    QTextStream(stdout) << "dialog font: " << QFontInfo(settings.font()).family() << '\n';
    MediaLibraryDialog pictures(kPictureLibrary, program.scheduler, program.paths, quiet);
    pictures.findChild<QTableWidget*>()->selectRow(1);
    MediaLibraryDialog music(kMusicLibrary, program.scheduler, program.paths, program.player,
                             quiet);
    const bool saved = Save(settings, out, "settings.png") &&
                       Save(pictures, out, "picture-library.png") &&
                       Save(music, out, "music-library.png");
    return saved ? 0 : 1;
}
