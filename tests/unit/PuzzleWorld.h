#pragma once

// A throw-away game folder for the puzzle's tests: an archive with the
// shipped rail catalogue, settings and difficulty texts (or replacements),
// tiny pictures for every texture the board and train load, level files,
// a fixed random seed and a recorder of the sounds played.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/GameRandom.h"
#include "game/GameSettings.h"
#include "game/GameSound.h"
#include "game/GameValues.h"
#include "game/Train.h"
#include "sound/OSoundSystem.h"
#include "support/TempDir.h"

class PuzzleWorld {
public:
    // The shipped text of an asset (assets/<name> in the source tree).
    static std::string Asset(const std::string& name) {
        std::string here = __FILE__;
        std::string root = here.substr(0, here.rfind("/tests/unit/"));
        return TempDir::Read(root + "/assets/" + name);
    }

    // A 2 x 2 uncompressed 32-bit TGA.
    static std::vector<uint8_t> TinyTga() {
        std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 8};
        tga.resize(18 + 2 * 2 * 4, 200);
        return tga;
    }

    explicit PuzzleWorld(int difficulty = 1, int beginLevel = 5) : dir(true) {
        savedOptions = SystemOptions;
        SystemOptions.DifficultyLevel = difficulty;
        SystemOptions.BeginLevel = beginLevel;
        GameRandom::SetSeedSource([] { return 4242u; });
        ClearSounds();
        texts["Data/Rails.Txt"] = Asset("Rails.Txt");
        texts["Data/Game.Cfg"] = Asset("Game.Cfg");
        texts["Data/Difficult.Cfg"] = Asset("Difficult.Cfg");
    }
    ~PuzzleWorld() {
        train.reset();
        board.reset();
        GameRandom::SetSeedSource({});
        SystemOptions = savedOptions;
        OResourceArchive::Instance().SetPath("Data/Resource.Kvr");
    }

    // Replaces (or with an empty text, leaves out) one data text.
    void SetText(const std::string& name, const std::string& text) { texts[name] = text; }

    // Writes the archive and points the game at it.
    void WriteArchive() {
        OArchiveWriter writer;
        for (const auto& [name, text] : texts) {
            if (!text.empty()) {
                writer.Add(name, std::vector<uint8_t>(text.begin(), text.end()));
            }
        }
        const char* pictures[] = {"Coal.Tga",    "SGreen.Tga",   "SRed.Tga",  "Worker.Tga",
                                  "WorkerR.Tga", "Up.Tga",       "Right.Tga", "Down.Tga",
                                  "Left.Tga",    "CoDSmoke2.Tga"};
        for (const char* picture : pictures) {
            writer.Add(std::string("Data/Textures/") + picture, TinyTga());
        }
        for (int kind = 0; kind < RailCatalogue::kKindCount; ++kind) {
            writer.Add(std::string("Data/Textures/Rails/") + RailCatalogue::NameOf(kind) + ".Tga",
                       TinyTga());
        }
        std::string error;
        std::filesystem::create_directories("Data");
        writer.Write("Data/Resource.Kvr", error);
        OResourceArchive::Instance().SetPath("Data/Resource.Kvr");
        OResourceArchive::Instance().ReadDirectory();
    }

    static void WriteLevel(int level, int file, const std::string& text) {
        TempDir::Write("Data/Levels/" + std::to_string(level) + "/" + std::to_string(file) + ".Txt",
                       text);
    }

    // A level file of the given size whose every cell holds one kind.
    static std::string UniformLevel(int width, int height, int kind) {
        std::string data;
        for (int i = 0; i < width * height; ++i) {
            data += (i ? "," : "") + std::to_string(kind);
        }
        return "xSize = " + std::to_string(width) + "\nySize = " + std::to_string(height) +
               "\nData = [" + data + "]\n";
    }

    // The game screen's set-up: settings, board with its first level, train.
    void Build() {
        WriteArchive();
        GameSettings::Instance().Read();
        score = 0;
        board = std::make_unique<Board>(SystemOptions.BeginLevel);
        board->LoadCatalogue();
        train = std::make_unique<Train>();
        board->SetTrain(train.get());
        train->SetBoard(board.get());
        train->ResetTrain();
        GameState = StatePlaying;
        GameEndMark = EndMarkRunning;
        ClearSounds();
    }

    // Lays a hand-built board: one string per row, top row first, one letter
    // per cell: '.' empty, A B C D I F J H E G by rail name, S Source, T Dest.
    void Lay(const std::vector<std::string>& rows) {
        const int height = static_cast<int>(rows.size());
        const int width = static_cast<int>(rows[0].size());
        for (int c = 0; c < Board::kMaxCells; ++c) {
            for (int r = 0; r < Board::kMaxCells; ++r) {
                board->Cell(c, r).Reset();
            }
        }
        board->boardWidth = width;
        board->boardHeight = height;
        const std::string letters = "ABCDIFJHEGST";
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                BoardCell& cell = board->Cell(c, r);
                cell.position = board->CellCenter(c, r);
                cell.column = c;
                cell.row = r;
                const size_t kind = letters.find(rows[r][c]);
                if (kind != std::string::npos) {
                    board->SetBlock(c, r, static_cast<int>(kind));
                }
            }
        }
        train->ResetTrain();
        GameState = StatePlaying;
        GameEndMark = EndMarkRunning;
        ClearSounds();
    }

    // Runs frames of dt until the state leaves "playing" or the frame budget
    // is used up; returns the frames run.
    int RunUntilEnd(int dt, int maxFrames) {
        int frames = 0;
        while (GameState == StatePlaying && frames < maxFrames) {
            board->UpdateMoves(dt);
            train->UpdateTrain(dt);
            ++frames;
        }
        return frames;
    }

    int CountItems(int item) const {
        int n = 0;
        for (int c = 0; c < board->boardWidth; ++c) {
            for (int r = 0; r < board->boardHeight; ++r) {
                n += board->Cell(c, r).item == item ? 1 : 0;
            }
        }
        return n;
    }

    // The sound ids played since the last ClearSounds.
    static std::vector<int> Sounds() {
        const auto& played = OSoundSystem::Instance().PlayedIds();
        return std::vector<int>(played.begin(), played.end());
    }
    static void ClearSounds() { OSoundSystem::Instance().ClearPlayedIds(); }

    TempDir dir;
    std::map<std::string, std::string> texts;
    std::unique_ptr<Board> board;
    std::unique_ptr<Train> train;

private:
    SystemOptionsRecord savedOptions;
};
