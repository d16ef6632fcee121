#pragma once

#include "render/RCObject.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// One decoded picture and its OpenGL texture. Once the texture is built the
// pixels are let go, unless the image is asked to keep them (a user that
// reads them, such as the font measuring its glyphs); a texture rebuilt on a
// new context is then read from its file again.
class OBaseImage : public RCObject {
public:
    // Larger sides are refused: no texture of the game comes near, and a
    // damaged header must not make us allocate gigabytes.
    static constexpr int kMaxSide = 8192;

    OBaseImage() = default;
    ~OBaseImage() override;

    // Builds the texture object from the pixels when a GL context is
    // current, then lets the pixels go unless keepPixels; without a context
    // the pixels stay and the texture name 0 for a later upload.
    virtual void Upload();
    bool HasPixels() const { return !pixels.empty(); }
    // Frees the pixel buffer; the size and format stay.
    void ReleasePixels();

    // Uncompressed true-colour (24/32 bit) or greyscale (8 bit) TGA. False
    // for any other kind of file, or one whose pixel data is cut short.
    bool DecodeTga(const uint8_t* data, size_t size);
    // Baseline or progressive JPEG with 1 or 3 components. False for decode
    // errors, warnings about damaged data, and other component counts.
    bool DecodeJpeg(const uint8_t* data, size_t size);

    // Deletes the texture object (when there is one); the pixels stay.
    void DeleteTexture();

    // True when a GL context is current on this thread and uploads are not
    // held back.
    static bool CanUseGL();
    // Whether the current context takes textures of any side (OpenGL 2.0 or
    // the ARB extension); without, sides must be powers of two.
    static bool SupportsAnySide();
    // Tests hold uploads back to act as if no context were current.
    static void SetUploadsHeldBack(bool heldBack);

    bool mipmaps = true;
    GLenum pixelFormat = GL_RGB;
    GLenum target = GL_TEXTURE_2D;
    GLuint textureName = 0;
    bool keepPixels = false;
    // Let go while not shown: neither pixels nor texture until drawn again.
    bool parked = false;
    // Magnification and minification filter of a texture built without
    // mipmaps: smooth by default, GL_NEAREST for pictures shown pixel for
    // pixel.
    GLenum plainFilter = GL_LINEAR;
    // Below 1: the picture is always drawn at this share of its own size, so
    // its texture is stored at that size (box-filtered once) and drawn
    // without mipmaps. Width and height stay the picture's own.
    float storedScale = 1.0f;
    int32_t components = 0;
    int32_t bytesPerPixel = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

private:
    void Clear();
    // The internal format the texture is built with.
    GLint StoredFormat() const;
    // Whether a texture of that size can be built without mipmaps.
    bool PlainUploadFits(int side, int otherSide) const;
    void UploadPlain(int storedWidth, int storedHeight, const uint8_t* data);
    // Builds the texture at storedScale of the picture; false when it is not
    // to be stored shrunk or the context cannot take the shrunk size.
    bool UploadShrunk();
    static bool uploadsHeldBack;
};
