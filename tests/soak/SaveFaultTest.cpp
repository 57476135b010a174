// Saving config.ini when things go wrong: the saving process killed at any moment, or a folder the
// user may not write to. Either way config.ini stays one whole version. POSIX only.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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
using namespace std::chrono;

long TemporaryFiles(const fs::path& folder) {
    return std::count_if(fs::directory_iterator(folder), {}, [](const fs::directory_entry& file) {
        return file.path().filename().string().starts_with("config.ini.new-");
    });
}

// The child's exit code, or -1 when it did not exit.
int Await(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SaveFaults, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewOneWhole) {
    // Half a megabyte, so that a write takes many system calls and a kill often lands inside one.
    const std::string big(512 * 1024, 'x');
    const auto version = [](const std::string& interval, const std::string& blob) {
        return "; kept by hand\r\n[Window]\r\nLine=\xC4\xE3\xBA\xC3\r\n\r\n[Option]\r\nSetTime=" +
               interval + "\r\nBlob=" + blob + "\r\n";
    };
    const std::set<std::string> versions = {version("10", "small"), version("10", big),
                                            version("20", "small"), version("20", big)};
    const auto save = [&](const std::string& path, int round) {
        WriteSetting(config::kInterval, round % 2 ? "20" : "10", path);
        IniFile::Write(path, config::kSection, "Blob", round % 2 ? big : "small");
    };
    test::TempFolder folder;
    const std::string path = folder.File("config.ini");
    folder.Write("config.ini", version("10", "small"));
    const auto start = steady_clock::now();
    save(path, 0);
    save(path, 1);
    const auto round = std::max(100us, duration_cast<microseconds>(steady_clock::now() - start));

    // Kills spread over a few rounds, at least 200 and on until 20 caught a new file half
    // written. Each kill leaves one whole version and at most one more temporary file.
    std::mt19937 random(1234);
    std::uniform_int_distribution<long long> delay(0, 3 * round.count());
    long leftBehind = 0;
    for (int kills = 0; kills < 4000 && (kills < 200 || leftBehind < 20); ++kills) {
        const pid_t child = fork();
        for (int i = 0; child == 0; ++i) {
            save(path, i);
        }
        ASSERT_GT(child, 0);
        usleep(delay(random));
        kill(child, SIGKILL);
        ASSERT_EQ(Await(child), -1);
        ASSERT_EQ(versions.count(folder.Read("config.ini")), 1u) << "kill " << kills;
        const long temporaries = TemporaryFiles(folder.Path());
        ASSERT_LE(temporaries, leftBehind + 1) << "kill " << kills;
        leftBehind = temporaries;
    }
    EXPECT_GE(leftBehind, 20);

    // The next save neither minds the leftovers nor leaves one of its own.
    ASSERT_TRUE(WriteSetting(config::kInterval, "30", path));
    EXPECT_EQ(IniFile::Read(path, config::kSection, "SetTime"), "30");
    EXPECT_EQ(TemporaryFiles(folder.Path()), leftBehind);
}

TEST(SaveFaults, ASaveIntoAReadOnlyProgramFolderFailsAndLosesNothing) {
    test::TempFolder folder;
    const std::string old = "[Option]\r\nSetTime=25\r\nRunTime=2\r\n";
    folder.Write("config.ini", old);
    ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);

    // Root writes anywhere whatever the modes say, so the save runs as "nobody" (exit code 2 when
    // the child cannot become it, 1 when the save succeeded).
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        _exit(WriteSetting(config::kInterval, "45", folder.File("config.ini")) ? 1 : 0);
    }
    EXPECT_EQ(Await(child), 0);

    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(folder.Read("config.ini"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
}  // namespace velunor
