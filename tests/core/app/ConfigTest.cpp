// config.ini and the paths beside the executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/ConfigFile.h"
#include "app/IniFile.h"
#include "app/InstanceName.h"
#include "app/ProgramPaths.h"
#include "app/Utf8Path.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

Texts ReadTexts(const std::string& path, AppSettings& s) {
    ReadSettings(s, path);
    s.DeriveValues();
    return {s.bFirstText, s.bStartText, s.setTimeText, s.runTimeText, s.bkTimeText};
}

// Names match without regard to case, blanks around values go, and so does one pair of matching
// quotes; the texts are cut to 15 or 31 bytes.
TEST(Config, ReadsByTheProfileRulesCutsEachTextToItsFieldAndDefaultsWhatIsMissing) {
    test::TempFolder folder;
    AppSettings s;
    EXPECT_EQ(ReadTexts(folder.File("config.ini"), s), (Texts{"false", "true", "10", "1", "8"}));
    EXPECT_EQ((std::vector{s.autoStart, s.setTime, s.runTime}), (std::vector{1, 10, 1}));
    EXPECT_FALSE(folder.Exists("config.ini"));

    folder.Write("config.ini",
                 "[Other]\nSetTime=99\n[ oPTION ]\nBFirst='x\"\nBStart=\nRUNTIME=\"  12abc \"\n"
                 "settime =  1234567890123456789012345678901234567890 \t\n"
                 "BKTime='abcdefghijklmnopqrstuvwxyz'\nSetTime=77\n");
    EXPECT_EQ(
        ReadTexts(folder.File("config.ini"), s),
        (Texts{"'x\"", "", "1234567890123456789012345678901", "  12abc ", "abcdefghijklmno"}));
    EXPECT_EQ((std::vector{s.autoStart, s.setTime, s.runTime}), (std::vector{1, INT_MAX, 12}));
}

TEST(Config, NumbersReadAsAtoiReadsThemButSaturateAndOnlyFalseTurnsAutostartOff) {
    EXPECT_EQ(ParseLeadingInt(" 15 "), 15);
    EXPECT_EQ(ParseLeadingInt("-7x"), -7);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), INT_MIN);
    for (const auto& [text, autoStart] : {std::pair{"false", 0}, {"False", 1}, {"", 1}, {"0", 1}}) {
        AppSettings settings;
        settings.bStartText = text;
        settings.DeriveValues();
        EXPECT_EQ(settings.autoStart, autoStart) << text;
    }
}

// A missing key goes to the end of its section, a missing section to the end of the file, each
// with the file's own line ending.
TEST(Config, WritingOneKeyKeepsEveryOtherByteAndAddsWhatIsMissing) {
    const std::string before = "[Fenster]\r\nTitel=\xE4\xF6\xFC\xFF\r\n; note\r\n\r\n[Option]\r\n";
    const std::string after = "\r\n\r\n[Tail]\r\nx=1";
    const std::string ini = before + "BFirst=true\r\nsetTime = 10 " + after;
    EXPECT_EQ(IniFile::WithValue(ini, "option", "SetTime", "20"),
              before + "BFirst=true\r\nSetTime=20" + after);
    EXPECT_EQ(IniFile::WithValue(ini, "Option", "RunTime", "2"),
              before + "BFirst=true\r\nsetTime = 10 \r\nRunTime=2" + after);
    EXPECT_EQ(IniFile::WithValue("[A]\r\nk=v", "Option", "BFirst", "false"),
              "[A]\r\nk=v\r\n[Option]\r\nBFirst=false\r\n");
    EXPECT_EQ(IniFile::WithValue("[Option]\nA=1", "Option", "B", "2"), "[Option]\nA=1\nB=2\n");
    EXPECT_EQ(IniFile::WithValue("[Option]\r\nB=1", "Option", "B", "2"), "[Option]\r\nB=2");
    // Names asked for lose their blanks as the file's do, and are written as asked.
    EXPECT_EQ(IniFile::WithValue("[Option]\nSetTime=5\n", " Option", " SetTime ", "6"),
              "[Option]\n SetTime =6\n");
}

TEST(Config, AWriteReplacesTheWholeFileOrFailsLeavingItAsItWas) {
    test::TempFolder folder;
    const std::string path = folder.File("config.ini");
    ASSERT_TRUE(WriteSetting("BFirst", "false", path));
    ASSERT_TRUE(WriteSetting("SetTime", "25", path));
    ASSERT_TRUE(WriteSetting("BFirst", "true", path));
    const std::string written = "[Option]\nBFirst=true\nSetTime=25\n";
    EXPECT_EQ(folder.Read("config.ini"), written);
    // Line breaks would write lines nobody asked for, and "[Job=]" would read as a section.
    EXPECT_FALSE(WriteSetting("SetTime", "1\nRunTime=0", path));
    EXPECT_FALSE(WriteSetting("SetTime", "1\r", path));
    EXPECT_FALSE(WriteSetting("[Job", "]", path));
    EXPECT_EQ(folder.Read("config.ini"), written);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);  // nothing left over

    EXPECT_FALSE(WriteSetting("BFirst", "false", folder.File("missing/config.ini")));
    fs::create_directory(folder.Path() / "dir.ini");
    EXPECT_FALSE(WriteSetting("BFirst", "false", folder.File("dir.ini")));
    EXPECT_TRUE(fs::is_directory(folder.Path() / "dir.ini"));
}

// Another program reading config.ini: POSIX replaces the file under it (the reader keeps the old
// one); Windows refuses while it is open, and the save then fails with the file as it was.
TEST(Config, AWriteWhileAnotherProgramHoldsTheFileOpenReplacesItWholeOrFailsLosingNothing) {
    test::TempFolder folder;
    const std::string path = folder.File("设置 目录/config.ini");
    folder.Write("设置 目录/config.ini", "[Option]\nSetTime=5\n");
    {
        std::ifstream reader(PathFromUtf8(path), std::ios::binary);
        ASSERT_TRUE(reader.is_open());
        const bool saved = WriteSetting("SetTime", "6", path);
        EXPECT_EQ(saved, fs::path::preferred_separator == '/');
        EXPECT_EQ(folder.Read("设置 目录/config.ini"),
                  saved ? "[Option]\nSetTime=6\n" : "[Option]\nSetTime=5\n");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / PathFromUtf8("设置 目录")), {}),
              1);
}

TEST(Config, AWriteThroughALinkReplacesTheFileItPointsTo) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows lets only administrators make symbolic links, and Wine makes none";
#endif
    test::TempFolder folder;
    const std::string path = folder.File("config.ini");
    folder.Write("config.ini", "[Option]\nBFirst=true\nSetTime=25\n");
    fs::create_symlink(path, folder.Path() / "link.ini");
    ASSERT_TRUE(WriteSetting("SetTime", "6", folder.File("link.ini")));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.ini"));
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nBFirst=true\nSetTime=6\n");
}

// A path written with '/' as it reads on this platform ("\\" on Windows).
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

TEST(ProgramPaths, AreDerivedFromTheExecutablesFolder) {
    const auto paths = ProgramPaths::FromExecutable(Native("/opt/a/prog"), "velunor");
    EXPECT_EQ((Texts{paths.m_folder, paths.m_exePath, paths.m_configPath}),
              (Texts{Native("/opt/a/"), Native("/opt/a/velunor"), Native("/opt/a/config.ini")}));
    EXPECT_EQ(paths.FileIn("Music", "a.mp3"), Native("/opt/a/Music/a.mp3"));
    EXPECT_EQ(paths.SubFolder("Picture"), Native("/opt/a/Picture"));
    EXPECT_EQ(ProgramPaths::FromExecutable(Native("F:/prog"), "v").m_configPath,
              Native("F:/config.ini"));
    EXPECT_EQ(ProgramPaths::FromExecutable("prog", "velunor").m_folder, Native("/"));
    using Split = std::pair<std::string, std::string>;
    EXPECT_EQ(SplitPath(Native("/x/眼睛/z.txt")), (Split{"z.txt", Native("/x/眼睛/")}));
    EXPECT_EQ(SplitPath(Native("/x/y/")), (Split{"", Native("/x/y/")}));
}

// A second start from the same folder finds the first by this name; other folders run their own.
TEST(ProgramPaths, EachFolderHasAnInstanceNameOfItsOwnThatIgnoresCaseWhereTheSystemDoes) {
    const std::string name = InstanceName(Native("/opt/眼睛 a/"));
    EXPECT_EQ(name, InstanceName(Native("/opt/眼睛 a/")));
    EXPECT_NE(name, InstanceName(Native("/opt/眼睛 b/")));
    EXPECT_EQ(name == InstanceName(Native("/OPT/眼睛 A/")), kPathSeparator == '\\');
    EXPECT_TRUE(name.starts_with("Velunor-"));
    EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) {
        return c == '-' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
               (c >= 'A' && c <= 'Z');
    }));
}

}  // namespace
}  // namespace velunor
