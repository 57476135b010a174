#include "base/AppSettings.h"

#include <climits>
#include <cstdint>

namespace velunor {

void AppSettings::DeriveValues() {
    autoStart = bStartText == "false" ? 0 : 1;
    setTime = ParseLeadingInt(setTimeText);
    runTime = ParseLeadingInt(runTimeText);
}

int ParseLeadingInt(std::string_view text) {
    std::size_t i = 0;
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::int64_t limit = negative ? -std::int64_t(INT_MIN) : INT_MAX;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= limit) {
            value = limit;  // saturated; the remaining digits cannot bring it back
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace velunor
