#pragma once

#include "render/RCObject.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// One decoded picture and its OpenGL texture. The pixels stay in memory for
// the image's whole life, so the texture can be rebuilt after the context is
// re-created without reading or decoding the file again.
class OBaseImage : public RCObject {
public:
    // Larger sides are refused: no texture of the game comes near, and a
    // damaged header must not make us allocate gigabytes.
    static constexpr int kMaxSide = 8192;

    OBaseImage() = default;
    ~OBaseImage() override;

    // Builds the texture object from the kept pixels when a GL context is
    // current; otherwise leaves the texture name 0 for a later upload.
    virtual void Upload();

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
    // Tests hold uploads back to act as if no context were current.
    static void SetUploadsHeldBack(bool heldBack);

    bool mipmaps = true;
    GLenum pixelFormat = GL_RGB;
    GLenum target = GL_TEXTURE_2D;
    GLuint textureName = 0;
    bool keepPixels = true;
    int32_t components = 0;
    int32_t bytesPerPixel = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

private:
    void Clear();
    static bool uploadsHeldBack;
};
