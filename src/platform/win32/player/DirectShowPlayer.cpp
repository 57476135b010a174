#include "platform/win32/player/DirectShowPlayer.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/WideText.h"

namespace velunor {
namespace {

constexpr UINT kGraphEvent = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"VelunorDirectShowEvents";

HWND CreateEventWindow(void* player, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when a second player registers it again
    return CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), player);
}

// The player's scale is the loudness people hear; DirectShow wants hundredths of a decibel.
long Attenuation(int volume) {
    if (volume <= 0) {
        return -10000;
    }
    const double decibels = 20.0 * std::log10(std::min(volume, 100) / 100.0);
    return std::max(-10000L, std::lround(decibels * 100.0));
}

}  // namespace

DirectShowPlayer::DirectShowPlayer() : m_window(CreateEventWindow(this, WindowProcedure)) {}

DirectShowPlayer::~DirectShowPlayer() {
    m_queue.Stop();
    ReleaseGraph();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

LRESULT CALLBACK DirectShowPlayer::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == kGraphEvent) {
        auto* player =
            reinterpret_cast<DirectShowPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (player != nullptr) {
            player->OnGraphEvents();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DirectShowPlayer::Play() {
    PlayFrom(m_queue.Start(Current().ItemCount(), m_playCount));
}

void DirectShowPlayer::Stop() {
    m_queue.Stop();
    ReleaseGraph();
}

void DirectShowPlayer::SetVolume(int volume) {
    m_volume = volume;
    ApplyVolume();
}

// Files that cannot be played are passed over here, one after the other, until one plays or the
// queue gives up after a pass with nothing played.
void DirectShowPlayer::PlayFrom(std::optional<std::size_t> index) {
    ReleaseGraph();
    while (index && *index < Current().ItemCount()) {
        if (StartFile(Current().PathAt(*index))) {
            return;
        }
        ReleaseGraph();
        index = m_queue.Next(Current().ItemCount());
    }
    m_queue.Stop();
}

bool DirectShowPlayer::StartFile(const std::string& path) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(m_graph.Receive()))) ||
        !m_graph || FAILED(m_graph->RenderFile(Widen(path).c_str(), nullptr))) {
        return false;
    }
    m_control = m_graph.As<IMediaControl>(IID_IMediaControl);
    m_events = m_graph.As<IMediaEventEx>(IID_IMediaEventEx);
    if (!m_control || !m_events ||
        FAILED(m_events->SetNotifyWindow(reinterpret_cast<OAHWND>(m_window), kGraphEvent, 0))) {
        return false;
    }
    ApplyVolume();
    return SUCCEEDED(m_control->Run());
}

void DirectShowPlayer::ApplyVolume() {
    if (const auto audio = m_graph.As<IBasicAudio>(IID_IBasicAudio)) {
        audio->put_Volume(Attenuation(m_volume));
    }
}

void DirectShowPlayer::ReleaseGraph() {
    if (m_control) {
        m_control->Stop();
    }
    if (m_events) {
        m_events->SetNotifyWindow(0, 0, 0);
    }
    m_events.Reset();
    m_control.Reset();
    m_graph.Reset();
}

// Every pending event is taken before the graph may go: the end of a file moves on to the next,
// an error skips it without counting it as played.
void DirectShowPlayer::OnGraphEvents() {
    if (!m_events) {
        return;
    }
    bool advance = false;
    long code = 0;
    LONG_PTR first = 0;
    LONG_PTR second = 0;
    while (m_events && SUCCEEDED(m_events->GetEvent(&code, &first, &second, 0))) {
        m_events->FreeEventParams(code, first, second);
        if (code == EC_COMPLETE) {
            m_queue.MarkPlayed();
            advance = true;
        } else if (code == EC_ERRORABORT || code == EC_USERABORT) {
            advance = true;
        }
    }
    if (advance && m_queue.Active()) {
        PlayFrom(m_queue.Next(Current().ItemCount()));
    }
}

}  // namespace velunor
