// Feeds arbitrary text to the game settings and difficulty weights readers
// (one text serves as both files, so a seed holding both key sets reaches
// both), then plays with what they accepted: a generated level at one of the
// three difficulties, stocked with items, and the train run over it a while.
// Damaged input must end in OFileNotFound, never in a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "FuzzScratch.h"
#include "app/OFileNotFound.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/DifficultyWeights.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/GameValues.h"
#include "game/RailCatalogue.h"
#include "game/Train.h"

namespace {

constexpr int kFrames = 600;

std::vector<uint8_t> ShippedRails() {
    std::ifstream in(std::string(CARROWMOOR_SOURCE_DIR) + "/assets/Rails.Txt", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

// A 2 x 2 uncompressed 32-bit TGA for every picture the board and train load.
std::vector<uint8_t> TinyTga() {
    std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
    tga.resize(18 + 2 * 2 * 4, 200);
    return tga;
}

void WriteArchive(const uint8_t* data, size_t size) {
    static const std::vector<uint8_t> rails = ShippedRails();
    OArchiveWriter writer;
    const std::vector<uint8_t> text(data, data + size);
    writer.Add(GameSettings::kFileName, text);
    writer.Add(DifficultyWeights::kFileName, text);
    writer.Add("Data/Rails.Txt", rails);
    for (const char* picture : {"Coal.Tga", "SGreen.Tga", "SRed.Tga", "Worker.Tga", "WorkerR.Tga",
                                "Up.Tga", "Right.Tga", "Down.Tga", "Left.Tga", "CoDSmoke2.Tga"}) {
        writer.Add(std::string("Data/Textures/") + picture, TinyTga());
    }
    for (int kind = 0; kind < RailCatalogue::kKindCount; ++kind) {
        writer.Add(std::string("Data/Textures/Rails/") + RailCatalogue::NameOf(kind) + ".Tga",
                   TinyTga());
    }
    static const std::string path = FuzzScratch() + "/Resource.Kvr";
    std::string error;
    if (!writer.Write(path, error)) {
        __builtin_trap();
    }
    OResourceArchive::Instance().SetPath(path);
    OResourceArchive::Instance().ReadDirectory();
}

void CheckWeights(int difficulty) {
    const DifficultyWeights weights = DifficultyWeights::Read(difficulty);
    for (int p = -1; p <= 100; ++p) {
        const int kind = weights.KindFor(p);
        if (kind < 0 || kind > 9) {
            __builtin_trap();
        }
    }
}

// A generated level at the difficulty, its items, and the train's run on it
// until the level ends or kFrames frames have passed.
void Play(int difficulty) {
    SystemOptions.DifficultyLevel = difficulty;
    Board board(5);
    board.LoadCatalogue();
    Train train;
    board.SetTrain(&train);
    train.SetBoard(&board);
    train.ResetTrain();
    GameState = StatePlaying;
    GameEndMark = EndMarkRunning;
    for (int frame = 0; frame < kFrames && GameState == StatePlaying; ++frame) {
        train.UpdateTrain(frame % 7 == 0 ? 50 : 16);
        if (train.column < 0 || train.column >= board.boardWidth || train.row < 0 ||
            train.row >= board.boardHeight) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        GameRandom::SetSeedSource([] { return 7u; });
        return true;
    }();
    (void)ready;
    WriteArchive(data, size);
    try {
        GameSettings::Instance().Read();
        for (int d = 0; d < 3; ++d) {
            CheckWeights(d);
        }
        // One difficulty a run keeps runs quick; the input's size picks it.
        Play(static_cast<int>(size % 3));
    } catch (const OFileNotFound&) {
    }
    return 0;
}
