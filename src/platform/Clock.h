#pragma once

#include <QString>

// Today's date and the current time, as texts in the user's own formats: the
// details dialog proposes the date, the report's footer shows the time.
class Clock {
public:
    virtual ~Clock() = default;

    // Today's date in the system's short date format.
    [[nodiscard]] virtual QString TodayShortDate() const = 0;
    // The current date and time in the system's general (short) format.
    [[nodiscard]] virtual QString NowText() const = 0;
};
