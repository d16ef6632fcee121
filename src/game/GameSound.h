#pragma once

#include <vector>

// The one place through which the board and the train start and stop their
// sounds (priority 0). Tests can watch the sound ids played.
class GameSound {
public:
    // Sound numbers of the puzzle.
    enum Id {
        Engine = 100,
        TuTu = 101,
        EngineStop = 102,
        EngineSlow = 103,
        SemaphoreNear = 104,
        RotateRail = 110,
        MoveRail = 111,
        NoMove = 112,
    };

    // Starts a sound; returns its channel (0 when nothing plays).
    static int Play(int id);
    static bool Stop(int channel);

    // Every id passed to Play is appended to the list while one is set.
    static void SetRecorder(std::vector<int>* played);
};
