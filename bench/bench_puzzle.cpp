// The puzzle's per-frame cost, level loading and a whole level at 60 fps.
// Heap allocations are counted by replacing the global operator new; the
// frame benchmark reports them per frame (target 0) next to its time
// (target under 2 microseconds). Loading a generated level should stay
// under 50 microseconds with the textures already cached.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/GameValues.h"
#include "game/RaceBoard.h"
#include "game/RaceChecker.h"
#include "game/RaceRules.h"
#include "game/Train.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

namespace fs = std::filesystem;

std::string SourceFile(const std::string& relative) {
    const std::string here = __FILE__;
    std::ifstream in(here.substr(0, here.rfind("/bench/")) + "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A temporary game folder with the shipped texts, level 4's first file and
// tiny pictures; the working directory while the program runs.
class BenchFolder {
public:
    BenchFolder() {
        char pattern[] = "/tmp/carrowmoor-bench-XXXXXX";
        folder = mkdtemp(pattern);
        fs::create_directories(folder / "Data" / "Levels" / "4");
        for (int n = 1; n <= 3; ++n) {
            std::ofstream(folder / "Data" / "Levels" / "4" / (std::to_string(n) + ".Txt"))
                << SourceFile("assets/Levels/4/1.Txt");
        }
        OArchiveWriter writer;
        for (const char* name : {"Rails.Txt", "Game.Cfg", "Difficult.Cfg"}) {
            writer.Add(std::string("Data/") + name,
                       Bytes(SourceFile(std::string("assets/") + name)));
        }
        std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
        tga.resize(18 + 16, 128);
        for (const char* name : {"Coal", "SGreen", "SRed", "Worker", "WorkerR", "Up", "Right",
                                 "Down", "Left", "CoDSmoke2"}) {
            writer.Add(std::string("Data/Textures/") + name + ".Tga", tga);
        }
        for (int kind = 0; kind < RailCatalogue::kKindCount; ++kind) {
            writer.Add(std::string("Data/Textures/Rails/") + RailCatalogue::NameOf(kind) + ".Tga",
                       tga);
        }
        std::string error;
        writer.Write((folder / "Data" / "Resource.Kvr").string(), error);
        previous = fs::current_path();
        fs::current_path(folder);
        OResourceArchive::Instance().SetPath("Data/Resource.Kvr");
        OResourceArchive::Instance().ReadDirectory();
        GameSettings::Instance().Read();
    }
    ~BenchFolder() {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

private:
    fs::path folder;
    fs::path previous;
};

// Level 4's first board with the level checker's clicks, played frame by
// frame as the player would.
struct SolvedLevel {
    explicit SolvedLevel(int difficulty) {
        SystemOptions.DifficultyLevel = difficulty;
        GameRandom::SetSeedSource([] { return 11u; });
        board = std::make_unique<Board>(4);
        board->LoadCatalogue();
        train = std::make_unique<Train>();
        train->SetBoard(board.get());
        board->SetTrain(train.get());
        const RaceRules rules(board->Catalogue(), GameSettings::Instance(), difficulty);
        solution = RaceChecker(rules).Check(RaceBoard::Of(*board));
        Restart();
    }
    void Restart() {
        board->levelNumber = 3;
        board->LoadLevel();
        train->ResetTrain();
        GameState = StatePlaying;
        GameEndMark = EndMarkRunning;
        frame = 0;
        next = 0;
    }
    // Makes the clicks due after the frames played so far.
    void Click() {
        for (; next < solution.moves.size() && solution.moves[next].frame <= frame; ++next) {
            const RaceChecker::Move& move = solution.moves[next];
            const OVector3 centre = board->CellCenter(move.column, move.row);
            board->MoveBlock(move.button, static_cast<int>(centre.x),
                             static_cast<int>(600 - centre.y), 800, 600);
        }
        ++frame;
    }
    // Keeps one off-route blank sliding to and fro beside the hole.
    void KeepSliding() {
        if (board->AnyBlockSliding()) {
            return;
        }
        for (int c = 1; c < board->boardWidth - 1; ++c) {
            for (int r = 0; r < board->boardHeight; ++r) {
                const BoardCell& cell = board->Cell(c, r);
                if (!cell.block || cell.block->kind != RailCatalogue::ABlox)
                    continue;
                const bool besideHole =
                    (r > 0 && !board->Cell(c, r - 1).block) ||
                    (r < board->boardHeight - 1 && !board->Cell(c, r + 1).block);
                if (besideHole) {
                    board->MoveBlock(0, static_cast<int>(cell.position.x),
                                     static_cast<int>(600 - cell.position.y), 800, 600);
                    return;
                }
            }
        }
    }
    std::unique_ptr<Board> board;
    std::unique_ptr<Train> train;
    RaceChecker::Result solution;
    int frame = 0;
    size_t next = 0;
};

void BM_PuzzleFrame(benchmark::State& state) {
    SolvedLevel level(1);
    long frames = 0;
    const long before = allocations.load();
    long restarts = 0;
    for (auto _ : state) {
        level.Click();
        level.KeepSliding();
        level.board->UpdateMoves(16);
        level.train->UpdateTrain(16);
        if (GameState != StatePlaying) {
            // Loading the level again is not part of a frame.
            state.PauseTiming();
            const long loading = allocations.load();
            level.Restart();
            restarts += allocations.load() - loading;
            state.ResumeTiming();
        }
        ++frames;
    }
    state.counters["allocs_per_frame"] =
        static_cast<double>(allocations.load() - before - restarts) / static_cast<double>(frames);
}
BENCHMARK(BM_PuzzleFrame);

void BM_LoadGeneratedLevel(benchmark::State& state) {
    SystemOptions.DifficultyLevel = 1;
    Board board(5);
    board.LoadCatalogue();
    for (auto _ : state) {
        board.levelNumber = 4;
        board.LoadLevel();
        benchmark::DoNotOptimize(board.Cell(3, 3).block);
    }
}
BENCHMARK(BM_LoadGeneratedLevel);

void BM_LoadFileLevel(benchmark::State& state) {
    SystemOptions.DifficultyLevel = 1;
    Board board(4);
    board.LoadCatalogue();
    for (auto _ : state) {
        board.levelNumber = 3;
        board.LoadLevel();
        benchmark::DoNotOptimize(board.Cell(3, 3).block);
    }
}
BENCHMARK(BM_LoadFileLevel);

// From the Source cell to the station in 16 ms frames at Easy speed, with
// the level checker's clicks.
void BM_WholeLevelAt60Fps(benchmark::State& state) {
    SolvedLevel level(0);
    long frames = 0;
    for (auto _ : state) {
        level.Restart();
        int frame = 0;
        while (GameState == StatePlaying) {
            level.Click();
            const int dt = 16;
            level.board->UpdateMoves(dt);
            level.train->UpdateTrain(dt);
            ++frame;
        }
        frames = frame;
        if (GameState != StateLevelComplete) {
            state.SkipWithError("the train did not reach the station");
            break;
        }
    }
    state.counters["frames_per_level"] = static_cast<double>(frames);
    state.counters["clicks"] = static_cast<double>(level.solution.moves.size());
}
BENCHMARK(BM_WholeLevelAt60Fps)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    BenchFolder folder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
