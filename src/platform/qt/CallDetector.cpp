#include "CallDetector.h"

#include <dirent.h>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velunor {
namespace {
// A local sound server lists its streams in a few milliseconds.
constexpr auto kSoundServerTime = std::chrono::milliseconds(300);

// The two lists the sound server is asked for, filled in as its answers come.
struct Recordings {
    std::set<std::uint32_t> monitors;         // sources that record what an output plays
    std::vector<std::uint32_t> recordedFrom;  // the sources of programs' running recordings
    int listsToCome = 2;
    bool failed = false;

    bool Done() const { return failed || listsToCome == 0; }
};

void EndOfList(Recordings& recordings, int eol) {
    --recordings.listsToCome;
    recordings.failed = recordings.failed || eol < 0;
}

void OnSource(pa_context*, const pa_source_info* info, int eol, void* data) {
    auto& recordings = *static_cast<Recordings*>(data);
    if (eol != 0) {
        EndOfList(recordings, eol);
    } else if (info->monitor_of_sink != PA_INVALID_INDEX) {
        recordings.monitors.insert(info->index);
    }
}

// Streams with no client are the server's own (an echo canceller, a loopback module); a
// corked stream records nothing at the moment.
void OnSourceOutput(pa_context*, const pa_source_output_info* info, int eol, void* data) {
    auto& recordings = *static_cast<Recordings*>(data);
    if (eol != 0) {
        EndOfList(recordings, eol);
    } else if (info->client != PA_INVALID_INDEX && info->corked == 0) {
        recordings.recordedFrom.push_back(info->source);
    }
}

void OnContextState(pa_context* context, void* data) {
    auto& recordings = *static_cast<Recordings*>(data);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        pa_operation_unref(pa_context_get_source_info_list(context, OnSource, data));
        pa_operation_unref(pa_context_get_source_output_info_list(context, OnSourceOutput, data));
    } else if (!PA_CONTEXT_IS_GOOD(state)) {
        recordings.failed = true;
    }
}

// The lists may be gone by then: the end is not told of.
struct ContextEnd {
    void operator()(pa_context* context) const {
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
};

// Runs the loop until the lists are in or the time is up; false then.
bool RunUntilDone(pa_mainloop* loop, const Recordings& recordings) {
    const auto deadline = std::chrono::steady_clock::now() + kSoundServerTime;
    while (!recordings.Done()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || pa_mainloop_prepare(loop, int(left.count())) < 0 ||
            pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0) {
            return false;
        }
    }
    return !recordings.failed;
}

bool IsCamera(std::string_view deviceName) {
    return deviceName.starts_with("video");
}

// Whether any entry of the folder (none where it cannot be read) is one the test accepts.
template <typename Test>
bool AnyEntry(const char* folder, const Test& test) {
    struct Close {
        void operator()(DIR* folder) const { closedir(folder); }
    };
    const std::unique_ptr<DIR, Close> entries(opendir(folder));
    if (!entries) {
        return false;
    }
    while (const dirent* entry = readdir(entries.get())) {
        if (test(std::string_view(entry->d_name))) {
            return true;
        }
    }
    return false;
}

}  // namespace

// A connection of its own for each ask: asked only near a break, it costs nothing between breaks,
// and a server restarted meanwhile is found again. Never a server started for the question.
bool CallDetector::MicrophoneInUse() {
    const std::unique_ptr<pa_mainloop, decltype(&pa_mainloop_free)> loop(pa_mainloop_new(),
                                                                         pa_mainloop_free);
    if (!loop) {
        return false;
    }
    const std::unique_ptr<pa_context, ContextEnd> context(
        pa_context_new(pa_mainloop_get_api(loop.get()), "Velunor"));
    if (!context) {
        return false;
    }
    Recordings recordings;
    pa_context_set_state_callback(context.get(), OnContextState, &recordings);
    if (pa_context_connect(context.get(), nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !RunUntilDone(loop.get(), recordings)) {
        return false;
    }
    return std::ranges::any_of(recordings.recordedFrom, [&](std::uint32_t source) {
        return !recordings.monitors.contains(source);
    });
}

// Only where a camera is there are the user's processes looked through: their open files, which
// /proc shows of one's own processes only.
bool CallDetector::CameraInUse() {
    if (!AnyEntry("/dev", IsCamera)) {
        return false;
    }
    const uid_t user = getuid();
    const std::string self = std::to_string(getpid());
    return AnyEntry("/proc", [&](std::string_view name) {
        const std::string process = "/proc/" + std::string(name);
        struct stat owner {};
        if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0])) || name == self ||
            stat(process.c_str(), &owner) != 0 || owner.st_uid != user) {
            return false;
        }
        const std::string files = process + "/fd";
        return AnyEntry(files.c_str(), [&](std::string_view file) {
            std::array<char, 64> target{};
            const std::string link = files + "/" + std::string(file);
            const ssize_t size = readlink(link.c_str(), target.data(), target.size() - 1);
            const std::string_view path(target.data(), size > 0 ? std::size_t(size) : 0);
            return path.starts_with("/dev/") && IsCamera(path.substr(5));
        });
    });
}

}  // namespace velunor
