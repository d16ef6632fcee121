// Feeds arbitrary text to the two puzzle readers. The first byte chooses:
// even, a level file (size, Data list) laid on a board with the shipped
// rails, then stocked with items, clicked, slid and raced; odd, a rail
// catalogue text, whose rails then fill a fixed board that is turned and
// checked. Damaged input must end in OFileNotFound, never in a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/OFileNotFound.h"
#include "data/OConfigFile.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/RaceBoard.h"
#include "game/RaceChecker.h"
#include "game/RaceRules.h"
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
    // The race on whatever board the input made: a proof must be a list
    // of clicks in time order, every one inside the level.
    const RaceRules rules(board.Catalogue(), GameSettings::Instance(), DifficultyIndex());
    const RaceChecker::Result result = RaceChecker(rules).Check(RaceBoard::Of(board), 200);
    int last = 0;
    for (const RaceChecker::Move& move : result.moves) {
        if (move.frame < last || move.column < 1 || move.column > w - 2 || move.row < 0 ||
            move.row >= h) {
            std::abort();
        }
        last = move.frame;
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
        GameSettings& settings = GameSettings::Instance();
        settings.CoalHeaps[1] = 2;
        for (int d = 0; d < 3; ++d) {
            settings.eXprSpeed[d] = 1.4f;
            settings.CoalUsage[d] = 0.0015f;
        }
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
