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
      m_playlist(player, paths),
      m_pause(clock, paths.m_configPath) {}

void BreakSession::Start() {
    m_renderer.Initialize(m_desktop.BreakCanvas());
    m_playlist.PrepareAtStartup();
    ReadSettings(m_settings, m_paths.m_configPath);
    m_settings.DeriveValues();
    m_scheduler.StartWork();
    m_pause.Load();
    m_desktop.StartScheduleTimer();
    if (m_settings.bFirstText == "true") {
        OpenSettings();  // the tray icon comes with the first tick, while the dialog is open
        return;
    }
    m_desktop.ShowTrayIcon();
    PublishTrayState();
}

// A pause, stillness, a lock, a full-screen program and a call hold a due break back; the
// schedule itself still ticks, so a sleep or a clock set back is noticed as before.
void BreakSession::OnScheduleTick() {
    if (m_exited || InBreak()) {
        return;
    }
    EndPauseIfOver();
    const bool away = NoteIdleness();
    const auto secondsLeft = m_scheduler.SecondsUntilBreak(m_clock.Now());
    const bool held = Paused() || Locked() || away || HeldByOtherProgram(secondsLeft);
    if (held) {
        WithdrawNotice();  // its countdown is no longer true
    } else {
        NoticeComingBreak(secondsLeft);
    }
    m_scheduler.OnScheduleTick(held);
    EndBreakIfCountdownEnded();
    PublishTrayState();
}

void BreakSession::Pause(int minutes) {
    if (m_exited) {
        return;
    }
    m_pause.Start(minutes);
    PublishTrayState();
}

void BreakSession::Resume() {
    if (Paused()) {
        EndPause();
        PublishTrayState();
    }
}

void BreakSession::EndPauseIfOver() {
    const auto until = m_pause.Until();
    if (until && m_clock.Now() >= *until) {
        EndPause();
    }
}

// A break that fell due during the pause comes after its notice, not the moment the pause ends.
void BreakSession::EndPause() {
    m_pause.End();
    const auto secondsLeft = m_scheduler.SecondsUntilBreak(m_clock.Now());
    if (secondsLeft && *secondsLeft <= 0) {
        m_scheduler.DelayBreakUntil(m_clock.Now() + kNoticeSeconds);
    }
}

int BreakSession::PostponesInThisInterval() const {
    return m_postponedInterval == m_settings.workStart ? m_postpones : 0;
}

bool BreakSession::Postpone() {
    const auto due = m_scheduler.BreakDueAt();
    if (m_exited || !due || PostponesInThisInterval() >= kMostPostpones) {
        return false;
    }
    const CalendarTime until = m_clock.Now() + kPostponeSeconds;
    if (until > *due) {
        m_postpones = PostponesInThisInterval() + 1;
        m_postponedInterval = m_settings.workStart;
        m_scheduler.DelayBreakUntil(until);
        WithdrawNotice();
    }
    PublishTrayState();
    return true;
}

void BreakSession::BreakNow() {
    if (!m_exited && m_settings.libraryClosed) {
        m_scheduler.EnterBreak();
    }
}

RequestOutcome BreakSession::Perform(const RemoteRequest& request) {
    switch (request.kind) {
        case RemoteRequest::Kind::Settings:
            OpenSettings();
            break;
        case RemoteRequest::Kind::Quit:
            Exit();
            break;
        case RemoteRequest::Kind::Pause:
            Pause(request.minutes);
            break;
        case RemoteRequest::Kind::Resume:
            Resume();
            break;
        case RemoteRequest::Kind::Postpone:
            return Postpone() ? RequestOutcome::Done : RequestOutcome::Refused;
        case RemoteRequest::Kind::BreakNow:
            BreakNow();
            break;
    }
    return RequestOutcome::Done;
}

// Compared with what the tray shows, so that the desktop hears only of changes.
void BreakSession::PublishTrayState() {
    if (m_exited) {
        return;
    }
    TrayState state;
    state.tip = m_pause.Tip();
    state.paused = Paused();
    state.canPostpone =
        !InBreak() && m_scheduler.BreakDueAt() && PostponesInThisInterval() < kMostPostpones;
    state.canBreakNow = !InBreak() && m_settings.libraryClosed;
    if (state != m_shownTray) {
        m_shownTray = state;
        m_desktop.ShowTrayState(state);
    }
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

bool BreakSession::BreakNear(std::optional<CalendarTime> secondsLeft) {
    return secondsLeft && *secondsLeft <= kNoticeSeconds;
}

// True while the user is away from the desk. Input after time away restarts the interval: the
// time away was the break. Stillness during a break is what a break is for, so only the seconds
// since its end count.
//
// The desktop is asked once a minute between breaks (being away takes five minutes, so a minute's
// sampling misses none), and every tick near a break and while the user is away, when the answer
// decides at once whether the break comes or the interval starts again.
bool BreakSession::IdleTimeMatters() const {
    const CalendarTime now = m_clock.Now();
    const bool sampleDue =
        !m_idleReadAt || now < *m_idleReadAt || now - *m_idleReadAt >= kIdleSampleSeconds;
    return sampleDue || m_awayFromDesk ||
           (!Paused() && BreakNear(m_scheduler.SecondsUntilBreak(now)));
}

bool BreakSession::NoteIdleness() {
    if (!IdleTimeMatters()) {
        return false;
    }
    m_idleReadAt = m_clock.Now();
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
bool BreakSession::HeldByOtherProgram(std::optional<CalendarTime> secondsLeft) {
    return BreakNear(secondsLeft) &&
           (m_desktop.OtherProgramFullScreen() || m_desktop.OtherProgramInCall());
}

// Once per due moment, with the seconds actually left; none while a library holds breaks back.
// A postponed break is a new moment, with a notice of its own.
void BreakSession::NoticeComingBreak(std::optional<CalendarTime> secondsLeft) {
    const auto due = m_scheduler.BreakDueAt();
    if (!secondsLeft || *secondsLeft <= 0 || *secondsLeft > kNoticeSeconds ||
        !m_settings.libraryClosed || m_noticedDue == due) {
        return;
    }
    m_noticedDue = due;
    m_noticeUp = true;
    m_desktop.ShowNotice(kNoticeTitle, std::to_string(*secondsLeft) + std::string(kNoticeText),
                         PostponesInThisInterval() < kMostPostpones);
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
    PublishTrayState();
}

void BreakSession::HideBreakScreen() {
    m_desktop.ReleaseKeyboard();
    m_desktop.HideBreakWindow();
    m_idleBeforeWork = m_desktop.IdleSeconds().value_or(0);
}

// The last of a break's end: the new interval has begun.
void BreakSession::ArmCountdown() {
    m_renderer.ArmCountdown();
    PublishTrayState();
}

}  // namespace velunor
