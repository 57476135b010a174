#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QObject>
#include <QStringList>
#include <optional>

namespace velunor {

// The 推迟5分钟 button on the notices of the desktop's notification service. Not every service
// shows buttons: it says so among its capabilities, asked once. A click on the button comes back
// as a signal naming the notice, which the service numbered in its answer to the notice.
class NoticeButtons : public QObject {
    Q_OBJECT

public:
    explicit NoticeButtons(QObject* parent = nullptr);

    // The notice's actions, in the service's form: key, label.
    QStringList Actions(QDBusConnection& bus, bool offersPostpone);
    // The notice was sent; its number comes with the answer.
    void Sent(const QDBusPendingCall& notify);

signals:
    void postponeChosen();

private slots:
    void OnActionInvoked(uint notice, const QString& action);

private:
    std::optional<bool> m_serviceShowsButtons;
    std::optional<uint> m_notice;
    int m_sent = 0;  // notices sent, so that a late answer to an older one is not taken for it
};

}  // namespace velunor
