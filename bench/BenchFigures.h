#pragma once

// The figures of one benchmark, each printed on a line of its own with its
// goal and "ok" or "SHORT", so that bench/run-all can gather them.
class BenchFigures {
public:
    // A figure that must not exceed its goal: "label: 12.3 ms (goal: at most
    // 15 ms) ok".
    void AtMost(const char* label, double value, double goal, const char* unit);
    // A time beside its floor measured in the same run, as a ratio: "label:
    // 52.1 ms, floor 80.4 ms: 0.65x (goal: at most 0.7x) ok".
    void RatioAtMost(const char* label, double seconds, double floorSeconds, double goal);

    // 0 when every figure meets its goal, 1 otherwise.
    [[nodiscard]] int ExitCode() const { return m_short ? 1 : 0; }

private:
    void Verdict(bool met);

    bool m_short = false;
};
