#pragma once

#include <cstdint>

class GameSettings;
class RailCatalogue;

// The race between the player and the train in whole frames of game time, as
// the board and the train play it: how many frames a block's path takes,
// when on each path the train takes an item, how much fuel a frame burns,
// how long a slide and a semaphore hold last, how fast a player clicks, and
// where the train leaves each rail kind it enters through a side. Everything
// is measured by running the game's own train and block arithmetic, so the
// level checker that plays by these rules plays the real game.
class RaceRules {
public:
    static constexpr int kFrameMs = 16;
    // How long a player needs to see the board, choose a move and click it.
    // A move costs more at Easy (a new player looks longer) and less at Hard.
    static constexpr int kPlayerPaceMs[3] = {1000, 800, 600};
    static constexpr int kNoExit = -1;
    // A train that would need more frames than this for one block never
    // gets anywhere (a speed of zero or less).
    static constexpr int kMostFramesPerPath = 100000;

    // How the train crosses a rail kind that it enters through one side.
    struct Passage {
        // A path end of the block meets the side.
        bool joins = false;
        // The heading (a Direction value) the train leaves with, or kNoExit
        // when its path ends anywhere but on that side (the train crashes).
        int exit = kNoExit;
        // Frames after entering at which an item on the block is taken; -1
        // when the path never comes close enough to the centre.
        int pickupFrame = -1;
    };

    RaceRules(const RailCatalogue& catalogue, const GameSettings& settings, int difficulty);

    // Entering a kind through a side (a Direction value: the side of the block).
    const Passage& Through(int kind, int side) const { return passages[kind][side]; }
    // The heading the train leaves the start cell with when it holds a kind.
    int StartExit(int kind) const { return startExits[kind]; }
    // The kind a quarter turn makes; the kind itself when it cannot turn.
    int Turned(int kind) const { return turned[kind]; }
    bool IsStatic(int kind) const { return statics[kind]; }
    bool Known(int kind) const { return kind >= 0 && kind < kKinds && known[kind]; }

    int difficulty = 0;
    bool turnsAllowed = true;
    // Static blocks may be moved at Easy only.
    bool staticsLocked = false;
    int framesPerPath = kMostFramesPerPath;
    double fuelPerFrame = 0.0;
    double fullTank = 0.0;
    int coalMass = 0;
    int semaphoreFrames = 0;
    int slideFrames = 0;
    int paceFrames = 0;

private:
    static constexpr int kKinds = 12;

    void MeasurePaths(float speed);
    void MeasureSlide();
    void MeasurePassages(const RailCatalogue& catalogue);

    Passage passages[kKinds][4];
    int startExits[kKinds] = {};
    int turned[kKinds] = {};
    bool statics[kKinds] = {};
    bool known[kKinds] = {};
    float speed = 0.0f;
};
