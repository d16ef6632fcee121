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
    int KindAt(int column, int row) const { return world->KindAt(column, row); }

    std::unique_ptr<PuzzleWorld> world;
};

}  // namespace

// One click on a fresh board: button 0 slides, any other turns.
TEST_F(BoardMoves, EachClickSlidesTurnsOrIsRefusedWithItsSound) {
    using K = RailCatalogue;
    struct Case {
        const char* what;
        int difficulty;
        const char* changes;  // column, row, letter of each changed cell
        int column, row, button;
        int kind;
        float vx, vy;
        std::vector<int> sounds;
        bool trainHere = false;
    };
    const Case cases[] = {
        {"turn at Easy", 0, "", 3, 3, 2, K::EBlox, 0, 0, {110}},
        {"turn at Normal", 1, "", 3, 3, 2, K::EBlox, 0, 0, {110}},
        {"the middle button turns", 1, "", 3, 3, 1, K::EBlox, 0, 0, {110}},
        {"no turns at Hard", 2, "", 3, 3, 2, K::HBlox, 0, 0, {112}},
        {"a crossing stays, silently", 1, "", 4, 3, 2, K::DBlox, 0, 0, {}},
        {"a blank cannot turn", 1, "", 5, 3, 2, K::ABlox, 0, 0, {}},
        {"outer columns never turn", 1, "", 0, 3, 2, K::FBlox, 0, 0, {}},
        {"static slides at Easy", 0, "11S", 1, 1, 0, K::Source, 0, 0.25f, {111}},
        {"static refused at Normal", 1, "11S", 1, 1, 0, K::Source, 0, 0, {112}},
        {"static refused at Hard", 2, "11S", 1, 1, 0, K::Source, 0, 0, {112}},
        {"the station at Easy, silent", 0, "", 9, 0, 0, K::Dest, 0, 0, {}},
        {"turning it at Easy, silent", 0, "", 9, 0, 2, K::Dest, 0, 0, {}},
        {"the station at Normal", 1, "", 9, 0, 0, K::Dest, 0, 0, {112}},
        {"turning it at Hard", 2, "", 9, 0, 2, K::Dest, 0, 0, {112}},
        {"the start platform under the train", 1, "", 0, 6, 0, K::Source, 0, 0, {112}},
        {"the train's own block", 1, "", 1, 1, 0, K::EBlox, 0, 0, {}, true},
        {"turning the train's own block", 1, "", 1, 1, 2, K::EBlox, 0, 0, {}, true},
        {"outer column, no room: silent", 1, "", 0, 3, 0, K::FBlox, 0, 0, {}},
        {"the last column, no room", 1, "", 9, 3, 0, K::FBlox, 0, 0, {}},
        {"inner block, no room", 1, "", 4, 4, 0, K::IBlox, 0, 0, {112}},
        {"not left into column 0", 1, "03.93.", 1, 3, 0, K::IBlox, 0, 0, {112}},
        {"not right into the last column", 1, "03.93.", 8, 3, 0, K::IBlox, 0, 0, {112}},
        {"right inside the columns", 1, "23.", 1, 3, 0, K::IBlox, 0.25f, 0, {111}},
        {"left inside the columns", 1, "74.", 8, 4, 0, K::IBlox, -0.25f, 0, {111}},
        {"a later empty neighbour wins", 1, "42.44.", 4, 3, 0, K::DBlox, 0, -0.25f, {111}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> rows = kBoard;
        for (const char* at = c.changes; *at; at += 3) {
            rows[at[1] - '0'][at[0] - '0'] = at[2];
        }
        Start(c.difficulty, rows);
        if (c.trainHere) {
            world->train->column = c.column;
            world->train->row = c.row;
        }
        BoardCell& cell = world->board->Cell(c.column, c.row);
        cell.item = ItemCoal;
        Click(c.column, c.row, c.button);
        EXPECT_EQ(KindAt(c.column, c.row), c.kind);
        EXPECT_EQ(cell.item, ItemCoal) << "the item stays with its block";
        EXPECT_EQ(cell.moveVelocity.x, c.vx);
        EXPECT_EQ(cell.moveVelocity.y, c.vy);
        EXPECT_EQ(world->board->AnyBlockSliding(), c.vx != 0 || c.vy != 0);
        EXPECT_EQ(PuzzleWorld::Sounds(), c.sounds);
    }
}

TEST_F(BoardMoves, ASlideLandsJustAfter320MillisecondsCarryingItsItem) {
    Start(1);
    BoardCell& from = world->board->Cell(1, 1);
    from.item = ItemWorker;
    Click(1, 1, 0);
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
    EXPECT_EQ(PuzzleWorld::Sounds().size(), 1u);
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

    // Landing in a cell that kept a stale item replaces it.
    std::vector<std::string> rows = kBoard;
    rows[4][4] = '.';
    Start(1, rows);
    world->board->Cell(4, 4).item = ItemCoal;
    Click(4, 3, 0);
    world->board->UpdateMoves(400);
    EXPECT_EQ(KindAt(4, 4), RailCatalogue::DBlox);
    EXPECT_EQ(world->board->Cell(4, 4).item, ItemNone);
}

TEST_F(BoardMoves, PointerIsMappedThroughTheRealWindowSize) {
    Start(1);
    // The options say 640 x 480, the window is 1024 x 768.
    SystemOptions.ScreenRes = 0;
    Click(5, 1, 2, 1024, 768);
    EXPECT_EQ(KindAt(5, 1), RailCatalogue::GBlox);  // J turned once
    const auto hovered = [&] {
        std::string cells;
        for (int c = 0; c < 10; ++c) {
            for (int r = 0; r < 7; ++r) {
                cells += world->board->Cell(c, r).hovered ? std::to_string(c * 10 + r) : "";
            }
        }
        return cells;
    };
    world->board->UpdateHover(552, 665, 1024, 768);
    EXPECT_EQ(hovered(), "56");
    world->board->UpdateHover(static_cast<int>(120 * 1.28), 20, 1024, 768);
    EXPECT_EQ(hovered(), "") << "over the hole nothing is hovered";
}
