#pragma once

#include <random>

#include "support/FakeClock.h"

namespace velunor::test {

// Moves a fake clock the way a desktop's clock moves between two timer ticks: mostly a little
// forward, now and then stalled for under a minute, set back, or far ahead after the machine
// slept. Seeded, so that a failing run can be repeated exactly.
class ClockWalker {
public:
    enum class Move { Steady, Stall, Sleep, SetBack };

    // How the clock moves per step; the odds are per thousand steps.
    struct Pace {
        int steadyMin = 0;  // seconds
        int steadyMax = 1;
        int stallOdds = 0;    // 11 to 59 seconds: too short to count as sleep
        int sleepOdds = 0;    // at least sleepAtLeast seconds, up to three days more
        int setBackOdds = 0;  // one second to two days back
    };

    ClockWalker(FakeClock& clock, std::mt19937_64& random) : m_clock(clock), m_random(random) {}

    Move Step(const Pace& pace, CalendarTime sleepAtLeast) {
        const int roll = Pick(0, 999);
        if (roll < pace.sleepOdds) {
            m_clock.Advance(sleepAtLeast + Pick(0, 3 * 86'400));
            return Move::Sleep;
        }
        if (roll < pace.sleepOdds + pace.setBackOdds) {
            m_clock.Advance(-Pick(1, 2 * 86'400));
            return Move::SetBack;
        }
        if (roll < pace.sleepOdds + pace.setBackOdds + pace.stallOdds) {
            m_clock.Advance(Pick(11, 59));
            return Move::Stall;
        }
        m_clock.Advance(Pick(pace.steadyMin, pace.steadyMax));
        return Move::Steady;
    }

    bool Chance(int perThousand) { return Pick(0, 999) < perThousand; }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    FakeClock& m_clock;
    std::mt19937_64& m_random;
};

}  // namespace velunor::test
