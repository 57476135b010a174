#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace velunor {

// Tells when the user cannot be at the screen: a screen saver runs (the desktop's own on the
// session bus, under its freedesktop or its GNOME name) or the session is locked (logind's session
// on the system bus). A desktop without these services says nothing, and nothing changes.
class AwayWatcher : public QObject {
    Q_OBJECT

public:
    explicit AwayWatcher(QObject* parent = nullptr);

    // Asks each service how things are now; from then on the signals follow every change.
    void Start();

signals:
    void screenSaverChanged(bool active);
    void sessionLockedChanged(bool locked);

private slots:
    void OnScreenSaverActiveChanged(const QDBusMessage& message);
    void OnSessionLock();
    void OnSessionUnlock();
    void OnSessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList& invalidated);

private:
    void WatchScreenSaver(const QString& name, const QString& path);
    void AskScreenSaver(const QString& name, const QString& path);
    void WatchSession(const QString& path);
    void SetScreenSaver(const QString& name, bool active);
    void SetLocked(bool locked);
    void Ask(const QDBusConnection& bus, QDBusMessage call,
             std::function<void(const QVariant&)> onAnswer);

    QDBusServiceWatcher m_services;
    QHash<QString, bool> m_screenSavers;  // by service name: which of them runs now
    bool m_screenSaver = false;
    bool m_locked = false;
};

}  // namespace velunor
