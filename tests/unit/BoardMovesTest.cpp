#include <gtest/gtest.h>

#include "PuzzleWorld.h"

namespace {

// A 10 x 7 board with the usual frame and hole; inner blocks by letter.
const std::vector<std::string> kBoard = {
    "H.IIIIIIIT",  //
    "FEGHIJDAIF",  //
    "FIIIIIIIIF",  //
    "FIIHDAIIIF",  //
    "FIIIIIIIIF",  //
    "FIIIIIIIIF",  //
    "SIIIIIIIIJ",
};

class BoardMoves : public ::testing::Test {
protected:
    void Start(int difficulty, const std::vector<std::string>& rows = kBoard) {
        world.reset();  // the old folder goes before the new one is entered
        world = std::make_unique<PuzzleWorld>(difficulty, 5);
        world->Build();
        world->Lay(rows);
    }
    // Presses a button over the centre of a cell in a window of the given size.
    void Click(int column, int row, int button, int width = 800, int height = 600) {
        const OVector3 centre = world->board->CellCenter(column, row);
        world->board->MoveBlock(button, static_cast<int>(centre.x * width / 800.0f),
                                static_cast<int>((600.0f - centre.y) * height / 600.0f), width,
                                height);
    }
    int KindAt(int column, int row) const {
        const BoardCell& cell = world->board->Cell(column, row);
        return cell.block ? cell.block->kind : -1;
    }
    static std::vector<int> Sounds() { return PuzzleWorld::Sounds(); }

    std::unique_ptr<PuzzleWorld> world;
};

}  // namespace

TEST_F(BoardMoves, TurningFollowsTheDifficultyAndKeepsTheItem) {
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        Start(difficulty);
        world->board->Cell(3, 3).item = ItemCoal;
        Click(3, 3, 2);
        if (difficulty == 2) {
            EXPECT_EQ(KindAt(3, 3), RailCatalogue::HBlox);
            EXPECT_EQ(Sounds(), std::vector<int>({112}));
            continue;
        }
        EXPECT_EQ(KindAt(3, 3), RailCatalogue::EBlox);
        EXPECT_EQ(world->board->Cell(3, 3).item, ItemCoal);
        EXPECT_EQ(Sounds(), std::vector<int>({110}));
        PuzzleWorld::ClearSounds();
        Click(3, 3, 1);  // the middle button turns as well
        EXPECT_EQ(KindAt(3, 3), RailCatalogue::JBlox);
        Click(4, 3, 2);  // the crossing stays a crossing, silently
        EXPECT_EQ(KindAt(4, 3), RailCatalogue::DBlox);
        Click(5, 3, 2);  // a blank cannot be turned
        EXPECT_EQ(KindAt(5, 3), RailCatalogue::ABlox);
        EXPECT_EQ(Sounds(), std::vector<int>({110}));
        // Blocks of the outer columns are never turned.
        PuzzleWorld::ClearSounds();
        Click(0, 3, 2);
        EXPECT_EQ(KindAt(0, 3), RailCatalogue::FBlox);
        EXPECT_TRUE(Sounds().empty());
    }
}

TEST_F(BoardMoves, StaticBlocksMoveOnlyAtEasy) {
    // A Source block inside the board, below the hole.
    std::vector<std::string> rows = kBoard;
    rows[1][1] = 'S';
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        Start(difficulty, rows);
        Click(1, 1, 0);
        Click(9, 0, 0);  // the station
        Click(9, 0, 2);
        if (difficulty == 0) {
            EXPECT_EQ(world->board->Cell(1, 1).moveVelocity.y, 0.25f);
            // Clicking the station in its outer column is silent at Easy.
            EXPECT_EQ(Sounds(), std::vector<int>({111}));
        } else {
            EXPECT_FALSE(world->board->AnyBlockSliding());
            EXPECT_EQ(Sounds(), std::vector<int>({112, 112, 112}));
        }
    }
}

TEST_F(BoardMoves, TheTrainsOwnBlockStaysPut) {
    Start(1);
    world->train->column = 1;
    world->train->row = 1;
    Click(1, 1, 0);
    Click(1, 1, 2);
    EXPECT_FALSE(world->board->AnyBlockSliding());
    EXPECT_EQ(KindAt(1, 1), RailCatalogue::EBlox);
    EXPECT_TRUE(Sounds().empty());
    // On the Source block at the start of a level: the refusal sound, since
    // Source is static.
    world->train->ResetTrain();
    PuzzleWorld::ClearSounds();
    Click(0, 6, 0);
    EXPECT_EQ(Sounds(), std::vector<int>({112}));
}

TEST_F(BoardMoves, RefusalsSoundOnlyForInnerBlocks) {
    Start(1);
    Click(0, 3, 0);  // outer column, cannot move: silent
    Click(9, 3, 0);
    EXPECT_TRUE(Sounds().empty());
    Click(4, 4, 0);  // inner block without an empty neighbour
    EXPECT_EQ(Sounds(), std::vector<int>({112}));
    EXPECT_FALSE(world->board->AnyBlockSliding());
}

TEST_F(BoardMoves, HorizontalSlidesStayInsideColumnsOneToWidthLessTwo) {
    std::vector<std::string> rows = kBoard;
    rows[3][0] = '.';
    rows[3][9] = '.';
    Start(1, rows);
    Click(1, 3, 0);
    Click(8, 3, 0);
    EXPECT_FALSE(world->board->AnyBlockSliding());
    EXPECT_EQ(Sounds(), std::vector<int>({112, 112}));
    // The same blocks do slide along a row inside those columns.
    rows = kBoard;
    rows[3][2] = '.';
    rows[4][7] = '.';
    Start(1, rows);
    Click(1, 3, 0);
    EXPECT_EQ(world->board->Cell(1, 3).moveVelocity.x, 0.25f);
    world->board->UpdateMoves(400);
    Click(8, 4, 0);
    EXPECT_EQ(world->board->Cell(8, 4).moveVelocity.x, -0.25f);
}

TEST_F(BoardMoves, ASlideLandsJustAfter320MillisecondsCarryingItsItem) {
    Start(1);
    BoardCell& from = world->board->Cell(1, 1);
    from.item = ItemWorker;
    Click(1, 1, 0);
    EXPECT_EQ(Sounds(), std::vector<int>({111}));
    EXPECT_TRUE(world->board->AnyBlockSliding());
    EXPECT_EQ(from.targetColumn, 1);
    EXPECT_EQ(from.targetRow, 0);
    const float startY = from.position.y;
    for (int ms = 0; ms < 320; ++ms) {
        world->board->UpdateMoves(1);
    }
    EXPECT_TRUE(world->board->AnyBlockSliding());
    EXPECT_EQ(from.position.y, startY + 80.0f);
    // A click during the slide is ignored without a sound.
    Click(4, 4, 0);
    Click(2, 1, 2);
    EXPECT_EQ(KindAt(2, 1), RailCatalogue::GBlox);
    EXPECT_EQ(Sounds().size(), 1u);
    world->board->UpdateMoves(1);
    EXPECT_FALSE(world->board->AnyBlockSliding());
    EXPECT_EQ(KindAt(1, 0), RailCatalogue::EBlox);
    EXPECT_EQ(KindAt(1, 1), -1);
    EXPECT_EQ(world->board->Cell(1, 0).item, ItemWorker);
    EXPECT_EQ(world->board->Cell(1, 1).item, ItemNone);
    EXPECT_EQ(world->board->Cell(1, 0).position.y, startY + 80.0f);
    EXPECT_EQ(from.position.y, startY);
    // And back down into the new hole.
    Click(1, 0, 0);
    EXPECT_EQ(world->board->Cell(1, 0).moveVelocity.y, -0.25f);
}

TEST_F(BoardMoves, TurboSlidesThreeTimesFaster) {
    Start(1);
    Click(1, 1, 0);
    const double speedFactor = 3.0;
    int frames = 0;
    while (world->board->AnyBlockSliding()) {
        world->board->UpdateMoves(static_cast<int>(1 * speedFactor));
        ++frames;
    }
    EXPECT_EQ(frames, 107);  // 107 x 3 ms: just over 320 ms of game time
}

TEST_F(BoardMoves, ALaterEmptyNeighbourWinsAndLandingReplacesAStaleItem) {
    std::vector<std::string> rows = kBoard;
    rows[2][4] = '.';
    rows[4][4] = '.';
    Start(1, rows);
    world->board->Cell(4, 4).item = ItemCoal;  // left behind in an empty cell
    Click(4, 3, 0);
    EXPECT_EQ(world->board->Cell(4, 3).moveVelocity.y, -0.25f);
    EXPECT_EQ(world->board->Cell(4, 3).targetRow, 4);
    world->board->UpdateMoves(400);
    EXPECT_EQ(world->board->Cell(4, 4).item, ItemNone);
}

TEST_F(BoardMoves, PointerIsMappedThroughTheRealWindowSize) {
    Start(1);
    // The options say 640 x 480, the window is 1024 x 768.
    SystemOptions.ScreenRes = 0;
    Click(5, 1, 2, 1024, 768);
    EXPECT_EQ(KindAt(5, 1), RailCatalogue::GBlox);  // J turned once
    world->board->UpdateHover(552, 665, 1024, 768);
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(world->board->Cell(c, r).hovered, c == 5 && r == 6) << c << "," << r;
        }
    }
    // Over the hole nothing is hovered.
    world->board->UpdateHover(static_cast<int>(120 * 1.28), 20, 1024, 768);
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 7; ++r) {
            EXPECT_FALSE(world->board->Cell(c, r).hovered);
        }
    }
    // A window of no size takes no clicks.
    PuzzleWorld::ClearSounds();
    world->board->MoveBlock(0, 10, 10, 0, 0);
    EXPECT_TRUE(Sounds().empty());
}
