#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "assetgen/AssetCatalog.h"
#include "assetgen/EngineArt.h"
#include "assetgen/RailArt.h"
#include "game/TrainPainter.h"

namespace {

const std::vector<Asset>& All() {
    static const std::vector<Asset> all = AssetCatalog::BuildAll();
    return all;
}

// Calls `visit` with every pixel of the rows [top, top + rows), its alpha and
// its place relative to (x0, top); w = 0 means the whole width.
void Scan(const RgbaImage& image, int top, int rows,
          const std::function<void(const uint8_t*, int alpha, int x, int y)>& visit, int x0 = 0,
          int w = 0) {
    for (int y = top; y < top + rows; ++y)
        for (int x = x0; x < x0 + (w ? w : image.Width()); ++x)
            visit(image.Pixel(x, y), image.Alpha(x, y), x - x0, y - top);
}

}  // namespace

TEST(ArtCatalog, EveryPictureTheGameLoadsIsMadeOnceWithItsSizeAndChannels) {
    // Name, width, height and channels of each picture; items (Coal ..
    // WorkerR) are at most 48 x 48.
    std::istringstream table(
        "Font.Tga 512 512 4  Quarvelr3D.Tga 300 100 4  PLogo.Tga 200 120 4  GB.Tga 800 600 3  "
        "Interface/Menu.Jpg 800 600 3  Interface/StatusBar.Tga 800 40 3  LCompl.Tga 360 170 4  "
        "HintsBgrn.Tga 480 180 4  GameOver.Tga 400 120 4  SmlWind.Tga 400 150 4  "
        "Buttons/Menu.Tga 128 80 4  Buttons/Ok.Tga 84 80 4  Buttons/Cancel.Tga 128 80 4  "
        "Buttons/PlayNext.Tga 128 80 4  Buttons/MenuSml.Tga 28 56 4  "
        "Buttons/RestartSml.Tga 28 56 4  Interface/CheckBox.Tga 24 96 4  "
        "Interface/Button.Tga 160 56 4  Interface/HArrow.Tga 24 56 4  "
        "Interface/Slider.Tga 160 40 4  Interface/Thumb.Tga 16 56 4  CoDSmoke2.Tga 32 32 4  "
        "Cursor.Tga 64 64 4  Icon.Tga 64 64 4  Coal.Tga 48 48 4  SRed.Tga 48 48 4  "
        "SGreen.Tga 48 48 4  Worker.Tga 48 48 4  WorkerR.Tga 48 48 4");
    std::map<std::string, std::vector<int>> expected;
    std::string name;
    for (int w, h, c; table >> name >> w >> h >> c;) {
        expected[name] = {w, h, c};
    }
    for (const char* button :
         {"Continue", "NewGame", "Options", "Score", "Help", "Credits", "Exit"})
        expected[std::string("Buttons/") + button + ".Tga"] = {200, 80, 4};
    for (const char* sheet : {"Up", "Right", "Down", "Left"})
        expected[std::string(sheet) + ".Tga"] = {640, 640, 4};
    for (int kind = 0; kind < RailArt::kKinds; ++kind)
        expected[RailArt::FileName(kind)] = {128, 128, 3};
    const std::vector<Asset>& all = All();
    EXPECT_EQ(all.size(), expected.size());
    for (const Asset& asset : all) {
        // Each name once (the table's are .Tga or .Jpg, which the game's
        // loader tells apart).
        const auto want = expected.find(asset.name);
        ASSERT_NE(want, expected.end()) << asset.name << " is unknown or made twice";
        const std::vector<int> made = {asset.image.Width(), asset.image.Height(),
                                       asset.image.Channels()};
        const bool item = want->second[0] == 48;  // an item: at most 48 x 48
        EXPECT_TRUE(item ? made[0] <= 48 && made[1] <= 48 && made[2] == 4 : made == want->second)
            << asset.name << ": " << made[0] << " x " << made[1] << " x " << made[2];
        EXPECT_EQ(asset.IsJpeg(), asset.name.substr(asset.name.rfind('.')) == ".Jpg") << asset.name;
        expected.erase(want);
    }
}

TEST(ArtCatalog, EngineSheetsHoldTenTurningFrames) {
    // Inked pixels of a frame, and the centroid of its red buffer beam
    // relative to the cell's centre.
    struct Frame {
        int ink = 0, beam = 0;
        double dx = 0, dy = 0;
    };
    auto look = [](const RgbaImage& sheet, int frame) {
        Frame f;
        int x0 = 0, y0 = 0;
        EngineArt::CellOrigin(frame, x0, y0);
        Scan(
            sheet, y0, 160,
            [&](const uint8_t* p, int a, int x, int y) {
                f.ink += a > 128;
                if (a > 200 && p[0] > 175 && p[1] < 80 && p[2] < 80) {
                    f.dx += x - 80;
                    f.dy += y - 80;
                    ++f.beam;
                }
            },
            x0, 160);
        f.dx /= std::max(f.beam, 1);
        f.dy /= std::max(f.beam, 1);
        return f;
    };
    // The train painter shows each frame from the cell it is drawn in (the
    // texture's rows run bottom up); a one-frame picture shows whole.
    const RgbaImage up = EngineArt::Sheet(0);
    for (int frame = 0; frame < 16; ++frame) {
        const Frame f = look(up, frame);
        EXPECT_TRUE(frame < 10 ? f.ink > 3000 && f.beam > 0 : f.ink == 0) << frame << ": " << f.ink;
        int x = 0, y = 0;
        EngineArt::CellOrigin(frame, x, y);
        const TrainPainter::FrameCell cell = TrainPainter::CellOf(frame, 4, 4);
        EXPECT_EQ((std::vector<float>{cell.s0 * 640, cell.t1 * 640, cell.s1 - cell.s0,
                                      cell.t1 - cell.t0}),
                  (std::vector<float>{float(x), float(640 - y), 0.25f, 0.25f}))
            << frame;
    }
    const TrainPainter::FrameCell whole = TrainPainter::CellOf(0, 1, 1);
    EXPECT_EQ((std::vector<float>{whole.s0, whole.t0, whole.s1, whole.t1}),
              (std::vector<float>{0, 0, 1, 1}));
    // Frame 0 of the Up sheet sits in the bottom-left cell and faces up.
    int x0 = 0, y0 = 0;
    EngineArt::CellOrigin(0, x0, y0);
    EXPECT_EQ(std::pair(x0, y0), std::pair(0, 480));
    EXPECT_LT(look(up, 0).dy, -40);
    EXPECT_NEAR(look(up, 0).dx, 0, 3);
    // Three frames on, the engine has turned 30 degrees clockwise.
    const Frame third = look(up, 3);
    EXPECT_NEAR(std::atan2(third.dx, -third.dy) * 180 / M_PI, 30, 4);
    // The Right sheet starts facing right, and Up's frame 9 is a full
    // quarter turn, which is where Right begins.
    const Frame right = look(EngineArt::Sheet(1), 0), ninth = look(up, 9);
    EXPECT_GT(right.dx, 40);
    EXPECT_NEAR(ninth.dx, right.dx, 1.5);
    EXPECT_NEAR(ninth.dy, right.dy, 1.5);
}
