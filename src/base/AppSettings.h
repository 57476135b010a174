#pragma once

#include <string>
#include <string_view>

#include "base/Clock.h"

namespace velunor {

// The settings read from config.ini, the values derived from them and the state of the break
// schedule. One record for the whole program, owned by the front end and passed to whoever needs
// it.
struct AppSettings {
    // The five texts of section "Option", cut to their field sizes.
    std::string bFirstText;   // "true": show the settings dialog at start-up
    std::string bStartText;   // start at logon unless exactly "false"
    std::string setTimeText;  // work interval, minutes
    std::string runTimeText;  // break length, minutes
    std::string bkTimeText;   // read and kept, used by nothing

    // Derived from the texts after every full read.
    int autoStart = 0;
    int setTime = 0;
    int runTime = 0;

    // The schedule.
    CalendarTime workStart = 0;  // start of the current work interval
    bool working = true;         // no break is showing
    bool libraryClosed = true;   // no library dialog holds breaks back

    // Recomputes autoStart, setTime and runTime from the texts.
    void DeriveValues();
};

// atoi's reading of a number (leading blanks, optional sign, digits up to the first non-digit, 0
// without any), except that a number beyond the int range stops at its limits instead of
// overflowing.
int ParseLeadingInt(std::string_view text);

}  // namespace velunor
