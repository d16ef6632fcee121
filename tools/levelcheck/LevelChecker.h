#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/Direction.h"

class Board;

// Searches a loaded board for the fewest player moves after which the
// train's route from the Source cell reaches the station. Moves are made
// with the board's own click handling, so the difficulty's rules (turns,
// Static blocks, column limits) are the game's; the route is traced with the
// train's own join and turn rules.
class LevelChecker {
public:
    struct Route {
        bool reachesStation = false;
        // Paths the train runs, the Source cell's included.
        int length = 0;
        // Every inner block that could carry an item lies on the route.
        bool coversItemBlocks = false;
        // Cells of the route in order (column, row).
        std::vector<std::pair<int, int>> cells;
    };

    struct Goal {
        int maxMoves = 20;
        size_t stateLimit = 200000;
        // Also ask that every item-carrying block is on the route.
        bool coverItemBlocks = false;
        // Also ask that the fuel lasts with the coal heaps on the last inner
        // cells of the route (the worst place they can be put).
        bool fuelSafe = false;
        int coalHeaps = 0;
        // Look first at the boards on which the route gets furthest instead
        // of breadth first: finds long solutions within a small state limit,
        // but not always the shortest.
        bool furthestFirst = false;
    };

    struct Result {
        bool solved = false;
        int moves = -1;
        size_t statesSeen = 0;
        bool limitHit = false;
        Route route;
        // The board that was found (see Apply).
        std::string state;
    };

    explicit LevelChecker(Board& board);

    // Breadth-first search from the board as it stands, at the difficulty set
    // in the options. The board is left as it was found.
    Result Solve(const Goal& goal);

    // A quicker, constructive search for big boards: one slide fills the
    // gap, then the cheapest track from the gap's cell to the last column is
    // found by turning blocks (cheapest-first over cells and entry sides) and
    // proven with TraceRoute. Finds no solution that needs more slides, so
    // it gives a lower bound on what is solvable.
    Result SolveByTurns(int maxMoves);

    // Lays a found board (items are not kept).
    void Apply(const Result& result) { Decode(result.state); }

    // The route on the board as it stands.
    static Route TraceRoute(const Board& board);
    // Whether the fuel lasts over the route with the coal heaps placed as
    // late as they can be, at difficulty d.
    static bool FuelLasts(const Board& board, const Route& route, int coalHeaps, int difficulty);

private:
    std::string Encode() const;
    void Decode(const std::string& state);
    bool Reached(const Goal& goal) const;
    // Board states one click away.
    void Successors(const std::string& state, std::vector<std::string>& out);
    void Click(int column, int row, int button);
    // Quarter turns that make the block join entry side to exit side, or -1.
    int TurnsToJoin(int kind, Direction entrySide, Direction exitSide) const;

    Board& board;
};
