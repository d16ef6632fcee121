#include "render/OFont.h"

#include <algorithm>
#include <memory>
#include <vector>

OFont::OFont(std::string textureName) : textureName(std::move(textureName)) {
    std::fill(std::begin(advances), std::end(advances), kDefaultAdvance);
}

OFont::~OFont() {
    delete texture;
    DeleteLists();
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
    if (OBaseImage::CanUseGL()) {
        CompileLists();
    }
    return true;
}

void OFont::CompileLists() {
    DeleteLists();
    listBase = glGenLists(kCellCount);
    const float cellFraction = 1.0f / 16.0f;
    for (int n = 0; n < kCellCount; ++n) {
        const float cx = static_cast<float>(n % 16) / 16.0f;
        const float cy = static_cast<float>(n / 16) / 16.0f;
        glNewList(listBase + n, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(cx, 1.0f - cy - cellFraction);
        glVertex2i(0, 0);
        glTexCoord2f(cx + cellFraction, 1.0f - cy - cellFraction);
        glVertex2i(kCellSide - 1, 0);
        glTexCoord2f(cx + cellFraction, 1.0f - cy);
        glVertex2i(kCellSide - 1, kCellSide - 1);
        glTexCoord2f(cx, 1.0f - cy);
        glVertex2i(0, kCellSide - 1);
        glEnd();
        glTranslatef(advances[n % kCellsPerSet], 0.0f, 0.0f);
        glEndList();
    }
}

void OFont::DeleteLists() {
    if (listBase != 0 && OBaseImage::CanUseGL()) {
        glDeleteLists(listBase, kCellCount);
    }
    listBase = 0;
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
    if (listBase == 0 || text.empty() || !OBaseImage::CanUseGL()) {
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
                    int glyphSet) const {
    if (count == 0) {
        return;
    }
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glPushMatrix();
    glScalef(scale, scale, scale);
    // Code c calls list base + 128 * set + (c - 32); GL adds unsigned.
    glListBase(listBase + kCellsPerSet * glyphSet - kFirstCode);
    glCallLists(static_cast<GLsizei>(count), GL_UNSIGNED_BYTE, codes);
    glPopMatrix();
    glPopMatrix();
}
