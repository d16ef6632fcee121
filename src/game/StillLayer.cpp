#include "game/StillLayer.h"

#include <cstring>

#include "render/OBaseImage.h"
#include "render/OTexture.h"

namespace {

constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;

int PowerOfTwoAtLeast(int side) {
    int power = 1;
    while (power < side) {
        power *= 2;
    }
    return power;
}

}  // namespace

void StillLayer::Signature::Add(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    words.push_back(bits);
}

void StillLayer::Signature::Add(const void* pointer) {
    words.push_back(static_cast<int64_t>(reinterpret_cast<uintptr_t>(pointer)));
}

void StillLayer::Signature::Add(const std::string& text) {
    words.push_back(static_cast<int64_t>(text.size()));
    for (unsigned char c : text) {
        words.push_back(c);
    }
}

StillLayer::~StillLayer() {
    // A texture of a context that is gone went with it.
    if (texture != 0 && generation == OTexture::ContextGeneration() && OBaseImage::CanUseGL()) {
        glDeleteTextures(1, &texture);
    }
}

bool StillLayer::Valid() const {
    return texture != 0 && generation == OTexture::ContextGeneration();
}

bool StillLayer::Holds(const Signature& signature, int x, int y, int width, int height) const {
    return Valid() && x == viewportX && y == viewportY && width == viewportWidth &&
           height == viewportHeight && signature == captured;
}

bool StillLayer::Capture(const Signature& signature, int x, int y, int width, int height) {
    if (!OBaseImage::CanUseGL() || width <= 0 || height <= 0) {
        return false;
    }
    if (!Valid()) {
        texture = 0;  // made in a context that is gone
        textureWidth = textureHeight = 0;
    }
    const bool anySide = OBaseImage::SupportsAnySide();
    const int wantWidth = anySide ? width : PowerOfTwoAtLeast(width);
    const int wantHeight = anySide ? height : PowerOfTwoAtLeast(height);
    if (texture == 0) {
        glGenTextures(1, &texture);
        generation = OTexture::ContextGeneration();
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    if (wantWidth != textureWidth || wantHeight != textureHeight) {
        // Blue-green-red-alpha bytes, as the window's own buffers keep them:
        // a renderer can then show the layer by copying rows.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, wantWidth, wantHeight, 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
        // Shown pixel for pixel: no filtering, no mipmaps.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        textureWidth = wantWidth;
        textureHeight = wantHeight;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, y, width, height);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
        textureWidth = textureHeight = 0;
        return false;
    }
    viewportX = x;
    viewportY = y;
    viewportWidth = width;
    viewportHeight = height;
    captured = signature;
    return true;
}

void StillLayer::Draw(float x0, float y0, float x1, float y1) const {
    if (!Valid()) {
        return;
    }
    // A virtual point (vx, vy) lies at viewport pixel (vx * w / 800,
    // vy * h / 600): so the centre of every pixel the quad covers samples
    // the texel captured from that pixel.
    const float sx = static_cast<float>(viewportWidth) / kVirtualWidth / textureWidth;
    const float sy = static_cast<float>(viewportHeight) / kVirtualHeight / textureHeight;
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // The texel as it is (the same as modulating by opaque white): a plain
    // copy, which llvmpipe does without running a shader.
    GLint mode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(x0 * sx, y0 * sy);
    glVertex2f(x0, y0);
    glTexCoord2f(x1 * sx, y0 * sy);
    glVertex2f(x1, y0);
    glTexCoord2f(x1 * sx, y1 * sy);
    glVertex2f(x1, y1);
    glTexCoord2f(x0 * sx, y1 * sy);
    glVertex2f(x0, y1);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
}
