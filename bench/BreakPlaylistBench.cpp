#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "music/BreakPlaylist.h"
#include "support/FakeMediaPlayer.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

// A program folder whose Music folder holds this many music files and a tenth as many others.
class LargeMusicFolder {
public:
    explicit LargeMusicFolder(int files) {
        for (int i = 0; i < files; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Music/track%05d.%s", i, i % 10 == 0 ? "txt" : "mp3");
            m_folder.Write(name, "");
        }
        m_paths = ProgramPaths::FromExecutable(m_folder.Folder() + "velunor", "velunor");
    }
    const ProgramPaths& Paths() const { return m_paths; }

private:
    test::TempFolder m_folder;
    ProgramPaths m_paths;
};

constexpr int kFiles = 10'000;

const LargeMusicFolder& Folder() {
    static const LargeMusicFolder folder(kFiles);
    return folder;
}

// Start-up: a new playlist filled from the whole folder.
void BM_PrepareAtStartup(benchmark::State& state) {
    const auto& paths = Folder().Paths();
    for (auto _ : state) {
        test::FakeMediaPlayer player;
        BreakPlaylist playlist(player, paths);
        playlist.PrepareAtStartup();
        benchmark::DoNotOptimize(player.Current().items.data());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_PrepareAtStartup)->Unit(benchmark::kMillisecond);

// One break's music: filled and played at the start, stopped and emptied at the end.
void BM_BreakStartAndEnd(benchmark::State& state) {
    test::FakeMediaPlayer player;
    BreakPlaylist playlist(player, Folder().Paths());
    for (auto _ : state) {
        playlist.StartBreakMusic();
        playlist.EndBreakMusic();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_BreakStartAndEnd)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velunor
