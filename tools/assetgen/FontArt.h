#pragma once

#include <array>
#include <string>
#include <vector>

#include "assetgen/Asset.h"

// The game's one bitmap font, Font.Tga: 512 x 512, 16 x 16 cells of 32.
// Cells 0..127 (upper half) are glyph set 0, DejaVu Sans Bold for codes
// 32..126. Cells 128..255 are set 1: brass-and-cream styled glyphs, and in
// the cells of capital letters the pieces of the label plates SCORE (A..E),
// FUEL (F..I), POINTS (J..N), LEVEL (O, P, Z) and TRACK BONUS (Q..S, space,
// T..Y). Set 1 is drawn with set 0's advance widths, so each plate spans the
// summed advances of its letters and is cut at those widths.
class FontArt {
public:
    static constexpr int kSize = 512;
    static constexpr int kCell = 32;
    static constexpr int kBaseline = 24;  // rows from the cell's top

    // A label plate and the letters whose cells carry it, in drawing order.
    // A space among them keeps its set-1 cell empty (the status bar prints
    // set-1 spaces between labels and numbers): the letter before it carries
    // the plate across the space's width instead.
    struct LabelPlate {
        std::string word;
        std::string letters;
    };

    static RgbaImage Build();
    static const std::vector<LabelPlate>& Plates();

    // The advance widths exactly as the game measures them from the alpha of
    // the upper half: rightmost column 0..30 with non-zero alpha, plus one;
    // 12 for an empty cell.
    static std::array<float, 128> MeasureAdvances(const RgbaImage& font);
    // Empty when every plate joins without a gap when drawn at the measured
    // widths (at the cell's true size and at the 31/32 size of the game's
    // glyph quads); otherwise what is wrong.
    static std::string CheckLabels(const RgbaImage& font);

    static void Add(std::vector<Asset>& out);
};
