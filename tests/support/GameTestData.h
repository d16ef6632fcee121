#pragma once

// A throw-away game folder (the working directory while it lives) for the
// game's tests: an archive with the shipped rail catalogue, settings and
// difficulty texts (or replacements), pictures of every name the game
// screen, board, train and controls load (solid colours that tests can pick
// out on screen; where no test looks, the large ones shrunk to 2 x 2), the
// level files, an options file in the folder and a fixed random seed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "TgaBytes.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/GameRandom.h"
#include "game/RailCatalogue.h"

class GameTestData {
public:
    using Pixel = std::function<uint32_t(int x, int fileRow)>;

    // Colours (RGBA) of the pictures the tests look for.
    static constexpr uint32_t kBlock = 0x2080C0FFu;
    static constexpr uint32_t kSlidingBlock = 0xC08020FFu;  // the kind tests slide (IBlox)
    static constexpr uint32_t kRedSemaphore = 0xFF00FFFFu;
    static constexpr uint32_t kEngine = 0xFFFF80FFu;
    static constexpr uint32_t kGameOver = 0xE02020FFu;
    static constexpr uint32_t kPanel = 0x208020FFu;
    static constexpr uint32_t kLabel = 0xFFFF00FFu;  // glyph set 1
    static constexpr uint32_t kText = 0xFFFFFFFFu;   // glyph set 0

    // The shipped text of an asset (assets/<name> in the source tree).
    static std::string AssetPath(const std::string& name) {
        std::string here = __FILE__;
        return here.substr(0, here.rfind("/tests/support/")) + "/assets/" + name;
    }
    static std::string Asset(const std::string& name) { return TempDir::Read(AssetPath(name)); }
    // The shipped text with the first `from` replaced by `to`.
    static std::string AssetWith(const std::string& name, const std::string& from,
                                 const std::string& to) {
        std::string text = Asset(name);
        const size_t at = text.find(from);
        if (at == std::string::npos) {
            ADD_FAILURE() << name << " holds no \"" << from << "\"";
            return text;
        }
        return text.replace(at, from.size(), to);
    }

    static Pixel Solid(uint32_t rgba) {
        return [rgba](int, int) { return rgba; };
    }

    // Advance of a printable character in the test font (both sets).
    static int Advance(char c) { return c == ' ' ? 12 : (static_cast<unsigned char>(c) % 8) + 8; }

    explicit GameTestData(bool tinyPictures = false) : dir(true), tiny(tinyPictures) {
        savedOptions = SystemOptions;
        savedOptionsPath = SystemOptionsPath;
        savedArchivePath = OResourceArchive::Instance().GetPath();
        optionsPath = dir.File("Data/System.Cfg");
        SystemOptionsPath = optionsPath.c_str();
        GameRandom::SetSeedSource([] { return 4242u; });
        for (const char* name : {"Rails.Txt", "Game.Cfg", "Difficult.Cfg"}) {
            texts[std::string("Data/") + name] = Asset(name);
        }
        DefaultPictures();
    }
    ~GameTestData() {
        GameRandom::SetSeedSource({});
        SystemOptions = savedOptions;
        SystemOptionsPath = savedOptionsPath;
        OResourceArchive::Instance().SetPath(savedArchivePath);
        OResourceArchive::Instance().ReadDirectory();
    }
    GameTestData(const GameTestData&) = delete;
    GameTestData& operator=(const GameTestData&) = delete;

    // Replaces (or with an empty text, leaves out) one data text.
    void SetText(const std::string& name, const std::string& text) { texts[name] = text; }
    void SetPicture(const std::string& name, int width, int height, Pixel pixel) {
        const bool shrink = tiny && width * height > 64 * 64;
        pictures[name] = Picture{shrink ? 2 : width, shrink ? 2 : height, std::move(pixel)};
    }

    // Writes the archive and, unless the test laid level files of its own,
    // the shipped level files, and points the game at them.
    void Write() {
        OArchiveWriter writer;
        for (const auto& [name, text] : texts) {
            if (!text.empty()) {
                writer.Add(name, std::vector<uint8_t>(text.begin(), text.end()));
            }
        }
        for (const auto& [name, picture] : pictures) {
            writer.Add("Data/Textures/" + name,
                       MakeTga32(picture.width, picture.height, picture.pixel));
        }
        const std::filesystem::path levels = dir.Path() / "Data" / "Levels";
        if (!std::filesystem::exists(levels)) {
            std::filesystem::create_directories(levels.parent_path());
            std::filesystem::copy(AssetPath("Levels"), levels,
                                  std::filesystem::copy_options::recursive);
        }
        std::string error;
        writer.Write(dir.File("Data/Resource.Kvr"), error);
        OResourceArchive::Instance().SetPath(dir.File("Data/Resource.Kvr"));
        OResourceArchive::Instance().ReadDirectory();
    }

    std::string OptionsFile() const { return optionsPath; }

    TempDir dir;

private:
    struct Picture {
        int width;
        int height;
        Pixel pixel;
    };

    void DefaultPictures() {
        const Pixel grey = Solid(0x808080FFu);
        const Pixel white = Solid(0xFFFFFFFFu);
        SetPicture("PLogo.Tga", 8, 8, white);
        SetPicture("Cursor.Tga", 8, 8, white);
        SetPicture("GB.Tga", 800, 600, Solid(0x202060FFu));
        SetPicture("LCompl.Tga", 360, 170, Solid(kPanel));
        SetPicture("HintsBgrn.Tga", 480, 180, Solid(kPanel));
        SetPicture("GameOver.Tga", 400, 120, Solid(kGameOver));
        SetPicture("Interface/StatusBar.Tga", 800, 40, Solid(0x404040FFu));
        SetPicture("Interface/CheckBox.Tga", 24, 96, Solid(0xC0C0C0FFu));
        for (const char* button : {"PlayNext", "Ok", "Cancel"}) {
            SetPicture(std::string("Buttons/") + button + ".Tga", 128, 80, grey);
        }
        for (const char* button : {"MenuSml", "RestartSml"}) {
            SetPicture(std::string("Buttons/") + button + ".Tga", 28, 56, grey);
        }
        SetPicture("Buttons/Continue.Tga", 200, 80, grey);
        SetPicture("SmlWind.Tga", 400, 150, Solid(kPanel));
        SetPicture("Font.Tga", 512, 512, &FontPixel);
        SetPicture("Coal.Tga", 32, 32, Solid(0x603010FFu));
        SetPicture("SRed.Tga", 32, 32, Solid(kRedSemaphore));
        SetPicture("SGreen.Tga", 32, 32, Solid(0x00FF00FFu));
        for (const char* worker : {"Worker.Tga", "WorkerR.Tga"}) {
            SetPicture(worker, 32, 32, Solid(0x2020FFFFu));
        }
        for (const char* sheet : {"Up.Tga", "Right.Tga", "Down.Tga", "Left.Tga"}) {
            SetPicture(sheet, 640, 640, Solid(kEngine));
        }
        SetPicture("CoDSmoke2.Tga", 32, 32, white);
        for (int kind = 0; kind < RailCatalogue::kKindCount; ++kind) {
            const std::string name = RailCatalogue::NameOf(kind);
            SetPicture("Rails/" + name + ".Tga", 128, 128,
                       Solid(name == "IBlox" ? kSlidingBlock : kBlock));
        }
    }

    // Cell n of set 0 (code n + 32) is white and set 1's cells are yellow in
    // columns 0 .. advance - 1; the space stays empty in both sets.
    static uint32_t FontPixel(int x, int fileRow) {
        const int pictureRow = 511 - fileRow;  // the file stores the bottom row first
        const int cell = (pictureRow / 32) * 16 + x / 32;
        const int code = cell % 128 + 32;
        if (code == ' ' || code > 126 || (x % 32) >= Advance(static_cast<char>(code))) {
            return 0;
        }
        return cell < 128 ? kText : kLabel;
    }

    bool tiny;
    std::map<std::string, std::string> texts;
    std::map<std::string, Picture> pictures;
    SystemOptionsRecord savedOptions;
    const char* savedOptionsPath = nullptr;
    std::string savedArchivePath;
    std::string optionsPath;
};
