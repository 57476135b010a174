#include <benchmark/benchmark.h>

#include <string>

#include "app/AppSettings.h"
#include "app/ConfigFile.h"
#include "app/IniFile.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

// A config.ini whose section Option comes after this many lines of another section, as when
// someone keeps notes of their own in the file; every read and write goes through all of them.
class ConfigWithOtherLines {
public:
    explicit ConfigWithOtherLines(int otherLines) {
        std::string content = "[Notes]\r\n";
        for (int i = 0; i < otherLines; ++i) {
            content +=
                "Note" + std::to_string(i) + "=kept as it is, line " + std::to_string(i) + "\r\n";
        }
        content += "[Option]\r\nBFirst=false\r\nBStart=true\r\nSetTime=10\r\nRunTime=1\r\n";
        m_folder.Write("config.ini", content);
    }
    std::string Path() const { return m_folder.File("config.ini"); }

private:
    test::TempFolder m_folder;
};

// One key, as the program reads each of its settings.
void BM_ReadOneKey(benchmark::State& state) {
    const ConfigWithOtherLines config(int(state.range(0)));
    const std::string path = config.Path();
    for (auto _ : state) {
        benchmark::DoNotOptimize(IniFile::Read(path, config::kSection, config::kInterval));
    }
}
BENCHMARK(BM_ReadOneKey)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// All five settings, as at start-up and when the settings dialog opens.
void BM_ReadSettings(benchmark::State& state) {
    const ConfigWithOtherLines config(int(state.range(0)));
    const std::string path = config.Path();
    AppSettings settings;
    for (auto _ : state) {
        ReadSettings(settings, path);
        benchmark::DoNotOptimize(settings.setTimeText.data());
    }
}
BENCHMARK(BM_ReadSettings)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// One key saved: the whole file read, rebuilt, written beside it and renamed over it.
void BM_WriteOneKey(benchmark::State& state) {
    const ConfigWithOtherLines config(int(state.range(0)));
    const std::string path = config.Path();
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        if (!WriteSetting(config::kInterval, odd ? "20" : "10", path)) {
            state.SkipWithError("config.ini could not be written");
            break;
        }
    }
}
BENCHMARK(BM_WriteOneKey)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velunor
