#pragma once

#include "Clock.h"

// The clock of the system, in the formats of the system's locale.
class QtClock : public Clock {
public:
    [[nodiscard]] QString TodayShortDate() const override;
    [[nodiscard]] QString NowText() const override;
};
