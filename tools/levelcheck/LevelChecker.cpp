#include "LevelChecker.h"

#include <deque>
#include <functional>
#include <queue>
#include <tuple>
#include <unordered_map>

#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameSettings.h"
#include "game/Train.h"

namespace {

constexpr char kEmpty = 127;
// Long enough to land any slide.
constexpr int kLandingTime = 1000;

}  // namespace

LevelChecker::LevelChecker(Board& board) : board(board) {}

std::string LevelChecker::Encode() const {
    std::string state;
    state.reserve(board.boardWidth * board.boardHeight);
    for (int c = 0; c < board.boardWidth; ++c) {
        for (int r = 0; r < board.boardHeight; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            state.push_back(cell.block ? static_cast<char>(cell.block->kind) : kEmpty);
        }
    }
    return state;
}

void LevelChecker::Decode(const std::string& state) {
    size_t i = 0;
    for (int c = 0; c < board.boardWidth; ++c) {
        for (int r = 0; r < board.boardHeight; ++r) {
            BoardCell& cell = board.Cell(c, r);
            cell.Reset();
            cell.hovered = false;
            if (state[i] == kEmpty) {
                cell.position = board.CellCenter(c, r);
                cell.column = c;
                cell.row = r;
            } else {
                board.SetBlock(c, r, state[i]);
            }
            ++i;
        }
    }
}

void LevelChecker::Click(int column, int row, int button) {
    const OVector3 centre = board.CellCenter(column, row);
    board.MoveBlock(button, static_cast<int>(centre.x), static_cast<int>(600.0f - centre.y), 800,
                    600);
    if (board.AnyBlockSliding()) {
        board.UpdateMoves(kLandingTime);
    }
}

void LevelChecker::Successors(const std::string& state, std::vector<std::string>& out) {
    out.clear();
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    const bool turns = DifficultyIndex() != 2;
    for (int c = 0; c < w; ++c) {
        for (int r = 0; r < h; ++r) {
            const char kind = state[c * h + r];
            if (kind == kEmpty) {
                continue;
            }
            const bool nextToHole = (r > 0 && state[c * h + r - 1] == kEmpty) ||
                                    (r < h - 1 && state[c * h + r + 1] == kEmpty) ||
                                    (c > 0 && state[(c - 1) * h + r] == kEmpty) ||
                                    (c < w - 1 && state[(c + 1) * h + r] == kEmpty);
            if (nextToHole) {
                Decode(state);
                Click(c, r, 0);
                std::string next = Encode();
                if (next != state) {
                    out.push_back(std::move(next));
                }
            }
            const Rail* rail = board.RailOf(kind);
            if (turns && rail && rail->NextRail != 0 && rail->NextRail != kind) {
                Decode(state);
                Click(c, r, 2);
                std::string next = Encode();
                if (next != state) {
                    out.push_back(std::move(next));
                }
            }
        }
    }
}

LevelChecker::Route LevelChecker::TraceRoute(const Board& board) {
    Route route;
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    int column = 0;
    int row = h - 1;
    Direction heading = Direction::Up;
    OVector3 path[4];
    Train::PathOf(board.Cell(column, row), 0, path);
    route.cells.emplace_back(column, row);
    const int maxSteps = 4 * w * h + 8;
    for (int step = 0; step < maxSteps; ++step) {
        if (column == w - 1 && (row == 0 || row == 1)) {
            route.reachesStation = true;
            break;
        }
        const int nc = column + StepColumn(heading);
        const int nr = row + StepRow(heading);
        if (nc < 0 || nc >= w || nr < 0 || nr >= h || !board.Cell(nc, nr).block) {
            break;
        }
        const BoardCell& next = board.Cell(nc, nr);
        const int mode = Train::JoinMode(next, path[3]);
        if (mode < 0) {
            break;
        }
        heading =
            Train::HeadingAfter(heading, Train::EntryCode(*next.block, nc - column, nr - row));
        column = nc;
        row = nr;
        Train::PathOf(next, mode, path);
        route.cells.emplace_back(column, row);
    }
    route.length = static_cast<int>(route.cells.size());
    if (!route.reachesStation) {
        return route;
    }
    route.coversItemBlocks = true;
    for (int c = 1; c <= w - 2 && route.coversItemBlocks; ++c) {
        for (int r = 0; r < h; ++r) {
            const BoardCell& cell = board.Cell(c, r);
            if (!cell.block || cell.block->kind == RailCatalogue::ABlox) {
                continue;
            }
            bool onRoute = false;
            for (const auto& at : route.cells) {
                onRoute = onRoute || (at.first == c && at.second == r);
            }
            if (!onRoute) {
                route.coversItemBlocks = false;
                break;
            }
        }
    }
    return route;
}

bool LevelChecker::FuelLasts(const Board& board, const Route& route, int coalHeaps,
                             int difficulty) {
    const GameSettings& settings = GameSettings::Instance();
    const double perPath =
        Train::kPathLength / settings.eXprSpeed[difficulty] * settings.CoalUsage[difficulty];
    // The coal goes on the last inner cells of the route.
    std::vector<bool> coal(route.cells.size(), false);
    int left = coalHeaps;
    for (size_t i = route.cells.size(); i-- > 0 && left > 0;) {
        const int c = route.cells[i].first;
        if (c >= 1 && c <= board.boardWidth - 2) {
            coal[i] = true;
            --left;
        }
    }
    double fuel = Train::kFullTank;
    for (size_t i = 0; i < route.cells.size(); ++i) {
        // Coal is taken at the middle of the block.
        fuel -= perPath / 2;
        if (fuel < 0) {
            return false;
        }
        if (coal[i]) {
            fuel += settings.CoalMass;
        }
        fuel -= perPath / 2;
        if (fuel < 0) {
            return false;
        }
    }
    return true;
}

bool LevelChecker::Reached(const Goal& goal) const {
    const Route route = TraceRoute(board);
    if (!route.reachesStation) {
        return false;
    }
    if (goal.coverItemBlocks && !route.coversItemBlocks) {
        return false;
    }
    return !goal.fuelSafe || FuelLasts(board, route, goal.coalHeaps, DifficultyIndex());
}

LevelChecker::Result LevelChecker::Solve(const Goal& goal) {
    Train* train = board.GetTrain();
    board.SetTrain(nullptr);
    const std::string start = Encode();
    Result result;
    std::unordered_map<std::string, int> depth;
    // (route length, -moves, order, state): the longest route first, then
    // the fewest moves, then the oldest; plain breadth first ranks by order.
    using Entry = std::tuple<int, int, long, std::string>;
    std::priority_queue<Entry> queue;
    long order = 0;
    auto push = [&](std::string state, int moves) {
        int length = 0;
        if (goal.furthestFirst) {
            Decode(state);
            length = TraceRoute(board).length;
        }
        queue.emplace(length, goal.furthestFirst ? -moves : 0, --order, std::move(state));
    };
    depth.emplace(start, 0);
    push(start, 0);
    std::vector<std::string> next;
    while (!queue.empty()) {
        const std::string state = std::get<3>(queue.top());
        queue.pop();
        const int moves = depth[state];
        Decode(state);
        if (Reached(goal)) {
            result.solved = true;
            result.moves = moves;
            result.route = TraceRoute(board);
            result.state = state;
            break;
        }
        if (moves >= goal.maxMoves) {
            continue;
        }
        Successors(state, next);
        for (std::string& candidate : next) {
            // Past the limit no new states are taken, but those queued are
            // still looked at.
            if (depth.size() >= goal.stateLimit) {
                result.limitHit = true;
                break;
            }
            if (depth.emplace(candidate, moves + 1).second) {
                push(std::move(candidate), moves + 1);
            }
        }
    }
    result.statesSeen = depth.size();
    Decode(start);
    board.SetTrain(train);
    return result;
}

namespace {

// The side a path end lies on, or -1 inside the block.
int SideOfEnd(const OVector3& end) {
    if (end.x == 0 && end.y == 40)
        return static_cast<int>(Direction::Up);
    if (end.x == 40 && end.y == 0)
        return static_cast<int>(Direction::Right);
    if (end.x == 0 && end.y == -40)
        return static_cast<int>(Direction::Down);
    if (end.x == -40 && end.y == 0)
        return static_cast<int>(Direction::Left);
    return -1;
}

Direction Opposite(Direction d) {
    return static_cast<Direction>((static_cast<int>(d) + 2) % 4);
}

}  // namespace

int LevelChecker::TurnsToJoin(int kind, Direction entrySide, Direction exitSide) const {
    const Direction moving = Opposite(entrySide);
    for (int turns = 0; turns < 4; ++turns) {
        const Rail* rail = board.RailOf(kind);
        if (!rail) {
            return -1;
        }
        for (const OVector3* way : {rail->Way, rail->AltWay}) {
            const int a = SideOfEnd(way[0]);
            const int b = SideOfEnd(way[3]);
            const bool joins =
                (a == static_cast<int>(entrySide) && b == static_cast<int>(exitSide)) ||
                (b == static_cast<int>(entrySide) && a == static_cast<int>(exitSide));
            const int32_t code = Train::EntryCode(*rail, StepColumn(moving), StepRow(moving));
            if (joins && Train::HeadingAfter(moving, code) == exitSide) {
                return turns;
            }
        }
        if (rail->NextRail == 0 || DifficultyIndex() == 2) {
            return -1;
        }
        kind = rail->NextRail;
    }
    return -1;
}

LevelChecker::Result LevelChecker::SolveByTurns(int maxMoves) {
    Train* train = board.GetTrain();
    board.SetTrain(nullptr);
    const std::string start = Encode();
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    Result best;
    // The two blocks that can slide into the gap at (1, 0).
    for (const auto& from : {std::make_pair(2, 0), std::make_pair(1, 1)}) {
        Decode(start);
        Click(from.first, from.second, 0);
        if (!board.Cell(1, 0).block) {
            continue;
        }
        // A gap filled already needs no slide.
        const int slides = Encode() != start ? 1 : 0;
        // Cheapest turns to reach (c, r) entered through a side.
        const int kInf = 1 << 20;
        std::vector<int> cost(w * h * 4, kInf);
        std::vector<int> back(w * h * 4, -1);
        auto index = [&](int c, int r, int side) { return (c * h + r) * 4 + side; };
        using Item = std::pair<int, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
        const int first = index(1, 0, static_cast<int>(Direction::Left));
        cost[first] = 0;
        open.emplace(0, first);
        int goal = -1;
        int goalCost = kInf;
        int goalTurns = 0;
        while (!open.empty()) {
            const auto [at, node] = open.top();
            open.pop();
            if (at != cost[node] || at >= goalCost) {
                continue;
            }
            const int c = node / 4 / h;
            const int r = node / 4 % h;
            const Direction entry = static_cast<Direction>(node % 4);
            const BoardCell& cell = board.Cell(c, r);
            if (!cell.block) {
                continue;
            }
            for (int exit = 0; exit < 4; ++exit) {
                if (exit == static_cast<int>(entry))
                    continue;
                const int turns =
                    TurnsToJoin(cell.block->kind, entry, static_cast<Direction>(exit));
                if (turns < 0)
                    continue;
                const int nc = c + StepColumn(static_cast<Direction>(exit));
                const int nr = r + StepRow(static_cast<Direction>(exit));
                if (c == w - 2 && r == h - 1 && exit == static_cast<int>(Direction::Right)) {
                    if (at + turns < goalCost) {
                        goalCost = at + turns;
                        goal = node;
                        goalTurns = turns;
                    }
                    continue;
                }
                if (nc < 1 || nc > w - 2 || nr < 0 || nr >= h)
                    continue;
                const int next =
                    index(nc, nr, static_cast<int>(Opposite(static_cast<Direction>(exit))));
                if (at + turns < cost[next]) {
                    cost[next] = at + turns;
                    back[next] = node;
                    open.emplace(cost[next], next);
                }
            }
        }
        if (goal < 0 || slides + goalCost > maxMoves) {
            continue;
        }
        // Turn the blocks of the track found; the route must then be real.
        std::vector<int> turnsOf(w * h, -1);
        bool twice = false;
        int moves = slides;
        for (int node = goal, next = -1; node >= 0; next = node, node = back[node]) {
            const int cellIndex = node / 4;
            int turns = 0;
            if (next < 0) {
                turns = goalTurns;
            } else {
                const Direction exitSide = Opposite(static_cast<Direction>(next % 4));
                turns = TurnsToJoin(board.Cell(cellIndex / h, cellIndex % h).block->kind,
                                    static_cast<Direction>(node % 4), exitSide);
            }
            twice = twice || turnsOf[cellIndex] >= 0;
            turnsOf[cellIndex] = turns;
        }
        if (twice) {
            continue;
        }
        for (int i = 0; i < w * h; ++i) {
            for (int t = 0; t < turnsOf[i]; ++t) {
                board.TurnBlock(i / h, i % h);
                ++moves;
            }
        }
        const Route route = TraceRoute(board);
        if (route.reachesStation && moves <= maxMoves && (!best.solved || moves < best.moves)) {
            best.solved = true;
            best.moves = moves;
            best.route = route;
            best.state = Encode();
        }
    }
    Decode(start);
    board.SetTrain(train);
    return best;
}
