#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/ImageFiles.h"

// A synthetic 512 x 512 RGBA font picture. Positions are given as the
// picture is seen (row 0 at the top); the TGA stores it bottom row first.
class FontPicture {
public:
    static constexpr int kSide = 512;

    FontPicture() : bgra(static_cast<size_t>(kSide) * kSide * 4, 0) {}

    // Inks one pixel of a cell (column and row within the cell) in white with
    // the given coverage (0: colour that must not count).
    void Ink(int cell, int column, int row, uint8_t alpha = 255) {
        uint8_t* pixel = Pixel(cell, column, row);
        pixel[0] = pixel[1] = pixel[2] = 255;
        pixel[3] = alpha;
    }
    // Fills a cell's first `columns` columns (all of it by default) with
    // opaque white.
    void Fill(int cell, int columns = 32) {
        for (int row = 0; row < 32; ++row) {
            for (int column = 0; column < columns; ++column)
                Ink(cell, column, row);
        }
    }

    std::string Tga() const { return ImageFiles::Tga(2, 32, kSide, kSide, bgra); }

private:
    uint8_t* Pixel(int cell, int column, int row) {
        const int x = (cell % 16) * 32 + column;
        const int pictureRow = (cell / 16) * 32 + row;
        const size_t fileRow = static_cast<size_t>(kSide - 1 - pictureRow);
        return &bgra[(fileRow * kSide + x) * 4];
    }

    std::vector<uint8_t> bgra;
};
