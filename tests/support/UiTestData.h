#pragma once

#include <string>

#include "support/TestArchive.h"
#include "support/TgaBytes.h"

// A small archive with the pictures the interface controls load, installed
// as the game's archive for the life of the object. Font.Tga holds glyphs
// whose advance is (code % 8) + 8 units, so text widths are predictable.
class UiTestData {
public:
    UiTestData() {
        archive.AddTexture("PLogo.Tga", MakeTga32(8, 8));
        archive.AddTexture("Cursor.Tga", MakeTga32(64, 64));
        archive.AddTexture("Buttons/Ok.Tga", MakeTga32(128, 80));
        archive.AddTexture("Interface/Button.Tga", MakeTga32(160, 56));
        archive.AddTexture("Interface/CheckBox.Tga", MakeTga32(24, 96));
        archive.AddTexture("Interface/HArrow.Tga", MakeTga32(24, 56));
        archive.AddTexture("Interface/Slider.Tga", MakeTga32(160, 40));
        archive.AddTexture("Interface/Thumb.Tga", MakeTga32(16, 56));
        archive.AddTexture("Font.Tga", MakeTga32(512, 512, &FontPixel));
        archive.Open();
    }

    // Advance of a printable character in the test font.
    static int Advance(char c) {
        return c == ' ' ? 12 : (static_cast<unsigned char>(c) % 8) + 8;  // an empty cell is 12
    }

private:
    // Cell n of set 0 (code n + 32) is opaque in columns 0 .. advance - 1.
    static uint32_t FontPixel(int x, int fileRow) {
        const int pictureRow = 511 - fileRow;  // the file stores the bottom row first
        const int cell = (pictureRow / 32) * 16 + x / 32;
        if (cell >= 128 || cell == 0) {
            return 0;  // set 1 and the space stay empty
        }
        const int advance = Advance(static_cast<char>(cell + 32));
        return (x % 32) < advance ? 0xFFFFFFFFu : 0u;
    }

    TestArchive archive;
};
