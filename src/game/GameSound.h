#pragma once

// The one place through which the board and the train start and stop their
// sounds, all at priority 0, on the process-wide sound system (which keeps
// the ids played for tests).
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

    // Starts a sound; returns its channel (-1 when nothing could start).
    static int Play(int id);
    static bool Stop(int channel);
};
