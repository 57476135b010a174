#include "session/BreakSession.h"

#include <algorithm>
#include <string>

#include "base/ConfigFile.h"

namespace velunor {
namespace {
constexpr std::string_view kNoticeTitle = "Velunor";
constexpr std::string_view kNoticeText = "秒后开始休息";
}  // namespace

BreakSession::BreakSession(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
                           MediaPlayer& player, Desktop& desktop)
    : m_clock(clock),
      m_paths(paths),
      m_sound(sound),
      m_desktop(desktop),
      m_scheduler(m_settings, clock, *this),
      m_renderer(m_settings, clock),
      m_playlist(player, paths) {}

void BreakSession::Start() {
    m_renderer.Initialize(m_desktop.BreakCanvas());
    m_playlist.PrepareAtStartup();
    ReadSettings(m_settings, m_paths.m_configPath);
    m_settings.DeriveValues();
    m_scheduler.StartWork();
    m_desktop.StartScheduleTimer();
    if (m_settings.bFirstText == "true") {
        OpenSettings();  // the tray icon comes with the first tick, while the dialog is open
        return;
    }
    m_desktop.ShowTrayIcon();
}

// Stillness, a lock and a full-screen program hold a due break back; the schedule itself still
// ticks, so a sleep or a clock set back is noticed as before.
void BreakSession::OnScheduleTick() {
    if (m_exited || InBreak()) {
        return;
    }
    const bool away = NoteIdleness();
    const auto secondsLeft = m_scheduler.SecondsUntilBreak(m_clock.Now());
    const bool held = Locked() || away || HeldByFullScreen(secondsLeft);
    if (held) {
        WithdrawNotice();  // its countdown is no longer true
    } else {
        NoticeComingBreak(secondsLeft);
    }
    m_scheduler.OnScheduleTick(held);
    EndBreakIfCountdownEnded();
}

// The countdown's end is acted on after the frame, never from inside it.
void BreakSession::OnFrameTick() {
    if (InBreak() && m_renderer.RenderFrame()) {
        m_scheduler.EndBreak();
    }
}

void BreakSession::EndBreakIfCountdownEnded() {
    if (m_countdownEnded) {
        m_countdownEnded = false;
        m_scheduler.EndBreak();
    }
}

KeyAction BreakSession::OnBreakKey(BreakKey key) {
    const KeyAction action = DecideBreakKey(key);
    if (action == KeyAction::EndBreak) {
        m_scheduler.EndBreak();
    }
    return action;
}

void BreakSession::OnCloseRequest() {
    if (InBreak()) {
        m_scheduler.EndBreak();
        return;
    }
    Exit();
}

bool BreakSession::Locked() const {
    return std::any_of(m_away.begin(), m_away.end(), [](bool active) { return active; });
}

// A break that shows when the lock begins ends at once. A lock as long as a break (and at least a
// minute) was a break: the interval starts again when it ends; after a shorter one a break that
// became due meanwhile comes at once.
void BreakSession::OnAwayChanged(AwaySource source, bool active) {
    const bool wasLocked = Locked();
    m_away[std::size_t(source)] = active;
    const CalendarTime now = m_clock.Now();
    if (!wasLocked && Locked()) {
        m_lockedSince = now;
        m_scheduler.EndBreak();
    } else if (wasLocked && !Locked()) {
        if (m_scheduler.CountsAsABreak(now - m_lockedSince)) {
            m_scheduler.RestartInterval();
        }
    }
}

// True while the user is away from the desk. Input after time away restarts the interval: the
// time away was the break. Stillness during a break is what a break is for, so only the seconds
// since its end count.
bool BreakSession::NoteIdleness() {
    const auto idle = m_desktop.IdleSeconds();
    if (!idle) {
        m_awayFromDesk = false;
        return false;
    }
    if (*idle < m_idleBeforeWork) {
        m_idleBeforeWork = 0;  // input came since the break
    }
    const bool away =
        *idle - m_idleBeforeWork >= std::max(kAwaySeconds, m_scheduler.BreakSeconds());
    if (m_awayFromDesk && !away) {
        m_scheduler.RestartInterval();
    }
    m_awayFromDesk = away;
    return away;
}

// Asked only when a notice or the break is near, not every second.
bool BreakSession::HeldByFullScreen(std::optional<CalendarTime> secondsLeft) {
    return secondsLeft && *secondsLeft <= kNoticeSeconds && m_desktop.OtherProgramFullScreen();
}

// Once per interval, with the seconds actually left; none while a library holds breaks back.
void BreakSession::NoticeComingBreak(std::optional<CalendarTime> secondsLeft) {
    if (!secondsLeft || *secondsLeft <= 0 || *secondsLeft > kNoticeSeconds ||
        !m_settings.libraryClosed || m_noticedInterval == m_settings.workStart) {
        return;
    }
    m_noticedInterval = m_settings.workStart;
    m_noticeUp = true;
    m_desktop.ShowNotice(kNoticeTitle, std::to_string(*secondsLeft) + std::string(kNoticeText));
}

// A notice outlives its use when the break comes or is held back; left up, a desktop shows it
// late or keeps it in its list.
void BreakSession::WithdrawNotice() {
    if (m_noticeUp) {
        m_noticeUp = false;
        m_desktop.WithdrawNotice();
    }
}

void BreakSession::OpenSettings() {
    if (m_settingsOpen || m_exited) {
        return;
    }
    m_settingsOpen = true;
    m_desktop.RunSettingsDialog(m_settings, m_scheduler);
    m_settingsOpen = false;
}

void BreakSession::OpenHelp() {
    m_desktop.RunHelpDialog();
}

void BreakSession::OpenAbout() {
    m_desktop.RunAboutDialog();
}

// A break that shows ends first: its music stops and the keyboard is given back.
void BreakSession::Exit() {
    if (m_exited) {
        return;
    }
    m_exited = true;
    m_scheduler.EndBreak();
    m_desktop.StopTimers();
    m_renderer.Shutdown();
    m_desktop.RemoveTrayIcon();
    m_desktop.Quit();
}

void BreakSession::AddTrayIcon() {
    m_desktop.ShowTrayIcon();
}

// The sound output is held only while the music plays: held open, some audio engines keep the
// program waking between breaks.
void BreakSession::StartBreakMusic() {
    m_sound.Open();
    m_playlist.StartBreakMusic();
}

void BreakSession::StopBreakMusic() {
    m_playlist.EndBreakMusic();
    m_sound.Close();
}

// The first frame is in the back buffer before the window is first painted: it never shows an
// empty screen. A break of no length ends with it.
void BreakSession::ShowBreakScreen() {
    WithdrawNotice();
    m_desktop.ShowBreakWindow();
    m_desktop.HoldKeyboard();
    m_countdownEnded = m_renderer.RenderFrame();
}

void BreakSession::HideBreakScreen() {
    m_desktop.ReleaseKeyboard();
    m_desktop.HideBreakWindow();
    m_idleBeforeWork = m_desktop.IdleSeconds().value_or(0);
}

void BreakSession::ArmCountdown() {
    m_renderer.ArmCountdown();
}

}  // namespace velunor
