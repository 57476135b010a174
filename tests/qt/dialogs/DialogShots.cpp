// Renders the settings dialog and the two library dialogs, filled from a sample program folder, to
// PNG files for a look at their layout:  velunor_dialog_shots <folder>
#include <QApplication>
#include <QDir>
#include <QTableWidget>
#include <QTextStream>

#include "ProgramState.h"
#include "platform/qt/dialogs/MediaLibraryDialog.h"
#include "platform/qt/dialogs/SettingsDialog.h"

int main(int argc, char* argv[]) {
    using namespace velunor;
    QApplication app(argc, argv);
    const QDir out(argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (argc != 2 || !out.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "usage: velunor_dialog_shots <folder>\n";
        return 2;
    }
    test::ProgramState program;
    for (const char* name :
         {"Music/轻音乐.mp3", "Music/morning.mp3", "Music/Tune.WMA", "Music/canon.mid",
          "Picture/海边.jpg", "Picture/forest.png", "Picture/sky.bmp"}) {
        program.folder.Write(name, "x");
    }
    program.folder.Write("config.ini", "[Option]\nBStart=true\nSetTime=45\nRunTime=5\n");
    const DialogServices quiet{[](QWidget*, const QString&, MessageKind) {},
                               [](QWidget*, const QStringList&) { return QStringList(); },
                               [](const QString&) {}};
    SettingsDialog settings(program.settings, program.scheduler, program.autostart, program.paths,
                            program.canOpenSettings, program.player, quiet);
    MediaLibraryDialog pictures(kPictureLibrary, program.scheduler, program.paths, quiet);
    pictures.findChild<QTableWidget*>()->selectRow(1);
    MediaLibraryDialog music(kMusicLibrary, program.scheduler, program.paths, program.player,
                             quiet);
    for (const auto& [dialog, name] : {std::pair<QWidget*, const char*>{&settings, "settings"},
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
