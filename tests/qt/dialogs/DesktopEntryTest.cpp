#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/dialogs/DesktopEntry.h"
#include "platform/qt/dialogs/XdgAutostartStore.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

// Program folders a user may well have, and some that try hard to break the command line.
const char* const kAwkwardFolders[] = {
    "Velunor",       "Program Files/Velunor 1.1", "它的\"引号\" 'and' more", "100% $HOME",
    "back\\slash\\", "`uname` $(id) ;&|<>*?#~",   "护眼 休息%u %f%%"};

// Reads an Exec value back as a launcher does: the string value's escapes, then the field codes,
// then the command line's words and double quotes.
std::optional<std::vector<std::string>> ArgumentsOfExec(const std::string& value) {
    std::string line;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%') {
            if (++i == value.size() || value[i] != '%') {
                return std::nullopt;
            }
        } else if (value[i] == '\\') {
            if (++i == value.size() || value[i] != '\\') {
                return std::nullopt;  // no other string escape is needed for a path
            }
        }
        line += value[i];
    }
    std::vector<std::string> arguments(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == ' ') {
            arguments.emplace_back();
        } else {
            const bool escaped = quoted && line[i] == '\\' && i + 1 < line.size() &&
                                 std::string_view("\"`$\\").find(line[i + 1]) != std::string::npos;
            arguments.back() += line[escaped ? ++i : i];
        }
    }
    return quoted ? std::nullopt : std::optional(arguments);
}

// The program an Exec value starts; the shell's "exec $0" starts the argument after it.
std::optional<std::string> ProgramOfExec(const std::string& value) {
    const auto arguments = ArgumentsOfExec(value);
    if (!arguments) {
        return std::nullopt;
    }
    const std::vector<std::string> shell{"sh", "-c", "exec \"$0\""};
    if (arguments->size() == 4 && std::equal(shell.begin(), shell.end(), arguments->begin())) {
        return arguments->back();
    }
    return arguments->size() == 1 ? std::optional(arguments->front()) : std::nullopt;
}

std::string ExecLineOf(const std::string& entry) {
    const auto start = entry.find("\nExec=") + 6;
    return entry.substr(start, entry.find('\n', start) - start);
}

TEST(DesktopEntry, QuotesThePathForTheCommandLineAndEscapesItForTheStringValue) {
    EXPECT_EQ(ExecValueFor("/opt/Velunor/velunor"), "\"/opt/Velunor/velunor\"");
    EXPECT_EQ(ExecValueFor("/a b/\"q\"/$x/`y`/\\/中/velunor"),
              R"("/a b/\\"q\\"/\\$x/\\`y\\`/\\\\/中/velunor")");
    // A path with a "%" goes through the shell, where launchers that look for the program
    // before they read "%%" as "%" find it.
    EXPECT_EQ(ExecValueFor("/50%/velunor"), R"(sh -c "exec \\"\\$0\\"" "/50%%/velunor")");
}

TEST(DesktopEntry, RefusesWhatNoDesktopEntryCanHold) {
    EXPECT_EQ(ExecValueFor(""), std::nullopt);
    EXPECT_EQ(ExecValueFor("/new\nline/velunor"), std::nullopt);
    EXPECT_EQ(ExecValueFor("/gbk\xbb\xa4\xd1\xdb/velunor"), std::nullopt);
    EXPECT_EQ(AutostartEntryText("/tab\there/velunor"), std::nullopt);
}

TEST(DesktopEntry, EveryAwkwardFolderReadsBackAsTheSamePath) {
    for (const char* folder : kAwkwardFolders) {
        const std::string path = std::string("/home/user/") + folder + "/velunor";
        const auto entry = AutostartEntryText(path);
        ASSERT_TRUE(entry) << folder;
        EXPECT_EQ(ProgramOfExec(ExecLineOf(*entry)), path) << folder;
    }
}

class XdgAutostartStoreTest : public ::testing::Test {
protected:
    QString AutostartFolder() const { return QString::fromStdString(home.File("autostart")); }
    std::string Entry() const { return home.Read("autostart/Orvanta.desktop"); }

    test::TempFolder home;
    XdgAutostartStore store{AutostartFolder()};
};

TEST_F(XdgAutostartStoreTest, RegisterCreatesTheFolderAndOneEntryThatStartsTheProgram) {
    EXPECT_TRUE(store.Register("Orvanta", "/opt/护眼/velunor"));
    EXPECT_TRUE(store.Register("Orvanta", "/opt/护眼/velunor"));
    EXPECT_EQ(Entry(),
              "[Desktop Entry]\nType=Application\nName=Velunor\nComment=定时提醒休息，保护眼睛\n"
              "Exec=\"/opt/护眼/velunor\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(home.File("autostart")), {}), 1);
    EXPECT_EQ(store.EntryPath("Orvanta"), AutostartFolder() + QStringLiteral("/Orvanta.desktop"));
}

TEST_F(XdgAutostartStoreTest, UnregisterIsTrueWhenNoEntryIsLeft) {
    EXPECT_TRUE(store.Unregister("Orvanta"));  // there never was one
    ASSERT_TRUE(store.Register("Orvanta", "/opt/velunor"));
    EXPECT_TRUE(store.Unregister("Orvanta"));
    EXPECT_FALSE(home.Exists("autostart/Orvanta.desktop"));
    EXPECT_TRUE(store.Unregister("Orvanta"));
}

TEST_F(XdgAutostartStoreTest, FailuresAreReportedAndLeaveNothingBehind) {
    EXPECT_FALSE(store.Register("Orvanta", "/gbk\xbb\xa4/velunor"));
    EXPECT_FALSE(home.Exists("autostart/Orvanta.desktop"));
    EXPECT_FALSE(store.Register("../Orvanta", "/opt/velunor"));

    home.Write("autostart/Orvanta.desktop/keep", "x");  // something that is no file is in the way
    EXPECT_FALSE(store.Unregister("Orvanta"));
    EXPECT_FALSE(store.Register("Orvanta", "/opt/velunor"));

    home.Write("blocked", "a file where the folder should be");
    XdgAutostartStore blocked(QString::fromStdString(home.File("blocked/autostart")));
    EXPECT_FALSE(blocked.Register("Orvanta", "/opt/velunor"));
}

TEST_F(XdgAutostartStoreTest, TheDefaultFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(XdgAutostartStore::DefaultFolder(), QStringLiteral("/somewhere/config/autostart"));
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/autostart");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgAutostartStore::DefaultFolder(), fallback);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostartStore::DefaultFolder(), fallback);
    if (!saved.isNull()) {
        qputenv("XDG_CONFIG_HOME", saved);
    }
}

// The desktop's own tools read the entries: the validator accepts each, and the launcher starts
// the program from every awkward folder by exactly its path.
class DesktopToolsTest : public XdgAutostartStoreTest {
protected:
    static QString Tool(const char* name) {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }
    // A program that notes the path it was started by.
    std::string MakeProgramIn(const std::string& folder) {
        const fs::path program = fs::path(home.File("programs")) / folder / "velunor";
        fs::create_directories(program.parent_path());
        std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$0\" > \"$VELUNOR_STARTED_AS\"\n";
        fs::permissions(program, fs::perms::owner_all);
        return program.string();
    }
};

TEST_F(DesktopToolsTest, TheValidatorAcceptsTheEntryForEveryAwkwardFolder) {
    const QString validator = Tool("desktop-file-validate");
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    for (const char* folder : kAwkwardFolders) {
        ASSERT_TRUE(store.Register("Orvanta", MakeProgramIn(folder))) << folder;
        QProcess validate;
        validate.start(validator, {store.EntryPath("Orvanta")});
        ASSERT_TRUE(validate.waitForFinished());
        EXPECT_EQ(validate.exitCode(), 0) << folder;
        EXPECT_EQ(validate.readAll().toStdString(), "") << folder;
    }
}

TEST_F(DesktopToolsTest, TheLauncherStartsTheProgramByItsPathFromEveryAwkwardFolder) {
    const QString gio = Tool("gio");
    if (gio.isEmpty()) {
        GTEST_SKIP() << "gio is not installed";
    }
    const std::string startedAs = home.File("started-as");
    qputenv("VELUNOR_STARTED_AS", QByteArray::fromStdString(startedAs));
    for (const char* folder : kAwkwardFolders) {
        const std::string program = MakeProgramIn(folder);
        ASSERT_TRUE(store.Register("Orvanta", program));
        fs::remove(startedAs);
        QProcess launch;
        launch.start(gio, {QStringLiteral("launch"), store.EntryPath("Orvanta")});
        ASSERT_TRUE(launch.waitForFinished());
        EXPECT_EQ(launch.exitCode(), 0) << folder << launch.readAllStandardError().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(startedAs); }, 5000)) << folder;
        QTest::qWait(50);  // the program may still be writing
        EXPECT_EQ(home.Read("started-as"), program) << folder;
    }
    qunsetenv("VELUNOR_STARTED_AS");
}

}  // namespace
}  // namespace velunor
