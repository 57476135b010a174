#include "platform/qt/autostart/XdgAutostartStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

#include "platform/qt/autostart/DesktopEntry.h"

namespace velunor {
namespace {

bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(u'/');
}

// A dangling link is still an entry in the folder.
bool Exists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

XdgAutostartStore::XdgAutostartStore(QString folder) : m_folder(std::move(folder)) {}

QString XdgAutostartStore::DefaultFolder() {
    QString configHome = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (configHome.isEmpty() || QDir::isRelativePath(configHome)) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return configHome + QStringLiteral("/autostart");
}

QString XdgAutostartStore::EntryPath(std::string_view name) const {
    const QString fileName = QString::fromUtf8(name);
    if (!IsPlainFileName(fileName)) {
        return {};
    }
    return m_folder + u'/' + fileName + QStringLiteral(".desktop");
}

// Written beside the old entry and renamed over it, so that a session starting meanwhile reads
// either the old entry or the new one, never half of one.
bool XdgAutostartStore::Register(std::string_view name, std::string_view command) {
    const QString path = EntryPath(name);
    const auto text = AutostartEntryText(command);
    if (path.isEmpty() || !text || !QDir().mkpath(m_folder)) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const auto size = static_cast<qint64>(text->size());
    return file.write(text->data(), size) == size && file.commit();
}

bool XdgAutostartStore::Unregister(std::string_view name) {
    const QString path = EntryPath(name);
    if (path.isEmpty()) {
        return false;
    }
    QFile::remove(path);
    return !Exists(path);
}

}  // namespace velunor
