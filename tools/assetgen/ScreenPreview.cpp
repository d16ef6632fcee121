#include "assetgen/ScreenPreview.h"

#include <array>
#include <map>
#include <memory>
#include <string>

#include "assetgen/Canvas.h"
#include "assetgen/FontArt.h"

namespace {

// Pictures keyed by name, each on its own cairo surface.
class Library {
public:
    explicit Library(const std::vector<Asset>& assets) {
        for (const Asset& asset : assets) {
            auto canvas = std::make_unique<Canvas>(asset.image.Width(), asset.image.Height());
            Canvas::DrawImage(canvas->Context(), asset.image, 0, 0);
            if (asset.name == "Font.Tga") {
                advances_ = FontArt::MeasureAdvances(asset.image);
            }
            surfaces_[asset.name] = std::move(canvas);
        }
    }
    cairo_surface_t* Surface(const std::string& name) const {
        return surfaces_.at(name)->Surface();
    }
    int Width(const std::string& name) const { return surfaces_.at(name)->Width(); }
    int Height(const std::string& name) const { return surfaces_.at(name)->Height(); }
    float Advance(unsigned char c) const { return c >= 32 && c < 160 ? advances_[c - 32] : 10; }

private:
    std::map<std::string, std::unique_ptr<Canvas>> surfaces_;
    std::array<float, 128> advances_{};
};

// Draws in the game's 800 x 600 space: origin bottom left, y up.
class Screen {
public:
    explicit Screen(const Library& library) : library_(library), canvas_(800, 600) {}

    cairo_t* Cr() const { return canvas_.Context(); }

    // A picture's band (0 = bottom band of bandCount) with its lower-left at (x, y).
    void Picture(const std::string& name, double x, double y, int band = 0, int bandCount = 1,
                 double w = -1, double h = -1) {
        const double pw = library_.Width(name);
        const double ph = library_.Height(name) / static_cast<double>(bandCount);
        if (w < 0) {
            w = pw;
            h = ph;
        }
        cairo_t* cr = Cr();
        cairo_save(cr);
        cairo_translate(cr, x, 600 - y - h);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        cairo_scale(cr, w / pw, h / ph);
        const double bandTop = library_.Height(name) - ph * (band + 1);
        cairo_set_source_surface(cr, library_.Surface(name), 0, -bandTop);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    // Frame f of a 4 x 4 engine sheet as the game's 96-unit quad centred on (x, y).
    void Sprite(const std::string& name, int frame, double x, double y) {
        cairo_t* cr = Cr();
        cairo_save(cr);
        cairo_translate(cr, x - 48, 600 - y - 48);
        cairo_rectangle(cr, 0, 0, 96, 96);
        cairo_clip(cr);
        cairo_scale(cr, 96 / 160.0, 96 / 160.0);
        cairo_set_source_surface(cr, library_.Surface(name), -(frame / 4) * 160.0,
                                 -(640 - ((frame & 3) + 1) * 160.0));
        cairo_paint(cr);
        cairo_restore(cr);
    }

    double TextWidth(const std::string& text) const {
        double width = 0;
        for (unsigned char c : text) {
            width += static_cast<int>(library_.Advance(c));
        }
        return width;
    }

    void Text(double x, double y, const std::string& text, double scale, int set, double r = 1,
              double g = 1, double b = 1) {
        Run(x + 1, y - 1, text, scale, set, 0, 0, 0, true);
        Run(x, y, text, scale, set, r, g, b, false);
    }

    RgbaImage Image() const { return canvas_.ToImage(false); }

private:
    void Run(double x, double y, const std::string& text, double scale, int set, double r, double g,
             double b, bool shadow) {
        cairo_t* cr = Cr();
        double pen = x;
        for (unsigned char c : text) {
            const int cell = set * 128 + c - 32;
            cairo_save(cr);
            cairo_translate(cr, pen, 600 - y - 31 * scale);
            cairo_scale(cr, 31 * scale / 32, 31 * scale / 32);
            cairo_rectangle(cr, 0, 0, 32, 32);
            cairo_clip(cr);
            const double cx = (cell % 16) * 32.0, cy = (cell / 16) * 32.0;
            if (shadow || r != 1 || g != 1 || b != 1) {
                cairo_set_source_rgb(cr, r, g, b);
                cairo_mask_surface(cr, library_.Surface("Font.Tga"), -cx, -cy);
            } else {
                cairo_set_source_surface(cr, library_.Surface("Font.Tga"), -cx, -cy);
                cairo_paint(cr);
            }
            cairo_restore(cr);
            pen += static_cast<int>(library_.Advance(c)) * scale;
        }
    }

    const Library& library_;
    Canvas canvas_;
};

void Board(Screen& screen) {
    static const char* const grid[5][6] = {{"HBlox", "IBlox", "IBlox", "DBlox", "IBlox", "Dest"},
                                           {"FBlox", "BBlox", "ABlox", "FBlox", "CBlox", "FBlox"},
                                           {"FBlox", "GBlox", "IBlox", "DBlox", "JBlox", "FBlox"},
                                           {"FBlox", "ABlox", "CBlox", "EBlox", "BBlox", "FBlox"},
                                           {"Source", "IBlox", "HBlox", "GBlox", nullptr, "JBlox"}};
    const double originX = 160;
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 6; ++col) {
            if (grid[row][col] != nullptr) {
                screen.Picture(std::string("Rails/") + grid[row][col] + ".Tga", originX + col * 80,
                               500 - (row + 1) * 80, 0, 1, 80, 80);
            }
        }
    }
    cairo_t* cr = screen.Cr();
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
    cairo_set_line_width(cr, 1);
    for (int i = 1; i < 6; ++i) {
        cairo_move_to(cr, originX + 80 * i + 0.5, 100);
        cairo_line_to(cr, originX + 80 * i + 0.5, 500);
    }
    for (int j = 1; j < 5; ++j) {
        cairo_move_to(cr, 160, 100 + 80 * j + 0.5);
        cairo_line_to(cr, 640, 100 + 80 * j + 0.5);
    }
    cairo_stroke(cr);
    auto item = [&screen](const char* name, int col, int row, int w, int h) {
        screen.Picture(name, 160 + col * 80 + 40 - w / 2, 500 - row * 80 - 40 - h / 2);
    };
    item("Coal.Tga", 2, 0, 48, 40);
    item("Worker.Tga", 1, 2, 48, 48);
    item("WorkerR.Tga", 4, 3, 48, 48);
    // The engine climbing column 0 (frame 0 of the Up sheet, bottom-left cell).
    screen.Sprite("Up.Tga", 0, 200, 300);
    screen.Sprite("Right.Tga", 3, 440, 140);
    // Hover frame on a block.
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 160 + 3 * 80, 100 + 3 * 80, 80, 80);
    cairo_stroke(cr);
    item("SRed.Tga", 4, 0, 40, 48);
    item("SGreen.Tga", 3, 2, 40, 48);
}

void StatusBar(Screen& screen, bool turbo) {
    screen.Picture("Interface/StatusBar.Tga", 0, 0);
    screen.Text(18, 8, "FGHI  100", 0.75, 1);
    screen.Text(180, 8, "ABCDE  1234", 0.75, 1);
    screen.Picture("Interface/CheckBox.Tga", 630, 8, turbo ? 1 : 0, 4);
    screen.Text(630 - screen.TextWidth("Turbo Mode") * 0.75 - 24, 8, "Turbo Mode", 0.75, 0);
    screen.Picture("Buttons/MenuSml.Tga", 670 - 14, 2 - 14, 1, 2);
    screen.Picture("Buttons/RestartSml.Tga", 700 - 14, 2 - 14, 1, 2);
    screen.Text(344, 8, "OPZ  5", 0.75, 1);
    screen.Text(486 - screen.TextWidth("Normal") * 0.75, 8, "Normal", 0.75, 0, 0.97, 0.85, 0.55);
}

RgbaImage GameScreen(const Library& library, bool levelComplete) {
    Screen screen(library);
    screen.Picture("GB.Tga", 0, 0);
    Board(screen);
    StatusBar(screen, levelComplete);
    if (levelComplete) {
        screen.Picture("LCompl.Tga", 400 - 180, 250);
        screen.Picture("Buttons/PlayNext.Tga", 380 - 64, 267 - 20, 1, 2);
        screen.Text(230, 382, "QRS TUVWXY:  685", 0.75, 1);
        screen.Text(343, 354, "FGHI:  40", 0.75, 1);
        screen.Text(313, 314, "JKLMN:  724", 0.75, 1);
    } else {
        screen.Picture("GameOver.Tga", 400 - 200, 300);
    }
    return screen.Image();
}

RgbaImage HintsScreen(const Library& library) {
    Screen screen(library);
    screen.Picture("GB.Tga", 0, 0);
    Board(screen);
    StatusBar(screen, false);
    screen.Picture("HintsBgrn.Tga", 400 - 240, 250);
    screen.Picture("Buttons/Ok.Tga", 450 - 42, 267 - 20, 1, 2);
    screen.Picture("Interface/CheckBox.Tga", 350, 275, 1, 4);
    screen.Text(350 - screen.TextWidth("Show Hints") * 0.75 - 24, 275, "Show Hints", 0.75, 0);
    screen.Text(180, 380, "Controls", 0.75, 0, 1, 1, 0);
    screen.Text(190, 360, "Left mouse click - move a block.", 0.75, 0);
    screen.Text(190, 340, "Right mouse click - turn a block.", 0.75, 0);
    return screen.Image();
}

RgbaImage MenuScreen(const Library& library) {
    Screen screen(library);
    screen.Picture("Interface/Menu.Jpg", 0, 0);
    const char* const buttons[] = {"Continue", "NewGame", "Options", "Score",
                                   "Help",     "Credits", "Exit"};
    for (int i = 0; i < 7; ++i) {
        screen.Picture(std::string("Buttons/") + buttons[i] + ".Tga", 300, 406 - 42 * i,
                       i == 1 ? 0 : 1, 2);
    }
    screen.Picture("Quarvelr3D.Tga", 250, 476);
    screen.Picture("PLogo.Tga", 135 - 100 + 1, 5 + 1, 0, 1, 130, 78);
    screen.Picture("SmlWind.Tga", 201, 251, 0, 1, 399, 149);
    screen.Text(400 - screen.TextWidth("End current game?") * 0.75 / 2, 325, "End current game?",
                0.75, 0);
    screen.Picture("Buttons/Ok.Tga", 515, 265, 1, 2);
    screen.Picture("Buttons/Cancel.Tga", 220, 265, 0, 2);
    return screen.Image();
}

RgbaImage HelpScreen(const Library& library) {
    Screen screen(library);
    screen.Picture("Interface/Menu.Jpg", 0, 0);
    screen.Picture("Buttons/Menu.Tga", 600, 115, 1, 2);
    screen.Picture("Quarvelr3D.Tga", 250, 476);
    screen.Picture("PLogo.Tga", 135 - 100 + 1, 5 + 1, 0, 1, 130, 78);
    const std::pair<const char*, int> lines[] = {
        {"Game Rules", 420},
        {"You should build track by moving and turning puzzle blocks,", 384},
        {"pick up all the workers, and arrive at the final station at", 364},
        {"new railroad. You should take on fuel by picking up coal", 344},
        {"on the track. The train stops at traffic lights for", 324},
        {"several seconds.", 304},
        {"Controls", 268},
        {"Left mouse click - move a block.", 240},
        {"Right mouse click - turn a block.", 220}};
    for (const auto& line : lines) {
        const bool heading = line.second == 420 || line.second == 268;
        screen.Text(10, line.second, line.first, 0.75, 0, 1, 1, heading ? 0 : 1);
    }
    return screen.Image();
}

RgbaImage OptionsScreen(const Library& library) {
    Screen screen(library);
    screen.Picture("Interface/Menu.Jpg", 0, 0);
    screen.Picture("Quarvelr3D.Tga", 250, 476);
    const std::pair<const char*, int> rows[] = {
        {"Screen Resolution ", 424}, {"Color Depth ", 376}, {"Game Difficult ", 184}};
    const char* const values[] = {"800 x 600", "32", "Normal"};
    for (int i = 0; i < 3; ++i) {
        const int y = rows[i].second;
        screen.Picture("Interface/Button.Tga", 425, y, i == 0 ? 0 : 1, 2);
        const std::string value = values[i];
        screen.Text(425 + (160 - screen.TextWidth(value) * 0.75) / 2, y + 1, value, 0.75, 0);
        screen.Text(425 - screen.TextWidth(rows[i].first) * 0.75 - 24, y, rows[i].first, 0.75, 0);
        screen.Picture("Interface/HArrow.Tga", 425 - 2 - 24, y, i == 0 ? 1 : 0, 2);
        screen.Picture("Interface/HArrow.Tga", 425 + 160 + 2, y, 0, 2);
    }
    screen.Picture("Interface/CheckBox.Tga", 425, 328, 1, 4);
    screen.Text(425 - screen.TextWidth("Full Screen ") * 0.75 - 24, 328, "Full Screen ", 0.75, 0);
    for (int i = 0; i < 2; ++i) {
        const int y = i == 0 ? 280 : 232;
        screen.Picture("Interface/Slider.Tga", 425, y, i, 2);
        screen.Picture("Interface/Thumb.Tga", 425 + 20 + i * 80, y + 10 - 14, i, 2);
        screen.Picture("Interface/CheckBox.Tga", 425 - 60, y, 1, 4);
        const char* label = i == 0 ? "Sound " : "Music ";
        screen.Text(425 - 60 - screen.TextWidth(label) * 0.75 - 24, y, label, 0.75, 0);
    }
    screen.Picture("Buttons/Ok.Tga", 650, 115, 1, 2);
    screen.Picture("Buttons/Cancel.Tga", 160, 115, 1, 2);
    screen.Picture("Cursor.Tga", 470, 300 - 37, 0, 1, 37, 37);
    return screen.Image();
}

}  // namespace

std::vector<Asset> ScreenPreview::Compose(const std::vector<Asset>& assets) {
    const Library library(assets);
    std::vector<Asset> previews;
    previews.push_back({"Preview/LevelComplete.png", GameScreen(library, true)});
    previews.push_back({"Preview/GameOver.png", GameScreen(library, false)});
    previews.push_back({"Preview/Hints.png", HintsScreen(library)});
    previews.push_back({"Preview/Menu.png", MenuScreen(library)});
    previews.push_back({"Preview/Help.png", HelpScreen(library)});
    previews.push_back({"Preview/Options.png", OptionsScreen(library)});
    return previews;
}
