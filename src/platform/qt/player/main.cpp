#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include "InputEndWatcher.h"
#include "QtMediaPlayer.h"

// velunor-player [--volume 0-100] [--count N] FILE...
// Plays the files in order, the whole list N times, and leaves when the run is over, when its
// standard input ends or on SIGTERM. The program starts one for each break.
namespace {

// Qt's FFmpeg backend cannot play MIDI; GStreamer renders it with a General MIDI soundfont and
// plays MP3 and WMA as well. A backend the user chose is left alone.
void ChooseMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
}

struct Request {
    QStringList files;
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
    request.files = parser.positionalArguments();
    request.volume = NumberOr(parser.value(volume), request.volume);
    request.count = NumberOr(parser.value(count), request.count);
    return request;
}

void Load(velunor::QtMediaPlayer& player, const Request& request) {
    const auto playlist = player.GetPlaylistCollection().NewPlaylist("break");
    for (const QString& file : request.files) {
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
    velunor::InputEndWatcher input;
    QObject::connect(&player, &velunor::QtMediaPlayer::runEnded, &application,
                     &QCoreApplication::quit);
    QObject::connect(&input, &velunor::InputEndWatcher::ended, &application,
                     &QCoreApplication::quit);
    Load(player, request);
    // An empty or unplayable list ends the run at once, and quitting only works inside the loop.
    QTimer::singleShot(0, &player, [&player] { player.GetControls().Play(); });
    return QCoreApplication::exec();
}
