#include <gtest/gtest.h>

#include "app/ProgramPaths.h"

namespace velunor {
namespace {

TEST(ProgramPaths, DerivesEverythingFromTheExecutablesFolder) {
    const auto paths = ProgramPaths::FromExecutable("/opt/a/b/prog", "velunor");
    EXPECT_EQ(paths.m_folder, "/opt/a/b/");
    EXPECT_EQ(paths.m_exePath, "/opt/a/b/velunor");  // the fixed name, not the running file's
    EXPECT_EQ(paths.m_configPath, "/opt/a/b/config.ini");
    EXPECT_EQ(paths.FileIn("Music", "a.mp3"), "/opt/a/b/Music/a.mp3");
    EXPECT_EQ(paths.SubFolder("Picture"), "/opt/a/b/Picture");
}

TEST(ProgramPaths, RootAndSeparatorlessPathsStillGiveAFolderWithItsSeparator) {
    EXPECT_EQ(ModuleFolder("/prog"), "");
    EXPECT_EQ(ProgramPaths::FromExecutable("/prog", "velunor").m_configPath, "/config.ini");
    EXPECT_EQ(ProgramPaths::FromExecutable("prog", "velunor").m_folder, "/");
    EXPECT_EQ(ModuleFolder(""), "");
}

TEST(ProgramPaths, SplitPathGivesNameAndFolderThatJoinBackToThePath) {
    const std::string path = "/x/眼睛/z.txt";  // non-ASCII folder names pass byte for byte
    const auto [name, folder] = SplitPath(path);
    EXPECT_EQ(name, "z.txt");
    EXPECT_EQ(folder, "/x/眼睛/");
    EXPECT_EQ(folder + name, path);
    EXPECT_EQ(FileNameOf("/x/y/"), "");
}

}  // namespace
}  // namespace velunor
