#pragma once

#include "render/OTexture.h"

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

// The game's one bitmap font: a 512 x 512 RGBA picture cut into 16 x 16 cells
// of 32 x 32 pixels, one quad per cell. Cells 0..127 are glyph set 0
// (codes 32..159), cells 128..255 set 1, which shares set 0's advances.
// Printable ASCII (32..126) always has a glyph; the codes above it only when
// the picture has ink in their cell, so bytes the font cannot show (control
// codes, DEL, the empty upper cells, everything from 160) are neither drawn
// nor given room.
class OFont {
public:
    static constexpr int kCellCount = 256;
    static constexpr int kCellsPerSet = 128;
    static constexpr int kFirstCode = 32;
    static constexpr int kLastCode = kFirstCode + kCellsPerSet - 1;
    static constexpr int kLastPrintableAscii = 126;
    static constexpr int kPictureSide = 512;
    static constexpr int kCellSide = 32;
    static constexpr float kDefaultAdvance = 10.0f;
    static constexpr float kEmptyCellAdvance = 12.0f;

    explicit OFont(std::string textureName);
    ~OFont();
    OFont(const OFont&) = delete;
    OFont& operator=(const OFont&) = delete;

    // Loads the font picture (throws OFileNotFound when it is missing) and
    // measures the advances on the first call.
    bool Build();

    // Width at scale 1, each advance truncated to whole units. Codes without
    // a glyph have no width.
    uint16_t GetTextWidth(const std::string& text) const;
    // How many leading characters fit into maxWidth units.
    uint16_t GetFitCount(const std::string& text, uint16_t maxWidth) const;
    // Draws text with its first cell's lower-left corner at (x, y), in the
    // font colour, after a black copy one unit right and down when shadow is
    // set. Characters without a glyph are skipped.
    void DrawText(float x, float y, const std::string& text, bool shadow, float scale,
                  int glyphSet);

    // Advances from the alpha channel of the upper eight cell rows of a
    // 512 x 512 RGBA picture stored bottom row first. False (advances left
    // as they were) for a picture of any other shape.
    bool MeasureAdvances(const OBaseImage& picture);
    // Advance of a character code; 0 for codes without a glyph.
    float GetAdvance(int code) const;
    bool HasGlyph(int code) const;
    const OTexture* GetTexture() const { return texture; }

    // Colour of the next text drawn (red, green, blue, alpha).
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};

private:
    struct GlyphVertex {
        float s, t, x, y;
    };
    void DrawRun(float x, float y, const unsigned char* codes, size_t count, float scale,
                 int glyphSet);
    static bool ColumnHasInk(const OBaseImage& picture, int column, int cellTop);

    OTexture* texture = nullptr;
    std::string textureName;
    float advances[kCellCount];
    // Set 0's cells that hold ink, as measured by the first Build.
    bool inked[kCellsPerSet] = {};
    // The run being drawn, kept to spare an allocation a text.
    std::vector<GlyphVertex> runVertices;
};
