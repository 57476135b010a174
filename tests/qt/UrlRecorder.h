#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace velunor {

// Stands in for the desktop's browser while it lives: file addresses given to
// QDesktopServices::openUrl are recorded instead of opened.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    const QList<QUrl>& Opened() const { return m_opened; }

    Q_INVOKABLE void Open(const QUrl& url) { m_opened << url; }

private:
    QList<QUrl> m_opened;
};

}  // namespace velunor
