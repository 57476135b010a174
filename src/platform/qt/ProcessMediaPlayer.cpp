#include "ProcessMediaPlayer.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace velunor {

namespace {
// How long a helper told to stop may take to let go of its sound stream before it is killed.
constexpr int kStopGraceMs = 2000;
constexpr int kExitWaitMs = 1000;
}  // namespace

ProcessMediaPlayer::ProcessMediaPlayer(QString helperPath, QObject* parent)
    : QObject(parent), m_helperPath(std::move(helperPath)) {}

// The program may not wait for helpers to end by themselves on its way out; killing them keeps
// any from playing on after it.
ProcessMediaPlayer::~ProcessMediaPlayer() {
    for (QProcess* helper : findChildren<QProcess*>()) {
        helper->disconnect(this);
        helper->kill();
        helper->waitForFinished(kExitWaitMs);
    }
}

QString ProcessMediaPlayer::HelperBesideExecutable() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velunor-player");
}

// The helper's output goes where the program's does, so that its complaints about a file reach
// the same log without a pipe to read.
void ProcessMediaPlayer::Play() {
    Stop();
    if (Current().ItemCount() == 0) {
        return;
    }
    auto* helper = new QProcess(this);
    helper->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(helper, &QProcess::finished, helper, &QObject::deleteLater);
    connect(helper, &QProcess::errorOccurred, this,
            [this, helper](QProcess::ProcessError error) { OnHelperError(*helper, error); });
    helper->start(m_helperPath, HelperArguments());
    helper->write(ListForInput());
    m_helper = helper;
}

// Closing the helper's input tells it to stop; one that does not listen is killed after a
// grace. Nothing here waits, so the break screen closes at once.
void ProcessMediaPlayer::Stop() {
    QProcess* helper = m_helper;
    m_helper = nullptr;
    if (!helper) {
        return;
    }
    helper->closeWriteChannel();
    QTimer::singleShot(kStopGraceMs, helper, &QProcess::kill);
}

QStringList ProcessMediaPlayer::HelperArguments() const {
    return {QStringLiteral("--volume"), QString::number(m_volume), QStringLiteral("--count"),
            QString::number(m_playCount)};
}

// The names go on the helper's input, not its command line, which holds only so many: each name
// as it is, ended by a NUL byte, and the list by an empty name. The input then stays open until
// the music should stop.
QByteArray ProcessMediaPlayer::ListForInput() const {
    QByteArray list;
    for (std::size_t i = 0; i < Current().ItemCount(); ++i) {
        const std::string& path = Current().PathAt(i);
        list.append(path.data(), qsizetype(path.size())).append('\0');
    }
    return list.append('\0');
}

// A missing player means a break without music, not a broken program.
void ProcessMediaPlayer::OnHelperError(QProcess& helper, QProcess::ProcessError error) const {
    if (error != QProcess::FailedToStart) {
        return;
    }
    std::fprintf(stderr, "velunor: no break music, %s: %s\n", qPrintable(m_helperPath),
                 qPrintable(helper.errorString()));
    helper.deleteLater();
}

}  // namespace velunor
