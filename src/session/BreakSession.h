#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "base/AppSettings.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "music/BreakPlaylist.h"
#include "music/MediaPlayer.h"
#include "music/SoundDevice.h"
#include "render/BreakRenderer.h"
#include "session/AwaySource.h"
#include "session/BreakEffects.h"
#include "session/BreakKeys.h"
#include "session/BreakPause.h"
#include "session/BreakScheduler.h"
#include "session/Desktop.h"
#include "session/RemoteRequest.h"

namespace velunor {

// One running Velunor: its settings, schedule, break screen, music and dialogs, and every rule of
// when a break comes, waits or ends. The front end reports what only the desktop knows (ticks,
// keys, a locked session, a full-screen program) and does what the session asks of its Desktop.
class BreakSession : private BreakEffects {
public:
    // A notice goes this many seconds before each break.
    static constexpr CalendarTime kNoticeSeconds = 30;
    // No input for this long (or a break's length, when longer) between breaks: the user is away.
    static constexpr CalendarTime kAwaySeconds = 5 * 60;
    // Between breaks the desktop is asked for the idle time at most this often.
    static constexpr CalendarTime kIdleSampleSeconds = 60;
    // 推迟5分钟, at most this many times in a row.
    static constexpr CalendarTime kPostponeSeconds = 5 * 60;
    static constexpr int kMostPostpones = 3;

    BreakSession(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
                 MediaPlayer& player, Desktop& desktop);
    BreakSession(const BreakSession&) = delete;
    BreakSession& operator=(const BreakSession&) = delete;

    // Start-up in its fixed order: renderer, settings, work start, timer, then the first run's
    // settings dialog or the tray icon.
    void Start();

    void OnScheduleTick();
    void OnFrameTick();

    // A key pressed during a break; the break ends when the key says so.
    KeyAction OnBreakKey(BreakKey key);
    // The break ends now (a lock, a save, the program's end).
    void EndBreak() { m_scheduler.EndBreak(); }
    // A close request to the main window: during a break it ends the break; between breaks (a
    // program such as taskkill asks) it ends Velunor.
    void OnCloseRequest();
    // The session was locked or unlocked, a screen saver started or stopped, and so on.
    void OnAwayChanged(AwaySource source, bool active);

    // One settings dialog at a time: a double-click on the tray icon or a second start while it
    // is open opens no second one.
    void OpenSettings();
    // No break and no notice until the pause ends: minutes from now, or kUntilMorning. The work
    // interval runs on meanwhile.
    void Pause(int minutes);
    void Resume();
    // Moves the coming break to five minutes from now (a break further away stays where it is);
    // false when refused: during a break, with breaks off, or after three in a row.
    bool Postpone();
    // A break now, as if it were due.
    void BreakNow();
    // A request of a second start of the program.
    RequestOutcome Perform(const RemoteRequest& request);
    void OpenHelp();
    void OpenAbout();
    // 退出, the end of the desktop session or a termination request; only the first counts.
    void Exit();

    bool InBreak() const { return m_scheduler.InBreak(); }
    // Whether this tick asks the desktop for the idle time: once a minute between breaks, every
    // tick near a break and while the user is away. A desktop whose screen saver must be asked
    // asks it then too: a screen saver starts only after minutes without input.
    bool IdleTimeMatters() const;
    bool Exited() const { return m_exited; }

private:
    // BreakEffects
    void AddTrayIcon() override;
    void StartBreakMusic() override;
    void StopBreakMusic() override;
    void ShowBreakScreen() override;
    void HideBreakScreen() override;
    void ArmCountdown() override;

    bool Locked() const;
    bool Paused() const { return m_pause.Until().has_value(); }
    void EndPauseIfOver();
    void EndPause();
    int PostponesInThisInterval() const;
    void PublishTrayState();
    static bool BreakNear(std::optional<CalendarTime> secondsLeft);
    bool NoteIdleness();
    bool HeldByOtherProgram(std::optional<CalendarTime> secondsLeft);
    void NoticeComingBreak(std::optional<CalendarTime> secondsLeft);
    void WithdrawNotice();
    void EndBreakIfCountdownEnded();

    const Clock& m_clock;
    const ProgramPaths& m_paths;
    SoundDevice& m_sound;
    Desktop& m_desktop;
    AppSettings m_settings;
    BreakScheduler m_scheduler;
    BreakRenderer m_renderer;
    BreakPlaylist m_playlist;
    BreakPause m_pause;
    bool m_settingsOpen = false;
    bool m_exited = false;
    bool m_countdownEnded = false;

    std::array<bool, std::size_t(AwaySource::Count)> m_away{};
    CalendarTime m_lockedSince = 0;
    bool m_awayFromDesk = false;
    std::optional<CalendarTime> m_idleReadAt;  // when the desktop was last asked between breaks
    std::int64_t m_idleBeforeWork = 0;         // idle seconds that passed during the last break
    std::optional<CalendarTime> m_noticedDue;  // the due moment a notice was given for
    CalendarTime m_postponedInterval = 0;      // the interval start the postpones count in
    int m_postpones = 0;
    std::optional<TrayState> m_shownTray;
    bool m_noticeUp = false;  // given and not withdrawn yet
};

}  // namespace velunor
