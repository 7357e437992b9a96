#pragma once

// The busy pointer over every window of the program while work that may take
// longer than half a second runs: made where the work starts, it goes with
// the work however the work ends, an exception included. Guards may nest.
//
// A message box put up meanwhile waits for the user, not for the work: it
// shows the ordinary pointer while a Paused is alive (QtMessageBoxes makes
// one), and the busy pointer comes back after it.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    class Paused {
    public:
        Paused();
        ~Paused();
        Paused(const Paused&) = delete;
        Paused& operator=(const Paused&) = delete;

    private:
        bool m_busy;
    };
};
