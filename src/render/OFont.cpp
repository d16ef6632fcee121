#include "render/OFont.h"

#include <algorithm>
#include <memory>
#include <vector>

OFont::OFont(std::string textureName) : textureName(std::move(textureName)) {
    std::fill(std::begin(advances), std::end(advances), kDefaultAdvance);
}

OFont::~OFont() {
    delete texture;
}

bool OFont::Build() {
    const bool hadTexture = texture != nullptr;
    // The new handle is taken before the old one goes, so a rebuild finds the
    // picture in the texture cache instead of reading it again.
    // Text is drawn at about its own size: no mipmaps. The first build keeps
    // the pixels until the glyphs are measured.
    auto loaded = std::make_unique<OTexture>("");
    loaded->Load(textureName, false, !hadTexture);
    delete texture;
    texture = loaded.release();
    if (!hadTexture && texture->GetImage() != nullptr) {
        OBaseImage& picture = *texture->GetImage();
        MeasureAdvances(picture);
        picture.keepPixels = false;
        if (picture.textureName != 0) {
            picture.ReleasePixels();
        }
    }
    return true;
}

bool OFont::MeasureAdvances(const OBaseImage& picture) {
    if (picture.bytesPerPixel != 4 || picture.width != kPictureSide ||
        picture.height != kPictureSide ||
        picture.pixels.size() < static_cast<size_t>(kPictureSide) * kPictureSide * 4) {
        return false;
    }
    for (int n = 0; n < kCellsPerSet; ++n) {
        const int cellLeft = (n % 16) * kCellSide;
        const int cellTop = (n / 16) * kCellSide;
        advances[n] = kEmptyCellAdvance;
        inked[n] = false;
        // Column 31 is left out: it is the gap to the next cell.
        for (int q = kCellSide - 2; q >= 0; --q) {
            if (ColumnHasInk(picture, cellLeft + q, cellTop)) {
                advances[n] = static_cast<float>(q + 1);
                inked[n] = true;
                break;
            }
        }
    }
    return true;
}

bool OFont::ColumnHasInk(const OBaseImage& picture, int column, int cellTop) {
    const size_t rowBytes = static_cast<size_t>(kPictureSide) * 4;
    for (int row = cellTop; row < cellTop + kCellSide; ++row) {
        // The picture's top row is the buffer's last.
        const size_t bufferRow = static_cast<size_t>(kPictureSide - 1 - row);
        if (picture.pixels[bufferRow * rowBytes + static_cast<size_t>(column) * 4 + 3] != 0) {
            return true;
        }
    }
    return false;
}

bool OFont::HasGlyph(int code) const {
    if (code < kFirstCode || code > kLastCode) {
        return false;
    }
    return code <= kLastPrintableAscii || inked[code - kFirstCode];
}

float OFont::GetAdvance(int code) const {
    return HasGlyph(code) ? advances[code - kFirstCode] : 0.0f;
}

uint16_t OFont::GetTextWidth(const std::string& text) const {
    uint16_t width = 0;
    for (unsigned char code : text) {
        width = static_cast<uint16_t>(width + static_cast<uint16_t>(GetAdvance(code)));
    }
    return width;
}

uint16_t OFont::GetFitCount(const std::string& text, uint16_t maxWidth) const {
    // The running sum is kept wide so a long text cannot wrap back under the
    // limit.
    uint32_t sum = 0;
    size_t count = 0;
    const size_t limit = std::min<size_t>(text.size(), UINT16_MAX);
    for (;;) {
        if (sum > maxWidth) {
            return static_cast<uint16_t>(count - 1);
        }
        if (count == limit) {
            return static_cast<uint16_t>(count);
        }
        sum += static_cast<uint32_t>(GetAdvance(static_cast<unsigned char>(text[count])));
        ++count;
    }
}

void OFont::DrawText(float x, float y, const std::string& text, bool shadow, float scale,
                     int glyphSet) {
    if (texture == nullptr || text.empty() || !OBaseImage::CanUseGL()) {
        return;
    }
    glyphSet = glyphSet == 1 ? 1 : 0;
    const auto* codes = reinterpret_cast<const unsigned char*>(text.data());
    size_t count = text.size();
    // Codes without a glyph would call lists outside the font's block.
    std::vector<unsigned char> drawable;
    auto drawn = [this](unsigned char code) { return HasGlyph(code); };
    if (!std::all_of(codes, codes + count, drawn)) {
        std::copy_if(codes, codes + count, std::back_inserter(drawable), drawn);
        codes = drawable.data();
        count = drawable.size();
    }

    texture->Bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (shadow) {
        glColor4f(0.0f, 0.0f, 0.0f, colour[3]);
        DrawRun(x + 1.0f, y - 1.0f, codes, count, scale, glyphSet);
    }
    glColor4fv(colour);
    DrawRun(x, y, codes, count, scale, glyphSet);
    glDisable(GL_BLEND);
}

void OFont::DrawRun(float x, float y, const unsigned char* codes, size_t count, float scale,
                    int glyphSet) {
    if (count == 0) {
        return;
    }
    // The whole run is one draw: a quad per glyph, each cell's advance to
    // the right of the last. A draw of its own for every glyph cost the
    // software renderer a copy of its whole pipeline state each time.
    runVertices.clear();
    const float cellFraction = 1.0f / 16.0f;
    const float side = static_cast<float>(kCellSide - 1);
    float pen = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const int cell = kCellsPerSet * glyphSet + (codes[i] - kFirstCode);
        const float s0 = static_cast<float>(cell % 16) / 16.0f;
        const float t1 = 1.0f - static_cast<float>(cell / 16) / 16.0f;
        const float t0 = t1 - cellFraction;
        const float s1 = s0 + cellFraction;
        const GlyphVertex corners[4] = {{s0, t0, pen, 0.0f},
                                        {s1, t0, pen + side, 0.0f},
                                        {s1, t1, pen + side, side},
                                        {s0, t1, pen, side}};
        runVertices.insert(runVertices.end(), std::begin(corners), std::end(corners));
        pen += advances[cell % kCellsPerSet];
    }
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, scale);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlyphVertex), &runVertices[0].s);
    glVertexPointer(2, GL_FLOAT, sizeof(GlyphVertex), &runVertices[0].x);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(runVertices.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
