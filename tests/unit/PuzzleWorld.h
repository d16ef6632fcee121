#pragma once

// The game folder of the puzzle's tests (tiny pictures) with a board and
// train built the way the game screen builds them, hand-laid boards, and a
// recorder of the sounds played.

#include <memory>
#include <string>
#include <vector>

#include "game/Board.h"
#include "game/GameSettings.h"
#include "game/GameSound.h"
#include "game/GameValues.h"
#include "game/Train.h"
#include "sound/OSoundSystem.h"
#include "support/GameTestData.h"

class PuzzleWorld : public GameTestData {
public:
    explicit PuzzleWorld(int difficulty = 1, int beginLevel = 5) : GameTestData(true) {
        SystemOptions.DifficultyLevel = difficulty;
        SystemOptions.BeginLevel = beginLevel;
        ClearSounds();
    }

    // Writes one level file; a test that writes any gets no shipped ones.
    static void WriteLevel(int level, int file, const std::string& text) {
        TempDir::Write("Data/Levels/" + std::to_string(level) + "/" + std::to_string(file) + ".Txt",
                       text);
    }
    // Files 1 to 3 of a level of the given size whose every cell holds one kind.
    static void WriteUniformLevel(int level, int width, int height, int kind) {
        for (int n = 1; n <= 3; ++n) {
            WriteLevel(level, n, UniformLevel(width, height, kind));
        }
    }
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
        Write();
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
    int RunUntilEnd(int dt, int maxFrames = 100000) {
        int frames = 0;
        while (GameState == StatePlaying && frames < maxFrames) {
            board->UpdateMoves(dt);
            train->UpdateTrain(dt);
            ++frames;
        }
        return frames;
    }

    // The level as laid out: number, size, then kind/item of every cell.
    static std::string Layout(const Board& board) {
        std::string out = std::to_string(board.levelNumber) + " " +
                          std::to_string(board.boardWidth) + "x" +
                          std::to_string(board.boardHeight);
        for (int c = 0; c < board.boardWidth; ++c) {
            for (int r = 0; r < board.boardHeight; ++r) {
                const BoardCell& cell = board.Cell(c, r);
                out += " " + std::to_string(cell.block ? cell.block->kind : -1) + "/" +
                       std::to_string(cell.item);
            }
        }
        return out;
    }
    int KindAt(int column, int row) const {
        const BoardCell& cell = board->Cell(column, row);
        return cell.block ? cell.block->kind : -1;
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

    std::unique_ptr<Board> board;
    std::unique_ptr<Train> train;  // goes first, as it was made last
};
