#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

#include "assetgen/AssetCatalog.h"
#include "assetgen/EngineArt.h"
#include "assetgen/RailArt.h"

namespace {

const std::vector<Asset>& All() {
    static const std::vector<Asset> all = AssetCatalog::BuildAll();
    return all;
}

const RgbaImage& Find(const std::string& name) {
    const auto found = std::find_if(All().begin(), All().end(),
                                    [&](const Asset& asset) { return asset.name == name; });
    if (found == All().end())
        throw std::runtime_error("no picture named " + name);
    return found->image;
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

// Mean luma (weighted by alpha) of a band of rows, and the mean absolute
// difference of all channels between two equally high bands.
double BandLuma(const RgbaImage& image, int top, int rows) {
    double sum = 0;
    Scan(image, top, rows, [&](const uint8_t* p, int a, int, int) {
        sum += (0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]) * a / 255.0;
    });
    return sum / (rows * image.Width());
}

double BandDifference(const RgbaImage& image, int topA, int topB, int rows) {
    double sum = 0;
    Scan(image, topA, rows, [&](const uint8_t* p, int, int x, int y) {
        for (int c = 0; c < image.Channels(); ++c)
            sum += std::abs(p[c] - image.Pixel(x, topB + y)[c]);
    });
    return sum / (rows * image.Width() * image.Channels());
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
    EXPECT_EQ(RailArt::FileName(4) + RailArt::FileName(11), "Rails/IBlox.TgaRails/Dest.Tga");
    const std::vector<Asset>& all = All();
    EXPECT_EQ(all.size(), expected.size());
    for (const Asset& asset : all) {
        // Each name once, with an extension the game's loader tells apart.
        const auto want = expected.find(asset.name);
        ASSERT_NE(want, expected.end()) << asset.name << " is unknown or made twice";
        const std::vector<int> made = {asset.image.Width(), asset.image.Height(),
                                       asset.image.Channels()};
        const bool item = want->second[0] == 48;  // an item: at most 48 x 48
        EXPECT_TRUE(item ? made[0] <= 48 && made[1] <= 48 && made[2] == 4 : made == want->second)
            << asset.name << ": " << made[0] << " x " << made[1] << " x " << made[2];
        const std::string ext = asset.name.substr(asset.name.rfind('.'));
        EXPECT_TRUE(ext == ".Tga" || ext == ".Jpg") << asset.name;
        EXPECT_EQ(asset.IsJpeg(), ext == ".Jpg") << asset.name;
        expected.erase(want);
    }
}

TEST(ArtCatalog, BlendedPicturesHaveTransparentCornersAndASolidBody) {
    for (const char* name :
         {"LCompl.Tga", "HintsBgrn.Tga", "GameOver.Tga", "SmlWind.Tga", "Buttons/Exit.Tga",
          "Buttons/Ok.Tga", "PLogo.Tga", "Quarvelr3D.Tga", "Icon.Tga", "Interface/Button.Tga"}) {
        const RgbaImage& image = Find(name);
        EXPECT_EQ(image.Alpha(0, 0) + image.Alpha(image.Width() - 1, image.Height() - 1), 0)
            << name;
        int opaque = 0;
        Scan(image, 0, image.Height(), [&](const uint8_t*, int a, int, int) { opaque += a > 200; });
        EXPECT_GT(opaque, image.Width() * image.Height() / 8) << name;
    }
    // Items stand on the board: transparent around, solid in the middle.
    for (const char* name : {"Coal.Tga", "SRed.Tga", "SGreen.Tga", "Worker.Tga", "WorkerR.Tga"}) {
        const RgbaImage& image = Find(name);
        EXPECT_EQ(image.Alpha(0, 0), 0) << name;
        EXPECT_GT(image.Alpha(image.Width() / 2, image.Height() * 2 / 3), 200) << name;
    }
    const RgbaImage& cursor = Find("Cursor.Tga");
    EXPECT_GT(cursor.Alpha(3, 3), 200) << "the arrow's tip is the hot spot, top left";
    EXPECT_EQ(cursor.Alpha(62, 2), 0);
    const RgbaImage& smoke = Find("CoDSmoke2.Tga");
    EXPECT_TRUE(smoke.Alpha(0, 0) == 0 && smoke.Alpha(16, 16) > 240 &&
                smoke.Alpha(16, 16) > smoke.Alpha(16, 24) && smoke.Pixel(20, 12)[0] == 255)
        << "a round white puff, densest in the middle";

    // Semaphores differ by their arm, not only by colour: the arm is the only
    // red-and-white part, and its height tells level (red) from raised.
    auto armHeight = [](const RgbaImage& image) {
        int top = image.Height(), bottom = -1;
        Scan(
            image, 0, image.Height(),
            [&](const uint8_t* p, int a, int, int y) {
                if (a > 200 && p[0] > 150 && p[1] < 80) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            },
            0, 16);
        return bottom - top + 1;
    };
    EXPECT_LE(armHeight(Find("SRed.Tga")), 7);
    EXPECT_GE(armHeight(Find("SGreen.Tga")), 10);
}

TEST(ArtCatalog, ControlStatesShowInTheirBands) {
    // Two-band buttons: the lower band (hovered/pressed) is brighter.
    for (const char* name :
         {"Buttons/Continue.Tga", "Buttons/Score.Tga", "Buttons/Ok.Tga", "Buttons/PlayNext.Tga",
          "Buttons/MenuSml.Tga", "Buttons/RestartSml.Tga", "Interface/Button.Tga",
          "Interface/Slider.Tga", "Interface/Thumb.Tga"}) {
        const RgbaImage& image = Find(name);
        const int band = image.Height() / 2;
        EXPECT_GT(BandDifference(image, 0, band, band), 4.0) << name;
        EXPECT_GT(BandLuma(image, band, band), BandLuma(image, 0, band) + 3.0) << name;
    }
    // The arrow's hot band is the upper one.
    const RgbaImage& arrow = Find("Interface/HArrow.Tga");
    EXPECT_GT(BandLuma(arrow, 0, 28), BandLuma(arrow, 28, 28) + 3.0);
    // Check box: four distinct bands; counted from the bottom, band 0 is
    // unchecked and band 1 checked.
    const RgbaImage& box = Find("Interface/CheckBox.Tga");
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_GT(BandDifference(box, a * 24, b * 24, 24), 2.0) << a << " " << b;
    const int unchecked = 72, checked = 48;
    EXPECT_GT(BandLuma(box, checked, 24), BandLuma(box, unchecked, 24) + 5.0);
    // The status bar's tabs keep their content in the upper half of each band.
    for (const char* name : {"Buttons/MenuSml.Tga", "Buttons/RestartSml.Tga"}) {
        for (int band = 0; band < 2; ++band) {
            int upper = 0, lower = 0;
            Scan(Find(name), band * 28, 28,
                 [&](const uint8_t*, int a, int, int y) { (y < 14 ? upper : lower) += a > 0; });
            EXPECT_GT(upper, 200) << name;
            EXPECT_EQ(lower, 0) << name;
        }
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
    const RgbaImage up = EngineArt::Sheet(0);
    for (int frame = 0; frame < 16; ++frame) {
        const Frame f = look(up, frame);
        EXPECT_TRUE(frame < 10 ? f.ink > 3000 && f.beam > 0 : f.ink == 0) << frame << ": " << f.ink;
    }
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
