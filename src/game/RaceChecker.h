#pragma once

#include <climits>
#include <cstddef>
#include <vector>

#include "game/RaceBoard.h"

class RaceRules;

// Decides whether a player can win a level against the clock: the train
// leaves the start by itself and runs block by block, and the player, one
// click per RaceRules pace, must have the right block at rest in every cell
// by the frame the train arrives there, without touching the train's own
// block, while the fuel lasts, collecting every worker, waiting at red
// semaphores and taking on coal on the way.
//
// The search lays the train's route one cell ahead at a time. A cell is
// made ready by leaving its block, turning it, walking the empty cell to it
// and sliding in a neighbour (turned if need be), or, when none of those
// serves, carrying a block from a few cells away; every click is placed
// as early as the player's pace and the train allow. Boards are remembered
// by their contents and the train's place, so a board reached again with
// less time or fuel to spare is not searched twice. A found route is a
// proof: the move list replays through the real board and train. Only a
// few plain reasons prove a board unwinnable; a board neither proved nor
// disproved within the budget is undecided.
class RaceChecker {
public:
    enum class Verdict { Winnable, Unwinnable, Undecided };

    // One click, made after `frame` frames of the level (frame x 16 ms of
    // game time): button 0 slides the block into the empty cell beside it,
    // button 2 turns it.
    struct Move {
        int column = 0;
        int row = 0;
        int button = 0;
        int frame = 0;
    };

    struct Result {
        Verdict verdict = Verdict::Undecided;
        // Undecided because the budget ran out (else every route the search
        // tries was tried).
        bool budgetSpent = false;
        // Why a board is unwinnable.
        const char* reason = "";
        std::vector<Move> moves;
        // Frame in which the train arrives, and the fuel it has left.
        int arrivalFrame = 0;
        double fuelLeft = 0.0;
        size_t nodes = 0;
        double seconds = 0.0;
        // The fewest blocks any tried route still had to go (a winnable
        // board has 0): ranks boards that were not proved.
        int closest = INT_MAX;
    };

    // Boards looked at per level check in the game.
    static constexpr size_t kGameBudget = 3000;

    explicit RaceChecker(const RaceRules& rules) : rules(rules) {}

    Result Check(const RaceBoard& board, size_t nodeBudget = kGameBudget) const;

private:
    const RaceRules& rules;
};
