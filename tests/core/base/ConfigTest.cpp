// config.ini and the paths beside the executable.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ConfigFile.h"
#include "base/IniFile.h"
#include "base/InstanceName.h"
#include "base/ProgramPaths.h"
#include "base/Utf8Path.h"
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

    // A line naming a key without '=' hides a later line of that key; a comment names none.
    folder.Write("config.ini", "[Option]\n bktime \nBKTime=5\n;RunTime\nRunTime=4\n");
    EXPECT_EQ(ReadTexts(folder.File("config.ini"), s), (Texts{"false", "true", "10", "4", "8"}));
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

TEST(Config, AWriteReplacesTheWholeFileEvenThroughALinkOrUnderAReaderOrFailsLosingNothing) {
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
    {  // Another program reading it: POSIX replaces the file under it (the reader keeps the old
       // one); Windows refuses while it is open, and the save then fails with the file as it was.
        std::ifstream reader(PathFromUtf8(path), std::ios::binary);
        ASSERT_TRUE(reader.is_open());
        const bool saved = WriteSetting("SetTime", "6", path);
        EXPECT_EQ(saved, fs::path::preferred_separator == '/');
        EXPECT_EQ(folder.Read("config.ini"),
                  saved ? "[Option]\nBFirst=true\nSetTime=6\n" : written);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);  // nothing left over
#ifndef _WIN32  // Windows lets only administrators make symbolic links, and Wine makes none
    fs::create_symlink(path, folder.Path() / "link.ini");  // a write replaces what it points to
    ASSERT_TRUE(WriteSetting("SetTime", "7", folder.File("link.ini")));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.ini"));
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nBFirst=true\nSetTime=7\n");
#endif

    // A config.ini that cannot be read is the settings test's.
    EXPECT_FALSE(WriteSetting("BFirst", "false", folder.File("missing/config.ini")));
}

// config.ini as Windows editors save it: UTF-8 with a byte-order mark, or UTF-16 ("Unicode")
// with one. TEXT gives a literal both as UTF-8 and as UTF-16.
enum class Saved { Utf8WithMark, Utf16LE, Utf16BE };
struct Text {
    std::string_view utf8;
    std::u16string_view utf16;
};
#define TEXT(literal) (Text{literal, u"" literal})

std::string AsSaved(Saved saved, Text text) {
    if (saved == Saved::Utf8WithMark) {
        return "\xEF\xBB\xBF" + std::string(text.utf8);
    }
    const bool big = saved == Saved::Utf16BE;
    std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text.utf16) {
        bytes += char(big ? unit >> 8 : unit & 0xFF);
        bytes += char(big ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

class ConfigSavedByWindowsEditors : public testing::TestWithParam<Saved> {
protected:
    void Save(Text text) { m_folder.Write("config.ini", AsSaved(GetParam(), text)); }
    bool Write(std::string_view key, std::string_view value) {
        return WriteSetting(key, value, m_path);
    }
    std::string Stored(Text text) const { return AsSaved(GetParam(), text); }
    test::TempFolder m_folder;
    const std::string m_path = m_folder.File("config.ini");
};

// One [Option] section, each key changed where it stands, the file's line endings and every other
// line kept, and all of it stored as before.
TEST_P(ConfigSavedByWindowsEditors, AreReadAndWrittenInTheirOwnEncoding) {
    Save(TEXT("[Option]\r\nBFirst=true\r\nSetTime=25\r\n\r\n[Other]\r\nName=眼睛 😀\r\nx=1"));
    AppSettings s;
    EXPECT_EQ(ReadTexts(m_path, s), (Texts{"true", "true", "25", "1", "8"}));
    ASSERT_TRUE(Write("RunTime", "7"));
    ASSERT_TRUE(Write("BFirst", "false"));
    EXPECT_EQ(m_folder.Read("config.ini"),
              Stored(TEXT("[Option]\r\nBFirst=false\r\nSetTime=25\r\nRunTime=7\r\n\r\n"
                          "[Other]\r\nName=眼睛 😀\r\nx=1")));
    EXPECT_EQ(ReadTexts(m_path, s), (Texts{"false", "true", "25", "7", "8"}));

    // An empty file with only its mark gains the section in its encoding.
    Save(TEXT(""));
    ASSERT_TRUE(Write("BFirst", "false"));
    EXPECT_EQ(m_folder.Read("config.ini"), Stored(TEXT("[Option]\nBFirst=false\n")));
}

// Lone surrogates and an odd last byte of a UTF-16 file are the fuzzer's (a seed of its corpus
// holds both); a value a UTF-16 file cannot take is the settings test's.
INSTANTIATE_TEST_SUITE_P(Encodings, ConfigSavedByWindowsEditors,
                         testing::Values(Saved::Utf8WithMark, Saved::Utf16LE, Saved::Utf16BE));

// A path written with '/' as it reads on this platform ("\\" on Windows).
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

TEST(ProgramPaths, AreDerivedFromTheExecutablesFolderAndNameOneRunningCopyPerFolderAndUser) {
    const auto paths = ProgramPaths::FromExecutable(Native("/opt/a/prog"), "velunor");
    EXPECT_EQ((Texts{paths.m_folder, paths.m_exePath, paths.m_configPath}),
              (Texts{Native("/opt/a/"), Native("/opt/a/velunor"), Native("/opt/a/config.ini")}));
    EXPECT_EQ(ProgramPaths::FromExecutable(Native("F:/prog"), "v").m_configPath,
              Native("F:/config.ini"));
    EXPECT_EQ(ProgramPaths::FromExecutable("prog", "velunor").m_folder, Native("/"));
    using Split = std::pair<std::string, std::string>;
    EXPECT_EQ(SplitPath(Native("/x/眼睛/z.txt")), (Split{"z.txt", Native("/x/眼睛/")}));
    EXPECT_EQ(SplitPath(Native("/x/y/")), (Split{"", Native("/x/y/")}));

    // One running copy per folder and user. The Windows program finds the Linux one's rule by this
    // value: both must name a folder alike.
    const std::string name = InstanceName("/opt/眼睛/", "1000");
    EXPECT_EQ(name, "Velunor-e9afceb897b89b96");
    EXPECT_NE(InstanceName("/opt/眼睛2/", "1000"), name);
    EXPECT_NE(InstanceName("/opt/眼睛/", "1001"), name);
}

}  // namespace
}  // namespace velunor
