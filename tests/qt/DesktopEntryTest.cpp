#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/qt/autostart/XdgAutostartStore.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

// The desktop's own tools read the entries: the validator accepts each, and the launcher, where
// there is one, starts the program from every awkward folder by exactly its path. That is the test
// of the Exec line's quoting and escaping: the launcher is its only reader.
TEST(XdgAutostartStoreTest, EntriesAreValidAndStartTheProgramFromAwkwardFolders) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const auto runs = [](const QString& tool, const QString& argument, const QString& entry) {
        QProcess process;
        process.start(tool, argument.isEmpty() ? QStringList{entry} : QStringList{argument, entry});
        return process.waitForFinished() && process.exitCode() == 0 && process.readAll().isEmpty();
    };
    test::TempFolder home;
    XdgAutostartStore store(QString::fromStdString(home.File("autostart")));
    const QString entry = store.EntryPath("Orvanta");
    for (const char* folder :
         {"Program Files (x86)/Velunor", "它的\"引号\" 'and' more", "100% $HOME", "back\\slash\\",
          "`uname` $(id) ;&|<>*?#~", "护眼 休息%u %f%%"}) {
        const fs::path program = fs::path(home.File("programs")) / folder / "velunor";
        fs::create_directories(program.parent_path());
        std::ofstream(program)
            << "#!/bin/sh\nprintf %s \"$0\" >\"$0.tmp\" && mv \"$0.tmp\" \"$0.started\"\n";
        fs::permissions(program, fs::perms::owner_all);
        ASSERT_TRUE(store.Register("Orvanta", program.string())) << folder;
        EXPECT_TRUE(runs(validator, {}, entry)) << folder;
        if (!gio.isEmpty()) {
            EXPECT_TRUE(runs(gio, QStringLiteral("launch"), entry)) << folder;
            const std::string started = program.string() + ".started";
            EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(started); }, 5000)) << folder;
            std::string startedAs;
            std::getline(std::ifstream(started), startedAs);
            EXPECT_EQ(startedAs, program.string()) << folder;
        }
    }
    EXPECT_TRUE(store.Unregister("Orvanta"));
    EXPECT_FALSE(fs::exists(entry.toStdString()));
    EXPECT_TRUE(store.Unregister("Orvanta"));  // none left is what was asked
}

}  // namespace
}  // namespace velunor
