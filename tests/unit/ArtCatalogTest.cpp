#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "assetgen/AssetCatalog.h"
#include "assetgen/ButtonArt.h"
#include "assetgen/EngineArt.h"
#include "assetgen/FontArt.h"
#include "assetgen/ItemArt.h"
#include "assetgen/LogoArt.h"
#include "assetgen/PanelArt.h"
#include "assetgen/RailArt.h"
#include "assetgen/ScreenArt.h"

namespace {

const std::vector<Asset>& AllAssets() {
    static const std::vector<Asset> assets = AssetCatalog::BuildAll();
    return assets;
}

// Builds only the families needed, cheapest first, so that single tests stay
// fast when run one per process.
const RgbaImage& Find(const std::string& name) {
    using AddFamily = void (*)(std::vector<Asset>&);
    static const AddFamily families[] = {ButtonArt::Add, ItemArt::Add,  LogoArt::Add,
                                         PanelArt::Add,  FontArt::Add,  EngineArt::Add,
                                         RailArt::Add,   ScreenArt::Add};
    static std::vector<Asset> built;
    static size_t next = 0;
    for (;;) {
        for (const Asset& asset : built) {
            if (asset.name == name) {
                return asset.image;
            }
        }
        if (next == std::size(families)) {
            break;
        }
        families[next++](built);
    }
    static const RgbaImage none;
    ADD_FAILURE() << "no picture named " << name;
    return none;
}

struct Expected {
    int width, height, channels;
};

double Luma(const RgbaImage& image, int x, int y) {
    const uint8_t* p = image.Pixel(x, y);
    return (0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]) * image.Alpha(x, y) / 255.0;
}

// Mean absolute difference of two equally sized row bands.
double BandDifference(const RgbaImage& image, int topA, int topB, int rows) {
    double sum = 0;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            for (int c = 0; c < image.Channels(); ++c) {
                sum += std::abs(image.Pixel(x, topA + y)[c] - image.Pixel(x, topB + y)[c]);
            }
        }
    }
    return sum / (rows * image.Width() * image.Channels());
}

double BandLuma(const RgbaImage& image, int top, int rows) {
    double sum = 0;
    for (int y = top; y < top + rows; ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            sum += Luma(image, x, y);
        }
    }
    return sum / (rows * image.Width());
}

}  // namespace

TEST(ArtCatalog, EveryPictureTheGameLoadsIsMadeOnceWithItsSizeAndChannels) {
    std::map<std::string, Expected> expected = {{"Font.Tga", {512, 512, 4}},
                                                {"Quarvelr3D.Tga", {300, 100, 4}},
                                                {"PLogo.Tga", {200, 120, 4}},
                                                {"Interface/Menu.Jpg", {800, 600, 3}},
                                                {"GB.Tga", {800, 600, 3}},
                                                {"Interface/StatusBar.Tga", {800, 40, 3}},
                                                {"LCompl.Tga", {360, 170, 4}},
                                                {"HintsBgrn.Tga", {480, 180, 4}},
                                                {"GameOver.Tga", {400, 120, 4}},
                                                {"SmlWind.Tga", {400, 150, 4}},
                                                {"Buttons/Menu.Tga", {128, 80, 4}},
                                                {"Buttons/Ok.Tga", {84, 80, 4}},
                                                {"Buttons/Cancel.Tga", {128, 80, 4}},
                                                {"Buttons/PlayNext.Tga", {128, 80, 4}},
                                                {"Buttons/MenuSml.Tga", {28, 56, 4}},
                                                {"Buttons/RestartSml.Tga", {28, 56, 4}},
                                                {"Interface/CheckBox.Tga", {24, 96, 4}},
                                                {"Interface/Button.Tga", {160, 56, 4}},
                                                {"Interface/HArrow.Tga", {24, 56, 4}},
                                                {"Interface/Slider.Tga", {160, 40, 4}},
                                                {"Interface/Thumb.Tga", {16, 56, 4}},
                                                {"CoDSmoke2.Tga", {32, 32, 4}},
                                                {"Cursor.Tga", {64, 64, 4}},
                                                {"Icon.Tga", {64, 64, 4}}};
    for (const char* name :
         {"Continue", "NewGame", "Options", "Score", "Help", "Credits", "Exit"}) {
        expected[std::string("Buttons/") + name + ".Tga"] = {200, 80, 4};
    }
    for (const char* name : {"Up", "Right", "Down", "Left"}) {
        expected[std::string(name) + ".Tga"] = {640, 640, 4};
    }
    for (int kind = 0; kind < RailArt::kKinds; ++kind) {
        expected[RailArt::FileName(kind)] = {128, 128, 3};
    }
    std::map<std::string, const RgbaImage*> produced;
    for (const Asset& asset : AllAssets()) {
        produced[asset.name] = &asset.image;
    }
    for (const auto& [name, want] : expected) {
        ASSERT_TRUE(produced.count(name)) << name;
        const RgbaImage& image = *produced[name];
        EXPECT_EQ(image.Width(), want.width) << name;
        EXPECT_EQ(image.Height(), want.height) << name;
        EXPECT_EQ(image.Channels(), want.channels) << name;
    }
    for (const char* name : {"Coal.Tga", "SRed.Tga", "SGreen.Tga", "Worker.Tga", "WorkerR.Tga"}) {
        const RgbaImage& image = Find(name);
        EXPECT_LE(image.Width(), 48) << name;
        EXPECT_LE(image.Height(), 48) << name;
        EXPECT_EQ(image.Channels(), 4) << name;
        // Items stand on the board: transparent around, solid in the middle.
        EXPECT_EQ(image.Alpha(0, 0), 0) << name;
        EXPECT_GT(image.Alpha(image.Width() / 2, image.Height() * 2 / 3), 200) << name;
    }
    EXPECT_EQ(AllAssets().size(), expected.size() + 5);

    // Names are unique and use the extensions the game's loader tells apart.
    std::set<std::string> names;
    for (const Asset& asset : AllAssets()) {
        EXPECT_TRUE(names.insert(asset.name).second) << asset.name;
        const std::string ext = asset.name.substr(asset.name.rfind('.'));
        EXPECT_TRUE(ext == ".Tga" || ext == ".Jpg") << asset.name;
        EXPECT_EQ(asset.IsJpeg(), ext == ".Jpg") << asset.name;
    }
    EXPECT_EQ(RailArt::FileName(4), "Rails/IBlox.Tga");
    EXPECT_EQ(RailArt::FileName(11), "Rails/Dest.Tga");
}

TEST(ArtCatalog, BlendedPicturesHaveTransparentCornersAndOpaqueOnesDoNot) {
    for (const char* name :
         {"LCompl.Tga", "HintsBgrn.Tga", "GameOver.Tga", "SmlWind.Tga", "Buttons/Exit.Tga",
          "Buttons/Ok.Tga", "PLogo.Tga", "Quarvelr3D.Tga", "Icon.Tga", "Interface/Button.Tga"}) {
        const RgbaImage& image = Find(name);
        EXPECT_EQ(image.Alpha(0, 0), 0) << name;
        EXPECT_EQ(image.Alpha(image.Width() - 1, image.Height() - 1), 0) << name;
        int opaque = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                opaque += image.Alpha(x, y) > 200;
            }
        }
        EXPECT_GT(opaque, image.Width() * image.Height() / 8) << name;
    }
    const RgbaImage& cursor = Find("Cursor.Tga");
    EXPECT_GT(cursor.Alpha(3, 3), 200) << "the arrow's tip is the hot spot, top left";
    EXPECT_EQ(cursor.Alpha(62, 2), 0);
    const RgbaImage& smoke = Find("CoDSmoke2.Tga");
    EXPECT_EQ(smoke.Alpha(0, 0), 0);
    EXPECT_GT(smoke.Alpha(16, 16), 240);
    EXPECT_GT(smoke.Alpha(16, 16), smoke.Alpha(16, 24));
    EXPECT_EQ(smoke.Pixel(20, 12)[0], 255);
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
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            EXPECT_GT(BandDifference(box, a * 24, b * 24, 24), 2.0) << a << " " << b;
        }
    }
    const int unchecked = 72, checked = 48;
    EXPECT_GT(BandLuma(box, checked, 24), BandLuma(box, unchecked, 24) + 5.0);
}

TEST(ArtCatalog, StatusBarTabsKeepTheirContentInTheUpperHalfOfEachBand) {
    for (const char* name : {"Buttons/MenuSml.Tga", "Buttons/RestartSml.Tga"}) {
        const RgbaImage& tab = Find(name);
        for (int band = 0; band < 2; ++band) {
            int upper = 0, lower = 0;
            for (int y = 0; y < 28; ++y) {
                for (int x = 0; x < 28; ++x) {
                    (y < 14 ? upper : lower) += tab.Alpha(x, band * 28 + y) > 0;
                }
            }
            EXPECT_GT(upper, 200) << name;
            EXPECT_EQ(lower, 0) << name;
        }
    }
}

TEST(ArtCatalog, SemaphoresDifferByTheirArmNotOnlyByColour) {
    // The arm is the only red-and-white part: its height tells level from
    // raised.
    auto armHeight = [](const RgbaImage& image) {
        int top = image.Height(), bottom = -1;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < 16; ++x) {
                const uint8_t* p = image.Pixel(x, y);
                if (image.Alpha(x, y) > 200 && p[0] > 150 && p[1] < 80) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        return bottom - top + 1;
    };
    EXPECT_LE(armHeight(Find("SRed.Tga")), 7);
    EXPECT_GE(armHeight(Find("SGreen.Tga")), 10);
}

TEST(ArtCatalog, EngineSheetsHoldTenTurningFrames) {
    auto frameInk = [](const RgbaImage& sheet, int frame) {
        int x0 = 0, y0 = 0, count = 0;
        EngineArt::CellOrigin(frame, x0, y0);
        for (int y = y0; y < y0 + 160; ++y) {
            for (int x = x0; x < x0 + 160; ++x) {
                count += sheet.Alpha(x, y) > 128;
            }
        }
        return count;
    };
    // Centroid of the red buffer beam, relative to the cell's centre.
    auto front = [](const RgbaImage& sheet, int frame, double& dx, double& dy) {
        int x0 = 0, y0 = 0, n = 0;
        EngineArt::CellOrigin(frame, x0, y0);
        dx = dy = 0;
        for (int y = y0; y < y0 + 160; ++y) {
            for (int x = x0; x < x0 + 160; ++x) {
                const uint8_t* p = sheet.Pixel(x, y);
                if (sheet.Alpha(x, y) > 200 && p[0] > 175 && p[1] < 80 && p[2] < 80) {
                    dx += x - x0 - 80;
                    dy += y - y0 - 80;
                    ++n;
                }
            }
        }
        dx /= n;
        dy /= n;
    };
    const RgbaImage up = EngineArt::Sheet(0);
    const RgbaImage right = EngineArt::Sheet(1);
    for (int frame = 0; frame < 10; ++frame) {
        EXPECT_GT(frameInk(up, frame), 3000) << frame;
    }
    for (int frame = 10; frame < 16; ++frame) {
        EXPECT_EQ(frameInk(up, frame), 0) << frame;
    }
    // Frame 0 of the Up sheet sits in the bottom-left cell and faces up.
    int x0 = 0, y0 = 0;
    EngineArt::CellOrigin(0, x0, y0);
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(y0, 480);
    double dx = 0, dy = 0;
    front(up, 0, dx, dy);
    EXPECT_LT(dy, -40);
    EXPECT_NEAR(dx, 0, 3);
    // Three frames on, the engine has turned 30 degrees clockwise.
    front(up, 3, dx, dy);
    EXPECT_NEAR(std::atan2(dx, -dy) * 180 / M_PI, 30, 4);
    // The Right sheet starts facing right, and Up's frame 9 is a full
    // quarter turn, which is where Right begins.
    front(right, 0, dx, dy);
    EXPECT_GT(dx, 40);
    double ux = 0, uy = 0;
    front(up, 9, ux, uy);
    EXPECT_NEAR(ux, dx, 1.5);
    EXPECT_NEAR(uy, dy, 1.5);
}
