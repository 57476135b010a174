#include <QCommandLineParser>
#include <QCoreApplication>

#include "PlaylistInput.h"
#include "QtMediaPlayer.h"

// velunor-player [--volume 0-100] [--count N] <LIST
// Plays the files named on its input (each name ended by a NUL byte, the list by an empty name) in
// order, the whole list N times, and leaves when the run is over, when its input ends or on
// SIGTERM. The program starts one for each break.
namespace {

// Qt's FFmpeg backend cannot play MIDI; GStreamer renders it with a General MIDI soundfont and
// plays MP3 and WMA as well. A backend the user chose is left alone.
void ChooseMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
}

struct Request {
    int volume = 100;
    int count = 1;
};

int NumberOr(const QString& text, int fallback) {
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number : fallback;
}

Request ReadRequest(const QCoreApplication& application) {
    QCommandLineParser parser;
    const QCommandLineOption volume(QStringLiteral("volume"), QString(), QStringLiteral("0-100"));
    const QCommandLineOption count(QStringLiteral("count"), QString(), QStringLiteral("times"));
    parser.addOptions({volume, count});
    parser.process(application);
    Request request;
    request.volume = NumberOr(parser.value(volume), request.volume);
    request.count = NumberOr(parser.value(count), request.count);
    return request;
}

void Load(velunor::QtMediaPlayer& player, const Request& request, const QStringList& files) {
    const auto playlist = player.GetPlaylistCollection().NewPlaylist("break");
    for (const QString& file : files) {
        playlist->AppendItem(player.NewMedia(file.toStdString()));
    }
    player.SetCurrentPlaylist(playlist);
    player.GetSettings().SetVolume(request.volume);
    player.GetSettings().SetPlayCount(request.count);
}

}  // namespace

int main(int argc, char** argv) {
    ChooseMediaBackend();
    QCoreApplication application(argc, argv);
    const Request request = ReadRequest(application);

    velunor::QtMediaPlayer player;
    velunor::PlaylistInput input;
    QObject::connect(&player, &velunor::QtMediaPlayer::runEnded, &application,
                     &QCoreApplication::quit);
    QObject::connect(&input, &velunor::PlaylistInput::ended, &application, &QCoreApplication::quit);
    // An empty or unplayable list ends the run at once; the list arrives inside the loop, where
    // quitting works.
    QObject::connect(&input, &velunor::PlaylistInput::listReceived, &player,
                     [&player, &request](const QStringList& files) {
                         Load(player, request, files);
                         player.GetControls().Play();
                     });
    return QCoreApplication::exec();
}
