// Saving config.ini when the saving process is killed at any moment: config.ini stays one whole
// version. (A save that cannot make its new file is the config test's.) POSIX only.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "base/ConfigFile.h"
#include "base/IniFile.h"
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
        int status = 0;
        ASSERT_TRUE(waitpid(child, &status, 0) == child && WIFSIGNALED(status));
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

}  // namespace
}  // namespace velunor
