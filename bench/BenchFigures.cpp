#include "BenchFigures.h"

#include <cstdio>

void BenchFigures::AtMost(const char* label, double value, double goal, const char* unit)
{
    std::printf("%s: %.2f %s (goal: at most %g %s)", label, value, unit, goal, unit);
    Verdict(value <= goal);
}

void BenchFigures::RatioAtMost(const char* label, double seconds, double floorSeconds, double goal)
{
    const double ratio = seconds / floorSeconds;
    std::printf("%s: %.1f ms, floor %.1f ms: %.2fx (goal: at most %gx)", label, seconds * 1000, floorSeconds * 1000,
        ratio, goal);
    Verdict(ratio <= goal);
}

void BenchFigures::Verdict(bool met)
{
    std::printf(" %s\n", met ? "ok" : "SHORT");
    std::fflush(stdout);
    m_short = m_short || !met;
}
