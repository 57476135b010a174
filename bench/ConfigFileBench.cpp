#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/AppSettings.h"
#include "base/ConfigFile.h"
#include "base/IniFile.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

// How the file is stored: as plain bytes, or as Windows editors save it, UTF-8 with a byte-order
// mark or UTF-16 LE with one (each read and write then decodes and encodes the whole file).
enum Stored { kBytes, kUtf8WithMark, kUtf16LE };

std::string AsStored(const std::string& text, Stored stored) {
    if (stored == kBytes) {
        return text;
    }
    if (stored == kUtf8WithMark) {
        return "\xEF\xBB\xBF" + text;
    }
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {  // the text is ASCII
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// A config.ini whose section Option comes after this many lines of another section, as when
// someone keeps notes of their own in the file; every read and write goes through all of them.
class ConfigWithOtherLines {
public:
    explicit ConfigWithOtherLines(const benchmark::State& state) {
        static const char* const kLabels[] = {"bytes", "UTF-8 with mark", "UTF-16 LE"};
        const auto stored = Stored(state.range(1));
        const auto otherLines = int(state.range(0));
        std::string content = "[Notes]\r\n";
        for (int i = 0; i < otherLines; ++i) {
            content +=
                "Note" + std::to_string(i) + "=kept as it is, line " + std::to_string(i) + "\r\n";
        }
        content += "[Option]\r\nBFirst=false\r\nBStart=true\r\nSetTime=10\r\nRunTime=1\r\n";
        m_folder.Write("config.ini", AsStored(content, stored));
        m_label = kLabels[stored];
    }
    std::string Path() const { return m_folder.File("config.ini"); }
    const char* Label() const { return m_label; }

private:
    test::TempFolder m_folder;
    const char* m_label = "";
};

const std::vector<std::vector<std::int64_t>> kSizesAndEncodings = {
    {0, 1000}, {kBytes, kUtf8WithMark, kUtf16LE}};

// One key, as the program reads each of its settings.
void BM_ReadOneKey(benchmark::State& state) {
    const ConfigWithOtherLines config(state);
    state.SetLabel(config.Label());
    const std::string path = config.Path();
    for (auto _ : state) {
        benchmark::DoNotOptimize(IniFile::Read(path, config::kSection, config::kInterval));
    }
}
BENCHMARK(BM_ReadOneKey)->ArgsProduct(kSizesAndEncodings)->Unit(benchmark::kMicrosecond);

// All five settings, as at start-up and when the settings dialog opens.
void BM_ReadSettings(benchmark::State& state) {
    const ConfigWithOtherLines config(state);
    state.SetLabel(config.Label());
    const std::string path = config.Path();
    AppSettings settings;
    for (auto _ : state) {
        ReadSettings(settings, path);
        benchmark::DoNotOptimize(settings.setTimeText.data());
    }
}
BENCHMARK(BM_ReadSettings)->ArgsProduct(kSizesAndEncodings)->Unit(benchmark::kMicrosecond);

// One key saved: the whole file read, rebuilt, written beside it and renamed over it.
void BM_WriteOneKey(benchmark::State& state) {
    const ConfigWithOtherLines config(state);
    state.SetLabel(config.Label());
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
BENCHMARK(BM_WriteOneKey)->ArgsProduct(kSizesAndEncodings)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velunor
