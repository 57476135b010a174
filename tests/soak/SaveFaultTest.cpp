// Saving config.ini when things go wrong: the saving process killed at any moment, and a program
// folder the user may not write to. Either way config.ini must be the old file or the new one,
// whole, never a mix. Runs the saves in child processes, so POSIX only.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "app/ConfigFile.h"
#include "app/IniFile.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 200;         // at the least
constexpr int kKillsMidWrite = 20;  // kills that must catch a new file half written
constexpr int kMostKills = 4000;
constexpr uid_t kNobody = 65534;

// Big enough that a write takes many system calls, so that a kill often lands inside one.
const std::string& BigValue() {
    static const std::string value = [] {
        std::string text;
        for (int i = 0; text.size() < 512 * 1024; ++i) {
            text += "block" + std::to_string(i) + ';';
        }
        return text;
    }();
    return value;
}

std::string OtherLines() {
    std::string lines = "; kept by hand\r\n[Window]\r\n";
    for (int i = 0; i < 200; ++i) {
        lines += "Line" + std::to_string(i) + "=\xC4\xE3\xBA\xC3 " + std::to_string(i) + "\r\n";
    }
    return lines + "\r\n";
}

// The two saves the child makes, in turn, with one of two values each.
void Save(const std::string& path, int round) {
    WriteSetting(config::kInterval, round % 2 ? "20" : "10", path);
    IniFile::Write(path, config::kSection, "Blob", round % 2 ? BigValue() : "small");
}

std::string Version(const std::string& interval, const std::string& blob) {
    const std::string base =
        OtherLines() + "[Option]\r\nBFirst=false\r\nSetTime=10\r\nBlob=small\r\n";
    const std::string withInterval =
        IniFile::WithValue(base, config::kSection, "SetTime", interval);
    return IniFile::WithValue(withInterval, config::kSection, "Blob", blob);
}

int TemporaryFiles(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with("config.ini.new-");
    }
    return count;
}

// How long one round of saves takes here, so that the kills spread over whole rounds.
std::chrono::microseconds RoundTime(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 4; ++round) {
        Save(path, round);
    }
    const auto rounds = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::microseconds>(rounds / 4);
}

pid_t StartSavingForever(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        for (int round = 0;; ++round) {
            Save(path, round);
        }
    }
    return child;
}

// Starts a child saving over and over, kills it after the delay and checks what it left: one of
// the versions it saves, whole, and at most the one new file it was writing besides those that
// earlier kills left.
void KillOneSave(const test::TempFolder& folder, const std::set<std::string>& versions,
                 useconds_t delay, int& leftBehind) {
    const pid_t child = StartSavingForever(folder.File("config.ini"));
    ASSERT_GT(child, 0);
    usleep(delay);
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(versions.count(folder.Read("config.ini")), 1u);
    const int temporaries = TemporaryFiles(folder.Path());
    ASSERT_LE(temporaries, leftBehind + 1);
    leftBehind = temporaries;
}

TEST(SaveFaults, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole) {
    test::TempFolder folder;
    const std::string path = folder.File("config.ini");
    const std::set<std::string> versions = {Version("10", "small"), Version("10", BigValue()),
                                            Version("20", "small"), Version("20", BigValue())};
    folder.Write("config.ini", Version("10", "small"));
    const auto round = std::max(RoundTime(path), std::chrono::microseconds(100));
    ASSERT_EQ(TemporaryFiles(folder.Path()), 0);

    // Kills spread over a few rounds; kept up until enough of them caught a new file half
    // written, since those are the ones that show something.
    std::mt19937 random(1234);
    std::uniform_int_distribution<long long> delay(0, 3 * round.count());
    int leftBehind = 0;
    int kills = 0;
    while (kills < kMostKills && (kills < kKills || leftBehind < kKillsMidWrite)) {
        ++kills;
        ASSERT_NO_FATAL_FAILURE(KillOneSave(folder, versions, delay(random), leftBehind))
            << "kill " << kills;
    }
    EXPECT_GE(leftBehind, kKillsMidWrite);

    // The next save neither minds the leftovers nor leaves one of its own.
    ASSERT_TRUE(WriteSetting(config::kInterval, "30", path));
    EXPECT_EQ(IniFile::Read(path, config::kSection, "SetTime"), "30");
    EXPECT_EQ(TemporaryFiles(folder.Path()), leftBehind);
    std::printf("%d kills during saves of %lld us each, %d of them while a new file was written\n",
                kills, (long long)round.count(), leftBehind);
}

// Exit codes of the child that tries the save.
constexpr int kSaveFailed = 10;
constexpr int kSaved = 11;
constexpr int kStillPrivileged = 12;

// Root may write anywhere whatever the modes say, so the save runs as "nobody" where it can.
int SaveAsAnotherUser(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
                               setuid(kNobody) != 0 || geteuid() == 0)) {
            _exit(kStillPrivileged);
        }
        _exit(WriteSetting(config::kInterval, "45", path) ? kSaved : kSaveFailed);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

TEST(SaveFaults, ASaveIntoAReadOnlyProgramFolderFailsAndLosesNothing) {
    test::TempFolder folder;
    const std::string old = "[Option]\r\nSetTime=25\r\nRunTime=2\r\n";
    folder.Write("config.ini", old);
    ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);

    EXPECT_EQ(SaveAsAnotherUser(folder.File("config.ini")), kSaveFailed);

    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(folder.Read("config.ini"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace velunor
