// Feeds arbitrary text to the two puzzle readers. The first byte chooses:
// even, a level file (size, Data list) laid on a board with the shipped
// rails, then stocked with items, clicked, slid and traced; odd, a rail
// catalogue text, whose rails then fill a fixed board that is turned and
// traced. Damaged input must end in OFileNotFound, never in a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "LevelChecker.h"
#include "app/OFileNotFound.h"
#include "data/OConfigFile.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/Train.h"

namespace {

std::string ShippedRails() {
    const std::string here = __FILE__;
    std::ifstream in(here.substr(0, here.rfind("/fuzz/")) + "/assets/Rails.Txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ReadShippedRails(Board& board) {
    static const std::string rails = ShippedRails();
    OConfigFile config;
    config.LoadMemory(rails.data(), rails.size());
    board.Catalogue().ReadFrom(config, "Rails.Txt");
}

void Exercise(Board& board) {
    const int w = board.boardWidth;
    const int h = board.boardHeight;
    for (int c = 0; c < w; ++c) {
        for (int r = 0; r < h; ++r) {
            const OVector3 centre = board.CellCenter(c, r);
            board.UpdateHover(static_cast<int>(centre.x), static_cast<int>(600 - centre.y), 800,
                              600);
            board.MoveBlock((c + r) % 3, static_cast<int>(centre.x),
                            static_cast<int>(600 - centre.y), 800, 600);
            board.UpdateMoves(400);
            board.TurnBlock(c, r);
        }
    }
    const LevelChecker::Route route = LevelChecker::TraceRoute(board);
    if (route.length < 1 || route.length > 4 * w * h + 9) {
        std::abort();
    }
    board.AllWorkersCollected();
}

void FuzzLevel(const uint8_t* data, size_t size) {
    Board board(1);
    ReadShippedRails(board);
    SystemOptions.DifficultyLevel = size > 1 ? data[1] % 5 - 1 : 1;
    board.StartLevel();
    board.levelNumber = size > 2 ? 1 + data[2] % 4 : 1;
    const std::string text(reinterpret_cast<const char*>(data), size);
    OConfigFile config;
    config.LoadString(text.c_str());
    try {
        board.ApplyLevelFile(config, "fuzz.Txt");
    } catch (const OFileNotFound&) {
        return;
    }
    if (board.boardWidth < 3 || board.boardWidth > 16 || board.boardHeight < 3 ||
        board.boardHeight > 16) {
        std::abort();
    }
    board.LayFrame();
    board.PlaceItems();
    Exercise(board);
}

void FuzzRails(const uint8_t* data, size_t size) {
    Board board(1);
    OConfigFile config;
    config.LoadMemory(reinterpret_cast<const char*>(data), size);
    try {
        board.Catalogue().ReadFrom(config, "Rails.Txt");
    } catch (const OFileNotFound&) {
        return;
    }
    if (board.Catalogue().Size() != 12) {
        std::abort();
    }
    SystemOptions.DifficultyLevel = 0;
    board.StartLevel();
    board.boardWidth = 6;
    board.boardHeight = 5;
    for (int c = 0; c < 6; ++c) {
        for (int r = 0; r < 5; ++r) {
            board.SetBlock(c, r, (c * 5 + r) % 12);
        }
    }
    board.LayFrame();
    Exercise(board);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        GameRandom::SetSeedSource([] { return 7u; });
        GameSettings::Instance().CoalHeaps[1] = 2;
        return true;
    }();
    (void)ready;
    if (size == 0) {
        return 0;
    }
    if (data[0] % 2 == 0) {
        FuzzLevel(data, size);
    } else {
        FuzzRails(data, size);
    }
    return 0;
}
