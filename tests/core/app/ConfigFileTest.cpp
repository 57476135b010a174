#include <gtest/gtest.h>

#include <climits>

#include "app/ConfigFile.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

TEST(ConfigFile, MissingFileGivesTheDefaultsAndStaysMissing) {
    test::TempFolder folder;
    AppSettings settings;
    ReadSettings(settings, folder.File("config.ini"));
    settings.DeriveValues();
    EXPECT_EQ(settings.bFirstText, "false");
    EXPECT_EQ(settings.bStartText, "true");
    EXPECT_EQ(settings.setTimeText, "10");
    EXPECT_EQ(settings.runTimeText, "1");
    EXPECT_EQ(settings.bkTimeText, "8");
    EXPECT_EQ(settings.autoStart, 1);
    EXPECT_EQ(settings.setTime, 10);
    EXPECT_EQ(settings.runTime, 1);
    EXPECT_FALSE(folder.Exists("config.ini"));
}

TEST(ConfigFile, ValuesAreCutToTheirFieldsAndReadTheWayAtoiReadsThem) {
    test::TempFolder folder;
    folder.Write("config.ini",
                 "[option]\n"
                 "BStart=FALSE\n"
                 "SetTime=1234567890123456789012345678901234567890\n"
                 "RunTime=  12abc  \n"
                 "BKTime=abcdefghijklmnopqrstuvwxyz\n");
    AppSettings settings;
    ReadSettings(settings, folder.File("config.ini"));
    settings.DeriveValues();
    EXPECT_EQ(settings.autoStart, 1);  // only the exact text "false" turns it off
    EXPECT_EQ(settings.setTimeText, "1234567890123456789012345678901");
    EXPECT_EQ(settings.setTime, INT_MAX);  // beyond int: saturated, never undefined
    EXPECT_EQ(settings.runTime, 12);
    EXPECT_EQ(settings.bkTimeText, "abcdefghijklmno");
}

TEST(ConfigFile, AtoiRulesWithSaturation) {
    EXPECT_EQ(ParseLeadingInt(" 15 "), 15);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("-7x"), -7);
    EXPECT_EQ(ParseLeadingInt("+007"), 7);
    EXPECT_EQ(ParseLeadingInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), INT_MIN);
}

TEST(ConfigFile, FalseOnlyWhenExactlyFalseAndEmptyCountsAsOn) {
    test::TempFolder folder;
    AppSettings settings;
    for (const auto& [text, expected] :
         {std::pair{"false", 0}, {"False", 1}, {"0", 1}, {"", 1}, {"\"false\"", 0}}) {
        folder.Write("config.ini", std::string("[Option]\nBStart=") + text + "\n");
        ReadSettings(settings, folder.File("config.ini"));
        settings.DeriveValues();
        EXPECT_EQ(settings.autoStart, expected) << text;
    }
}

TEST(ConfigFile, WriteSettingGoesToSectionOptionOfALongPathUsedWhole) {
    test::TempFolder folder;
    const std::string part(100, 'd');
    const std::string deep = part + "/" + part + "/" + part;  // past the old 255-byte buffer
    std::filesystem::create_directories(folder.Path() / deep);
    const std::string path = folder.File(deep + "/config.ini");
    ASSERT_TRUE(WriteSetting("SetTime", "45", path));
    AppSettings settings;
    ReadSettings(settings, path);
    EXPECT_EQ(settings.setTimeText, "45");
}

}  // namespace
}  // namespace velunor
