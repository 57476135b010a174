#include <gtest/gtest.h>

#include <filesystem>

#include "app/IniFile.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

TEST(IniFile, NamesMatchWithoutCaseAndValuesLoseBlanksAndOnePairOfQuotes) {
    const std::string ini =
        "; a comment\r\n"
        "[Other]\r\n"
        "SetTime=99\r\n"
        "[ oPTION ]\r\n"
        "settime =  15 \t\r\n"
        "RunTime=\"  5 \"\r\n"
        "BStart='false\"\r\n"
        "Empty=\r\n"
        "SetTime=77\r\n";
    EXPECT_EQ(IniFile::Lookup(ini, "Option", "SetTime"), "15");  // first key of first section
    EXPECT_EQ(IniFile::Lookup(ini, "option", "RUNTIME"), "  5 ");
    EXPECT_EQ(IniFile::Lookup(ini, "Option", "BStart"), "'false\"");  // quotes must match
    EXPECT_EQ(IniFile::Lookup(ini, "Option", "Empty"), "");
    EXPECT_EQ(IniFile::Lookup(ini, "Option", "Missing"), std::nullopt);
    EXPECT_EQ(IniFile::Lookup(ini, "Nowhere", "SetTime"), std::nullopt);
    EXPECT_EQ(IniFile::Lookup("SetTime=3\n", "Option", "SetTime"), std::nullopt);
}

TEST(IniFile, WritingOneKeyKeepsEveryOtherByte) {
    const std::string other = "[Fenster]\r\nTitel=\xE4\xF6\xFC\xFF\r\n; note\r\n\r\n";
    const std::string ini = other +
                            "[Option]\r\n"
                            "BFirst=true\r\n"
                            "setTime = 10 \r\n"
                            "\r\n"
                            "[Tail]\r\n"
                            "x=1";
    EXPECT_EQ(IniFile::WithValue(ini, "Option", "SetTime", "20"),
              other + "[Option]\r\nBFirst=true\r\nSetTime=20\r\n\r\n[Tail]\r\nx=1");
    // A new key goes to the end of its section, before the blank line that separates the next.
    EXPECT_EQ(IniFile::WithValue(ini, "Option", "RunTime", "2"),
              other + "[Option]\r\nBFirst=true\r\nsetTime = 10 \r\nRunTime=2\r\n\r\n[Tail]\r\nx=1");
    // A new section goes to the end, after a line ending of the file's own kind.
    EXPECT_EQ(IniFile::WithValue("[A]\r\nk=v", "Option", "BFirst", "false"),
              "[A]\r\nk=v\r\n[Option]\r\nBFirst=false\r\n");
    EXPECT_EQ(IniFile::WithValue("", "Option", "BFirst", "false"), "[Option]\nBFirst=false\n");
    EXPECT_EQ(IniFile::WithValue("[Option]\nA=1", "Option", "B", "2"), "[Option]\nA=1\nB=2\n");
}

TEST(IniFile, FileWriteCreatesReplacesAndRefusesUnsafeInput) {
    test::TempFolder folder;
    const std::string path = folder.File("config.ini");
    EXPECT_EQ(IniFile::Read(path, "Option", "BFirst"), std::nullopt);

    ASSERT_TRUE(IniFile::Write(path, "Option", "BFirst", "false"));
    ASSERT_TRUE(IniFile::Write(path, "Option", "SetTime", "25"));
    ASSERT_TRUE(IniFile::Write(path, "Option", "BFirst", "true"));
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nBFirst=true\nSetTime=25\n");

    // A value with a line break would smuggle in keys of its own.
    EXPECT_FALSE(IniFile::Write(path, "Option", "SetTime", "1\nRunTime=0"));
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nBFirst=true\nSetTime=25\n");

    // Nothing but config.ini is left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(IniFile, FailedWriteReportsFailureAndLeavesTheOldFile) {
    test::TempFolder folder;
    // The folder does not exist: nothing can be written there.
    EXPECT_FALSE(IniFile::Write(folder.File("missing/config.ini"), "Option", "BFirst", "false"));
    // A folder in the file's place cannot be replaced by a file.
    std::filesystem::create_directory(folder.Path() / "config.ini");
    EXPECT_FALSE(IniFile::Write(folder.File("config.ini"), "Option", "BFirst", "false"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "config.ini"));
}

TEST(IniFile, NamesAskedForWithBlanksAroundThemAreFoundAgain) {
    // The names in the file lose their blanks; the names asked for must too, or a key written
    // under such a name could never be read and every write would add another copy.
    const std::string once = IniFile::WithValue("", " Option\t", " SetTime ", "5");
    EXPECT_EQ(IniFile::Lookup(once, " Option\t", " SetTime "), "5");
    EXPECT_EQ(IniFile::Lookup(once, "Option", "SetTime"), "5");
    EXPECT_EQ(IniFile::WithValue(once, " Option\t", " SetTime ", "6"),
              "[ Option\t]\n SetTime =6\n");
}

TEST(IniFile, AKeyWhoseLineWouldReadAsASectionHeaderIsRefused) {
    test::TempFolder folder;
    folder.Write("config.ini", "[Option]\nSetTime=5\n");
    // "[Job=]" would end section Option for every line after it.
    EXPECT_FALSE(IniFile::Write(folder.File("config.ini"), "Option", "[Job", "]"));
    EXPECT_FALSE(IniFile::Write(folder.File("config.ini"), "Option", " [Job", "x"));
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nSetTime=5\n");
    EXPECT_TRUE(IniFile::Write(folder.File("config.ini"), "Option", "Job[1]", "x"));
}

TEST(IniFile, WritingThroughALinkReplacesTheFileItPointsTo) {
    test::TempFolder folder;
    folder.Write("real.ini", "[Option]\nSetTime=5\n");
    std::filesystem::create_symlink(folder.Path() / "real.ini", folder.Path() / "config.ini");
    ASSERT_TRUE(IniFile::Write(folder.File("config.ini"), "Option", "SetTime", "6"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "config.ini"));
    EXPECT_EQ(folder.Read("real.ini"), "[Option]\nSetTime=6\n");
}

}  // namespace
}  // namespace velunor
