#include "game/RaceChecker.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "game/BoardCell.h"
#include "game/Direction.h"
#include "game/RaceRules.h"

namespace {

// Frames of safety around every deadline, so that a frame more or less in
// the real game never turns a proved level into a crash.
constexpr int kMargin = 3;
constexpr int kLate = INT_MAX / 4;
// Longest list of clicks that prepares one cell.
constexpr int kMostMoves = 32;
constexpr int kCells = RaceBoard::kCells;
// Longest route tried, in blocks.
constexpr int kMostDepth = 256;
// Tries of the search, each with an equal share of the budget.
constexpr int kTries = 10;
// Clicks a block is carried at the most (the empty cell going round it).
constexpr int kMostCarryClicks = 8;
// Paths left from a cell no route goes on from.
constexpr int kNowhere = 10000;
// One block more to go weighs as much as this many clicks more.
constexpr long kBlockWeight = 64;

using Move = RaceChecker::Move;
using Result = RaceChecker::Result;

int Opposite(int side) {
    return (side + 2) % 4;
}
int StepC(int heading) {
    return StepColumn(static_cast<Direction>(heading));
}
int StepR(int heading) {
    return StepRow(static_cast<Direction>(heading));
}

uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The level during the search: the blocks, where the train is and when it
// leaves that cell, its fuel, what is left to collect, and the player's
// clock. lock holds, per cell, the first frame at which a click may touch it
// again: after the train has left it for the last time so far.
struct Node {
    RaceBoard board;
    int32_t lock[kCells][kCells] = {};
    int holeC = -1;
    int holeR = -1;
    int c = 0;
    int r = 0;
    int heading = 0;
    int exitFrame = 0;
    double fuel = 0.0;
    int workers = 0;
    int coal = 0;
    int clock = 0;
};

struct Child {
    Node node;
    Move moves[kMostMoves];
    int moveCount = 0;
    long score = 0;
};

bool IsWorker(int item) {
    return item == ItemWorker || item == ItemWorkerAlt;
}

bool IsCoal(int item) {
    return item == ItemCoal;
}

class Search {
public:
    Search(const RaceRules& rules, Result& result)
        : rules(rules), result(result), pool(kMostDepth), orders(kMostDepth), seen(kSeenSlots) {}

    // One try of at most `nodes` boards. A try other than the first breaks
    // the ties between equally promising moves at random (seeded by
    // `shuffle`), so that one early mistake does not doom every try.
    bool Run(const Node& start, size_t nodes, unsigned shuffle) {
        budget = result.nodes + nodes;
        noise = shuffle;
        ++generation;
        return Expand(start, 0);
    }

private:
    // Boards already searched, by key: the time and fuel the train had to
    // spare there. Entries of earlier tries are told apart by generation.
    struct Seen {
        uint64_t key = 0;
        unsigned generation = 0;
        int slack = 0;
        double fuel = 0.0;
    };
    static constexpr size_t kSeenSlots = 1 << 12;

    // True when the board was searched before with at least as much time
    // and fuel to spare; else remembers it.
    bool SeenBefore(const Node& node);

    bool Inner(const Node& n, int c, int r) const {
        return c >= 1 && c <= n.board.width - 2 && r >= 0 && r < n.board.height;
    }
    bool InLevel(const Node& n, int c, int r) const {
        return c >= 0 && c < n.board.width && r >= 0 && r < n.board.height;
    }
    bool Movable(const Node& n, int c, int r) const {
        if (!Inner(n, c, r)) {
            return false;
        }
        const int kind = n.board.kind[c][r];
        return kind >= 0 && !(rules.staticsLocked && rules.IsStatic(kind));
    }
    bool Turnable(const Node& n, int c, int r) const {
        return rules.turnsAllowed && Movable(n, c, r) &&
               rules.Turned(n.board.kind[c][r]) != n.board.kind[c][r];
    }

    bool Expand(const Node& node, int depth);
    bool Arrive(const Node& node);
    void Candidates(const Node& node, std::vector<Child>& out);
    void TurnInPlace(const Node& node, int bc, int br, std::vector<Child>& out);
    void SlideIn(const Node& node, int bc, int br, std::vector<Child>& out);
    // Carries a block from further away into the cell ahead, the empty cell
    // going round it, when nothing nearer serves.
    void CarryIn(const Node& node, int bc, int br, std::vector<Child>& out);
    // Whether a kind, entered through the side the train arrives by, leads
    // the train on inside the level.
    bool LeadsOn(const Node& node, int kind, int bc, int br) const;
    // Earliest click frames that walk the empty cell to (tc, tr) without
    // touching (avoidC, avoidR); from[] gives the way back.
    // Click frames of the walk of the empty cell, and the way back.
    struct Walk {
        int time[kCells][kCells];
        int from[kCells][kCells];
    };
    void WalkHole(const Node& node, int tc, int tr, int avoidC, int avoidR, Walk& walk) const;
    // Finishes a child whose cell ahead is ready: the train crosses it.
    void Enter(const Node& node, Child& child, int bc, int br, std::vector<Child>& out);
    int RemainingPaths(const Node& n, int c, int r) const;
    // False when the fuel runs out before the remaining paths and no coal
    // heap lies within the blocks it still lasts (a block slid a cell or
    // two closer allowed for).
    bool CoalInReach(const Node& n, int c, int r, double remaining) const;
    int Estimate(const Node& n, int c, int r) const;
    uint64_t Key(const Node& n) const;

    const RaceRules& rules;
    Result& result;
    size_t budget = 0;
    unsigned noise = 0;
    unsigned generation = 0;
    std::vector<Move> path;
    // Children per depth; the recursion holds references into these.
    std::vector<std::vector<Child>> pool;
    std::vector<std::vector<int>> orders;
    std::vector<Seen> seen;
    Walk direct;
    Walk detour;
    std::vector<int16_t> carry;
    std::vector<int> carryQueue;
};

uint64_t Search::Key(const Node& n) const {
    uint64_t key = Mix(static_cast<uint64_t>(n.c * 64 + n.r * 4 + n.heading));
    for (int c = 1; c <= n.board.width - 2; ++c) {
        for (int r = 0; r < n.board.height; ++r) {
            const uint64_t cell =
                static_cast<uint64_t>((n.board.kind[c][r] < 0 ? 0 : 1) * 8 + n.board.item[c][r]);
            key ^= Mix(cell * 1024 + static_cast<uint64_t>(c * kCells + r));
        }
    }
    return key;
}

// A lower bound on the paths still to run from the cell the train enters
// next: every route leaves the board at its bottom-right inner cell, turns
// up the last column and stops below the station.
int Search::RemainingPaths(const Node& n, int c, int r) const {
    const int w = n.board.width;
    const int h = n.board.height;
    if (!InLevel(n, c, r)) {
        return 0;
    }
    if (c == w - 1) {
        // Rows up to the one below the station; the station itself is never
        // entered from beside.
        return r >= 1 ? r : kNowhere;
    }
    return std::abs(w - 2 - c) + std::abs(h - 1 - r) + 1 + (h - 1);
}

// Blocks the train still has to cross from (c, r): past the nearest
// workers one after another, then out of the board; by way of the nearest
// coal heap first when the fuel would not last that far.
int Search::Estimate(const Node& n, int c, int r) const {
    // The workers and coal heaps on blocks, found in one pass.
    int8_t places[2][kCells * kCells][2];
    int counts[2] = {0, 0};
    for (int ic = 1; ic <= n.board.width - 2; ++ic) {
        for (int ir = 0; ir < n.board.height; ++ir) {
            const int item = n.board.item[ic][ir];
            const int which = IsWorker(item) ? 0 : (IsCoal(item) ? 1 : -1);
            if (which >= 0 && n.board.kind[ic][ir] >= 0) {
                places[which][counts[which]][0] = static_cast<int8_t>(ic);
                places[which][counts[which]][1] = static_cast<int8_t>(ir);
                ++counts[which];
            }
        }
    }
    // Blocks from (c, r) past the nearest workers one after another, then
    // out of the board, by way of the nearest coal heap first if asked.
    auto tour = [&](bool coalFirst) {
        bool taken[kCells * kCells] = {};
        int total = 0;
        int atC = c;
        int atR = r;
        auto nearest = [&](int which) {
            int best = kLate;
            int bestIndex = -1;
            for (int i = 0; i < counts[which]; ++i) {
                const int d =
                    std::abs(places[which][i][0] - atC) + std::abs(places[which][i][1] - atR);
                if (!taken[i] && d < best) {
                    best = d;
                    bestIndex = i;
                }
            }
            if (bestIndex >= 0) {
                taken[bestIndex] = which == 0;
                total += best;
                atC = places[which][bestIndex][0];
                atR = places[which][bestIndex][1];
            }
        };
        if (coalFirst) {
            nearest(1);
        }
        for (int left = std::min(n.workers, counts[0]); left > 0; --left) {
            nearest(0);
        }
        return total + RemainingPaths(n, atC, atR);
    };
    const int plain = tour(false);
    const double perPath = rules.framesPerPath * rules.fuelPerFrame;
    if (counts[1] == 0 || n.fuel >= (plain + 1) * perPath) {
        return plain;
    }
    return tour(true);
}

bool Search::CoalInReach(const Node& n, int c, int r, double remaining) const {
    const double perPath = rules.framesPerPath * rules.fuelPerFrame;
    const double lasts = perPath > 0.0 ? n.fuel / perPath : remaining;
    if (lasts >= remaining) {
        return true;
    }
    for (int cc = 1; cc <= n.board.width - 2; ++cc) {
        for (int cr = 0; cr < n.board.height; ++cr) {
            if (n.board.kind[cc][cr] >= 0 && IsCoal(n.board.item[cc][cr]) &&
                std::abs(cc - c) + std::abs(cr - r) <= lasts + 2) {
                return true;
            }
        }
    }
    return false;
}

bool Search::SeenBefore(const Node& node) {
    const uint64_t key = Key(node);
    const int slack = node.exitFrame - node.clock;
    // A few slots from the key's own; the oldest or weakest is replaced.
    Seen* replace = nullptr;
    for (size_t probe = 0; probe < 4; ++probe) {
        Seen& slot = seen[(key + probe) & (kSeenSlots - 1)];
        if (slot.generation == generation && slot.key == key) {
            if (slot.slack >= slack && slot.fuel >= node.fuel) {
                return true;
            }
            replace = &slot;
            break;
        }
        if (!replace || slot.generation != generation) {
            replace = &slot;
        }
    }
    *replace = Seen{key, generation, slack, node.fuel};
    return false;
}

bool Search::Arrive(const Node& node) {
    if (node.workers != 0) {
        return false;
    }
    result.verdict = RaceChecker::Verdict::Winnable;
    result.moves = path;
    result.arrivalFrame = node.exitFrame;
    result.fuelLeft = node.fuel;
    result.closest = 0;
    return true;
}

bool Search::Expand(const Node& node, int depth) {
    const int w = node.board.width;
    // The cell below the station: the train arrives as it leaves it.
    if (node.c == w - 1 && node.r == 1) {
        return Arrive(node);
    }
    const int bc = node.c + StepC(node.heading);
    const int br = node.r + StepR(node.heading);
    if (!InLevel(node, bc, br)) {
        return node.c == w - 1 && node.r == 0 && Arrive(node);
    }
    if (result.nodes >= budget) {
        result.budgetSpent = true;
        return false;
    }
    ++result.nodes;
    if (SeenBefore(node)) {
        return false;
    }
    result.closest = std::min(result.closest, Estimate(node, bc, br));
    if (depth >= kMostDepth) {
        return false;
    }
    std::vector<Child>& children = pool[depth];
    children.clear();
    Candidates(node, children);
    std::vector<int>& order = orders[depth];
    order.resize(children.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::sort(order.begin(), order.end(),
              [&children](int a, int b) { return children[a].score < children[b].score; });
    for (const int index : order) {
        const Child& child = pool[depth][index];
        const size_t mark = path.size();
        path.insert(path.end(), child.moves, child.moves + child.moveCount);
        if (Expand(child.node, depth + 1)) {
            return true;
        }
        path.resize(mark);
        if (result.budgetSpent) {
            return false;
        }
    }
    return false;
}

void Search::Candidates(const Node& node, std::vector<Child>& out) {
    const int bc = node.c + StepC(node.heading);
    const int br = node.r + StepR(node.heading);
    TurnInPlace(node, bc, br, out);
    if (node.holeC >= 0 && Inner(node, bc, br)) {
        SlideIn(node, bc, br, out);
        if (out.empty()) {
            CarryIn(node, bc, br, out);
        }
    }
}

bool Search::LeadsOn(const Node& node, int kind, int bc, int br) const {
    if (!rules.Known(kind)) {
        return false;
    }
    const RaceRules::Passage& passage = rules.Through(kind, Opposite(node.heading));
    return passage.joins && passage.exit != RaceRules::kNoExit &&
           InLevel(node, bc + StepC(passage.exit), br + StepR(passage.exit));
}

void Search::CarryIn(const Node& node, int bc, int br, std::vector<Child>& out) {
    // Clicks there is time for before the train needs the cell: carrying
    // takes two at least, else a slide from beside would have served.
    const int clicks =
        (node.exitFrame - kMargin - rules.slideFrames - node.clock) / rules.paceFrames + 1;
    if (clicks < 2) {
        return;
    }
    const int h = node.board.height;
    const int n = (node.board.width - 2) * h;
    // Inner cells by number; a state is (cell of the carried block, empty cell).
    auto cellOf = [h](int c, int r) { return (c - 1) * h + r; };
    auto columnOf = [h](int i) { return i / h + 1; };
    auto rowOf = [h](int i) { return i % h; };
    // A cell the carrying may use: inside, movable, no train to come or on it.
    auto usable = [&](int i) {
        const int c = columnOf(i);
        const int r = rowOf(i);
        return node.lock[c][r] <= node.clock && (node.board.kind[c][r] < 0 || Movable(node, c, r));
    };
    // The states one click away: the empty cell swaps with a neighbour; when
    // that is the carried block, the block moves into the empty cell.
    auto neighbours = [&](int state, int* next) {
        const int block = state / n;
        const int empty = state % n;
        int count = 0;
        for (int d = 0; d < 4; ++d) {
            const int c = columnOf(empty) + StepC(d);
            const int r = rowOf(empty) + StepR(d);
            if (!Inner(node, c, r) || !usable(cellOf(c, r))) {
                continue;
            }
            const int clicked = cellOf(c, r);
            next[count++] = clicked == block ? empty * n + clicked : block * n + clicked;
        }
        return count;
    };
    // Breadth first from the ends: the block ahead, the empty cell beside it.
    std::vector<int16_t>& distance = carry;
    distance.assign(static_cast<size_t>(n) * n, -1);
    std::vector<int>& queue = carryQueue;
    queue.clear();
    const int target = cellOf(bc, br);
    if (!usable(target)) {
        return;
    }
    for (int d = 0; d < 4; ++d) {
        const int c = bc + StepC(d);
        const int r = br + StepR(d);
        if (Inner(node, c, r) && usable(cellOf(c, r))) {
            distance[target * n + cellOf(c, r)] = 0;
            queue.push_back(target * n + cellOf(c, r));
        }
    }
    const int hole = cellOf(node.holeC, node.holeR);
    int next[4];
    for (size_t head = 0; head < queue.size(); ++head) {
        const int state = queue[head];
        if (distance[state] >= std::min(clicks, kMostCarryClicks)) {
            break;
        }
        for (int k = neighbours(state, next) - 1; k >= 0; --k) {
            if (distance[next[k]] < 0) {
                distance[next[k]] = static_cast<int16_t>(distance[state] + 1);
                queue.push_back(next[k]);
            }
        }
    }
    // The nearest block that leads the train on, as it lies or turned.
    int best = -1;
    int bestTurns = 0;
    int bestCost = kLate;
    for (int i = 0; i < n; ++i) {
        const int c = columnOf(i);
        const int r = rowOf(i);
        if (i == target || i == hole || !Movable(node, c, r) || distance[i * n + hole] < 0) {
            continue;
        }
        int kind = node.board.kind[c][r];
        for (int turns = 0; turns < 4; ++turns) {
            if (turns > 0) {
                if (!rules.turnsAllowed || rules.Turned(kind) == kind) {
                    break;
                }
                kind = rules.Turned(kind);
            }
            const int cost = distance[i * n + hole] + turns;
            if (LeadsOn(node, kind, bc, br) && cost < bestCost) {
                best = i;
                bestTurns = turns;
                bestCost = cost;
            }
        }
    }
    if (best < 0) {
        return;
    }
    Child child;
    child.node = node;
    Node& carried = child.node;
    int state = best * n + hole;
    int click = node.clock - rules.paceFrames;
    while (distance[state] > 0) {
        int step = -1;
        for (int k = neighbours(state, next) - 1; k >= 0 && step < 0; --k) {
            if (distance[next[k]] == distance[state] - 1) {
                step = next[k];
            }
        }
        const int clicked = step % n;
        const int empty = state % n;
        const int fc = columnOf(clicked);
        const int fr = rowOf(clicked);
        const int tc = columnOf(empty);
        const int tr = rowOf(empty);
        click = std::max(click + rules.paceFrames, node.lock[fc][fr]);
        if (child.moveCount >= kMostMoves - 4) {
            return;
        }
        child.moves[child.moveCount++] = Move{fc, fr, 0, click};
        carried.board.kind[tc][tr] = carried.board.kind[fc][fr];
        carried.board.item[tc][tr] = carried.board.item[fc][fr];
        carried.board.kind[fc][fr] = RaceBoard::kEmpty;
        carried.board.item[fc][fr] = 0;
        state = step;
    }
    const int entry = node.exitFrame;
    if (click + rules.slideFrames > entry - kMargin) {
        return;
    }
    carried.holeC = columnOf(state % n);
    carried.holeR = rowOf(state % n);
    carried.clock = click + rules.paceFrames;
    for (int turns = 0; turns < bestTurns; ++turns) {
        if (carried.clock > entry - 1 - kMargin) {
            return;
        }
        child.moves[child.moveCount++] = Move{bc, br, 2, carried.clock};
        carried.board.kind[bc][br] = static_cast<int8_t>(rules.Turned(carried.board.kind[bc][br]));
        carried.clock += rules.paceFrames;
    }
    Enter(node, child, bc, br, out);
}

// The block ahead as it lies, or turned once, twice or three times.
void Search::TurnInPlace(const Node& node, int bc, int br, std::vector<Child>& out) {
    const int original = node.board.kind[bc][br];
    if (original < 0) {
        return;
    }
    const int entry = node.exitFrame;
    const int lastClick = entry - 1 - kMargin;
    Child child;
    child.node = node;
    int kind = original;
    int click = std::max(node.clock, node.lock[bc][br]);
    for (int turns = 0; turns < 4; ++turns) {
        if (turns > 0) {
            if (!Turnable(node, bc, br) || child.moveCount >= kMostMoves) {
                return;
            }
            kind = rules.Turned(kind);
            if (kind == original || click > lastClick) {
                return;
            }
            child.moves[child.moveCount++] = Move{bc, br, 2, click};
            child.node.board.kind[bc][br] = static_cast<int8_t>(kind);
            child.node.clock = click + rules.paceFrames;
            click += rules.paceFrames;
        }
        Enter(node, child, bc, br, out);
    }
}

void Search::WalkHole(const Node& node, int tc, int tr, int avoidC, int avoidR, Walk& walk) const {
    const int w = node.board.width;
    const int h = node.board.height;
    int(&walkTime)[kCells][kCells] = walk.time;
    int(&walkFrom)[kCells][kCells] = walk.from;
    for (int c = 1; c <= w - 2; ++c) {
        for (int r = 0; r < h; ++r) {
            walkTime[c][r] = kLate;
            walkFrom[c][r] = -1;
        }
    }
    const int deadline = node.exitFrame;
    // Breadth first over the cells, fewest clicks first; each click waits
    // for the player's pace and for the train to have left both cells.
    int queue[kCells * kCells];
    int head = 0;
    int tail = 0;
    walkTime[node.holeC][node.holeR] = node.clock - rules.paceFrames;
    queue[tail++] = node.holeC * kCells + node.holeR;
    while (head < tail) {
        const int atC = queue[head] / kCells;
        const int atR = queue[head] % kCells;
        ++head;
        if (atC == tc && atR == tr) {
            return;
        }
        for (int d = 0; d < 4; ++d) {
            const int nc = atC + StepC(d);
            const int nr = atR + StepR(d);
            if (!Movable(node, nc, nr) || walkTime[nc][nr] != kLate ||
                (nc == avoidC && nr == avoidR)) {
                continue;
            }
            // Clicking (nc, nr) slides its block into the empty (atC, atR).
            const int click = std::max(
                {walkTime[atC][atR] + rules.paceFrames, node.lock[nc][nr], node.lock[atC][atR]});
            if (click < deadline) {
                walkTime[nc][nr] = click;
                walkFrom[nc][nr] = atC * kCells + atR;
                queue[tail++] = nc * kCells + nr;
            }
        }
    }
}

// Walks the empty cell to the cell ahead (its block moving out of the way)
// and slides a neighbour in, turned where that helps.
void Search::SlideIn(const Node& node, int bc, int br, std::vector<Child>& out) {
    const bool ahead = node.holeC == bc && node.holeR == br;
    const int entry = node.exitFrame;
    // Every step of the empty cell costs a click: too far away, no walk.
    const int steps = std::abs(node.holeC - bc) + std::abs(node.holeR - br);
    if (node.clock + steps * rules.paceFrames + rules.slideFrames > entry - kMargin) {
        return;
    }
    if (!ahead) {
        WalkHole(node, bc, br, -1, -1, direct);
        if (direct.time[bc][br] == kLate) {
            return;
        }
    }
    for (int d = 0; d < 4; ++d) {
        const int nc = bc + StepC(d);
        const int nr = br + StepR(d);
        if (!Movable(node, nc, nr)) {
            continue;
        }
        int arrive = node.clock - rules.paceFrames;
        int cells[kMostMoves];
        int count = 0;
        const Walk* walk = &direct;
        if (!ahead) {
            // The walk must not move the neighbour that is to slide in.
            bool through = false;
            for (int at = direct.from[bc][br]; at >= 0;
                 at = direct.from[at / kCells][at % kCells]) {
                through = through || at == nc * kCells + nr;
            }
            if (through) {
                WalkHole(node, bc, br, nc, nr, detour);
                walk = &detour;
            }
            if (walk->time[bc][br] == kLate) {
                continue;
            }
            // The cell the empty one came from holds the block that was ahead.
            if (walk->from[bc][br] == nc * kCells + nr) {
                continue;
            }
            for (int at = bc * kCells + br; at >= 0 && count < kMostMoves - 4;
                 at = walk->from[at / kCells][at % kCells]) {
                cells[count++] = at;
            }
            if (cells[count - 1] != node.holeC * kCells + node.holeR) {
                continue;
            }
            arrive = walk->time[bc][br];
        }
        Child child;
        child.node = node;
        Node& next = child.node;
        // Cells from the hole to the cell ahead: each click moves one block.
        for (int i = count - 2; i >= 0; --i) {
            const int fc = cells[i] / kCells;
            const int fr = cells[i] % kCells;
            const int tc = cells[i + 1] / kCells;
            const int tr = cells[i + 1] % kCells;
            child.moves[child.moveCount++] = Move{fc, fr, 0, walk->time[fc][fr]};
            next.board.kind[tc][tr] = next.board.kind[fc][fr];
            next.board.item[tc][tr] = next.board.item[fc][fr];
            next.board.kind[fc][fr] = RaceBoard::kEmpty;
            next.board.item[fc][fr] = 0;
        }
        const int slide =
            std::max({arrive + rules.paceFrames, node.lock[nc][nr], node.lock[bc][br]});
        if (slide + rules.slideFrames > entry - kMargin) {
            continue;
        }
        child.moves[child.moveCount++] = Move{nc, nr, 0, slide};
        next.board.kind[bc][br] = next.board.kind[nc][nr];
        next.board.item[bc][br] = next.board.item[nc][nr];
        next.board.kind[nc][nr] = RaceBoard::kEmpty;
        next.board.item[nc][nr] = 0;
        next.holeC = nc;
        next.holeR = nr;
        next.clock = slide + rules.paceFrames;
        const int original = next.board.kind[bc][br];
        const bool turnable =
            rules.turnsAllowed && !(rules.staticsLocked && rules.IsStatic(original));
        for (int turns = 0; turns < 4; ++turns) {
            if (turns > 0) {
                const int kind = rules.Turned(next.board.kind[bc][br]);
                if (!turnable || kind == original || next.clock > entry - 1 - kMargin ||
                    child.moveCount >= kMostMoves) {
                    break;
                }
                child.moves[child.moveCount++] = Move{bc, br, 2, next.clock};
                next.board.kind[bc][br] = static_cast<int8_t>(kind);
                next.clock += rules.paceFrames;
            }
            Enter(node, child, bc, br, out);
        }
    }
}

void Search::Enter(const Node& node, Child& prepared, int bc, int br, std::vector<Child>& out) {
    const int kind = prepared.node.board.kind[bc][br];
    if (!rules.Known(kind)) {
        return;
    }
    const RaceRules::Passage& passage = rules.Through(kind, Opposite(node.heading));
    if (!passage.joins || passage.exit == RaceRules::kNoExit) {
        return;
    }
    const int nc = bc + StepC(passage.exit);
    const int nr = br + StepR(passage.exit);
    const int w = node.board.width;
    // Leaving the level ends the game unless the train arrives.
    if (!InLevel(node, nc, nr) && !(bc == w - 1 && (br == 0 || br == 1))) {
        return;
    }
    out.push_back(prepared);
    Child& child = out.back();
    Node& next = child.node;
    const double perFrame = rules.fuelPerFrame;
    const double spare = 2.0 * perFrame;
    const int n = rules.framesPerPath;
    int exit = node.exitFrame + n;
    int8_t& item = next.board.item[bc][br];
    if (passage.pickupFrame >= 0 && item != ItemNone) {
        if (item == ItemCoal) {
            const int before = passage.pickupFrame > 0 ? passage.pickupFrame - 1 : 0;
            if (next.fuel - before * perFrame < spare) {
                out.pop_back();
                return;
            }
            next.fuel += rules.coalMass;
            --next.coal;
            item = ItemNone;
        } else if (IsWorker(item)) {
            --next.workers;
            item = ItemNone;
        } else if (item == ItemRedSemaphore) {
            exit += rules.semaphoreFrames;
            item = ItemGreenSemaphore;
        }
    }
    next.fuel -= n * perFrame;
    // Leaving the cell below the station is arriving.
    const bool arriving = bc == w - 1 && (br == 0 || br == 1);
    const double remaining = arriving ? 0.0 : static_cast<double>(RemainingPaths(node, nc, nr));
    const double reachable = next.fuel + static_cast<double>(rules.coalMass) * next.coal;
    if (next.fuel < spare || reachable < remaining * n * perFrame + spare ||
        !CoalInReach(next, nc, nr, remaining)) {
        out.pop_back();
        return;
    }
    next.c = bc;
    next.r = br;
    next.heading = passage.exit;
    next.exitFrame = exit;
    next.lock[bc][br] = std::max(next.lock[bc][br], exit + kMargin);
    const int moves = (next.clock - node.clock) / std::max(1, rules.paceFrames);
    child.score = static_cast<long>(Estimate(next, nc, nr)) * kBlockWeight + moves;
    if (noise != 0) {
        noise = noise * 1103515245u + 12345u;
        child.score += static_cast<long>((noise >> 16) % kBlockWeight);
    }
}

int CountItems(const RaceBoard& board, bool (*wanted)(int)) {
    int count = 0;
    for (int c = 1; c <= board.width - 2; ++c) {
        for (int r = 0; r < board.height; ++r) {
            count += board.kind[c][r] >= 0 && wanted(board.item[c][r]) ? 1 : 0;
        }
    }
    return count;
}

// Kinds that some block of the board can become at the cell ahead: the
// movable ones in every orientation the difficulty allows.
bool AnyBlockPasses(const RaceRules& rules, const RaceBoard& board, int side, int c0, int r0) {
    for (int c = 1; c <= board.width - 2; ++c) {
        for (int r = 0; r < board.height; ++r) {
            int kind = board.kind[c][r];
            if (kind < 0 || !rules.Known(kind) || (rules.staticsLocked && rules.IsStatic(kind))) {
                continue;
            }
            for (int turns = 0; turns < 4; ++turns) {
                const RaceRules::Passage& passage = rules.Through(kind, side);
                const int nc = c0 + StepC(passage.exit);
                const int nr = r0 + StepR(passage.exit);
                if (passage.joins && passage.exit != RaceRules::kNoExit && nc >= 0 &&
                    nc < board.width && nr >= 0 && nr < board.height) {
                    return true;
                }
                if (!rules.turnsAllowed) {
                    break;
                }
                kind = rules.Turned(kind);
            }
        }
    }
    return false;
}

}  // namespace

RaceChecker::Result RaceChecker::Check(const RaceBoard& board, size_t nodeBudget) const {
    const auto started = std::chrono::steady_clock::now();
    Result result;
    const int w = board.width;
    const int h = board.height;
    Node start;
    start.board = board;
    for (int c = 1; c <= w - 2 && start.holeC < 0; ++c) {
        for (int r = 0; r < h; ++r) {
            if (board.kind[c][r] == RaceBoard::kEmpty) {
                start.holeC = c;
                start.holeR = r;
                break;
            }
        }
    }
    const int n = rules.framesPerPath;
    start.c = 0;
    start.r = h - 1;
    start.heading = rules.Known(board.kind[0][h - 1]) ? rules.StartExit(board.kind[0][h - 1])
                                                      : RaceRules::kNoExit;
    start.exitFrame = n;
    start.fuel = rules.fullTank - n * rules.fuelPerFrame;
    start.workers = CountItems(board, IsWorker);
    start.coal = CountItems(board, IsCoal);
    start.clock = rules.paceFrames;
    start.lock[0][h - 1] = n + kMargin;

    // The shortest route there can be: up the first column, across the
    // board to its bottom-right cell, up the last column.
    const int shortest = h + (w - 3) + (h - 1) + 1 + (h - 1);
    const double tank = rules.fullTank + static_cast<double>(rules.coalMass) * start.coal;
    if (n >= RaceRules::kMostFramesPerPath) {
        result.verdict = Verdict::Unwinnable;
        result.reason = "the train does not move";
    } else if (start.heading == RaceRules::kNoExit) {
        result.verdict = Verdict::Unwinnable;
        result.reason = "the start platform's track leads nowhere";
    } else if (tank < shortest * n * rules.fuelPerFrame - rules.fuelPerFrame) {
        result.verdict = Verdict::Unwinnable;
        result.reason = "the fuel and every coal heap do not last the shortest route";
    } else {
        // The fixed track of the first column leads into the board: some
        // block must be able to carry the train on from the first cell
        // that the player can change.
        Node walk = start;
        bool broken = false;
        for (int steps = 0; steps < w * h; ++steps) {
            const int bc = walk.c + StepC(walk.heading);
            const int br = walk.r + StepR(walk.heading);
            if (bc < 0 || bc >= w || br < 0 || br >= h) {
                broken = true;
                break;
            }
            const int kind = board.kind[bc][br];
            const bool fixed = kind >= 0 && (bc == 0 || bc == w - 1 ||
                                             (rules.staticsLocked && rules.IsStatic(kind)));
            if (!fixed) {
                broken = !AnyBlockPasses(rules, board, Opposite(walk.heading), bc, br);
                break;
            }
            const RaceRules::Passage& passage = rules.Through(kind, Opposite(walk.heading));
            if (!rules.Known(kind) || !passage.joins || passage.exit == RaceRules::kNoExit) {
                broken = true;
                break;
            }
            walk.c = bc;
            walk.r = br;
            walk.heading = passage.exit;
        }
        if (broken) {
            result.verdict = Verdict::Unwinnable;
            result.reason = "no block can carry the train into the board";
        }
    }
    if (result.verdict != Verdict::Unwinnable) {
        Search search(rules, result);
        const size_t slice = std::max<size_t>(1, nodeBudget / kTries);
        for (int t = 0; t < kTries && result.nodes < nodeBudget; ++t) {
            result.budgetSpent = false;
            if (search.Run(start, std::min(slice, nodeBudget - result.nodes), 7919u * t)) {
                break;
            }
            // A try that ended before its budget searched every route it
            // could: the others would too.
            if (!result.budgetSpent) {
                break;
            }
        }
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}
