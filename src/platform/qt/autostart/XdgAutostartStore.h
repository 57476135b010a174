#pragma once

#include <QString>
#include <string_view>

#include "settings/AutostartStore.h"

namespace velunor {

// Programs that start at logon on a freedesktop desktop: one desktop entry per program, named
// after the entry, in the autostart folder of the user's configuration.
class XdgAutostartStore : public AutostartStore {
public:
    // folder: where the entries are kept; it is created on the first registration.
    explicit XdgAutostartStore(QString folder = DefaultFolder());

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that is unset or not absolute.
    static QString DefaultFolder();

    // command is the path of the executable; it is started without arguments.
    bool Register(std::string_view name, std::string_view command) override;
    bool Unregister(std::string_view name) override;

    // The file that holds the entry name; empty for a name that is no plain file name.
    QString EntryPath(std::string_view name) const;

private:
    QString m_folder;
};

}  // namespace velunor
