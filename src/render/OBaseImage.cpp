#include "render/OBaseImage.h"

#include <GL/glu.h>
#include <SDL.h>
#include <jpeglib.h>

#include <cmath>
#include <csetjmp>
#include <cstring>

bool OBaseImage::uploadsHeldBack = false;

namespace {

constexpr size_t kTgaHeaderSize = 18;
constexpr uint8_t kTgaTrueColour[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kTgaGreyscale[12] = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// libjpeg working memory beyond which a picture is refused.
constexpr long kJpegMemoryLimit = 256L * 1024 * 1024;
// A progressive file with more scans than this is damaged or hostile.
constexpr int kJpegMaxScans = 256;

int ReadLittleEndian16(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

// Error manager whose failures (and warnings about damaged data) jump back to
// the decoder instead of ending the process.
struct JpegErrorManager {
    jpeg_error_mgr base;
    jmp_buf returnPoint;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    longjmp(manager->returnPoint, 1);
}

void JpegMessage(j_common_ptr info, int level) {
    // Level -1 is a warning: corrupt or truncated data. Traces are ignored.
    if (level < 0) {
        JpegFail(info);
    }
}

void JpegProgress(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kJpegMaxScans) {
        JpegFail(info);
    }
}

// What the JPEG decoder hands back; lives outside the frame that calls setjmp
// so nothing in it is lost by the jump.
struct JpegResult {
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;
    int components = 0;
};

bool RunJpegDecode(jpeg_decompress_struct& info, JpegErrorManager& errors,
                   jpeg_progress_mgr& progress, const uint8_t* data, size_t size,
                   JpegResult& result) {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JpegFail;
    errors.base.emit_message = JpegMessage;
    if (setjmp(errors.returnPoint) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kJpegMemoryLimit;
    progress.progress_monitor = JpegProgress;
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 ||
        info.image_width > static_cast<JDIMENSION>(OBaseImage::kMaxSide) ||
        info.image_height > static_cast<JDIMENSION>(OBaseImage::kMaxSide)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != 1 && info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(info.output_width) * info.output_components;
    result.pixels.resize(rowBytes * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.pixels.data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    result.width = static_cast<int>(info.output_width);
    result.height = static_cast<int>(info.output_height);
    result.components = info.output_components;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool IsPowerOfTwo(int side) {
    return side > 0 && (side & (side - 1)) == 0;
}

}  // namespace

// Asked of the current context, which a display-mode switch replaces.
bool OBaseImage::SupportsAnySide() {
    static SDL_GLContext askedOf = nullptr;
    static bool answer = false;
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    if (context != askedOf) {
        askedOf = context;
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        answer = (version != nullptr && version[0] >= '2' && version[0] <= '9') ||
                 (extensions != nullptr &&
                  std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr);
    }
    return answer;
}

OBaseImage::~OBaseImage() {
    DeleteTexture();
}

bool OBaseImage::CanUseGL() {
    return !uploadsHeldBack && SDL_GL_GetCurrentContext() != nullptr;
}

void OBaseImage::SetUploadsHeldBack(bool heldBack) {
    uploadsHeldBack = heldBack;
}

void OBaseImage::Clear() {
    pixels.clear();
    width = height = components = bytesPerPixel = 0;
}

bool OBaseImage::DecodeTga(const uint8_t* data, size_t size) {
    Clear();
    if (data == nullptr || size < kTgaHeaderSize) {
        return false;
    }
    const bool trueColour = std::memcmp(data, kTgaTrueColour, sizeof kTgaTrueColour) == 0;
    const bool greyscale = std::memcmp(data, kTgaGreyscale, sizeof kTgaGreyscale) == 0;
    if (!trueColour && !greyscale) {
        return false;
    }
    const int depth = data[16];
    int requiredDepth = 8;
    if (greyscale) {
        pixelFormat = GL_LUMINANCE;
        components = 1;
    } else if (depth == 32) {
        pixelFormat = GL_RGBA;
        components = 4;
        requiredDepth = 32;
    } else {
        pixelFormat = GL_RGB;
        components = 3;
        requiredDepth = 24;
    }
    const int sideX = ReadLittleEndian16(data + 12);
    const int sideY = ReadLittleEndian16(data + 14);
    const size_t byteCount = static_cast<size_t>(sideX) * sideY * (depth / 8);
    if (depth != requiredDepth || sideX == 0 || sideY == 0 || sideX > kMaxSide ||
        sideY > kMaxSide || size - kTgaHeaderSize < byteCount) {
        Clear();
        return false;
    }
    bytesPerPixel = depth / 8;
    width = sideX;
    height = sideY;
    pixels.assign(data + kTgaHeaderSize, data + kTgaHeaderSize + byteCount);
    if (bytesPerPixel >= 3) {
        for (size_t i = 0; i < byteCount; i += bytesPerPixel) {
            std::swap(pixels[i], pixels[i + 2]);
        }
    }
    return true;
}

bool OBaseImage::DecodeJpeg(const uint8_t* data, size_t size) {
    Clear();
    if (data == nullptr || size == 0) {
        return false;
    }
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    jpeg_progress_mgr progress;
    JpegResult result;
    if (!RunJpegDecode(info, errors, progress, data, size, result)) {
        return false;
    }
    width = result.width;
    height = result.height;
    components = result.components;
    bytesPerPixel = result.components;
    pixelFormat = components == 1 ? GL_LUMINANCE : GL_RGB;
    pixels = std::move(result.pixels);
    return true;
}

void OBaseImage::DeleteTexture() {
    if (textureName != 0) {
        if (SDL_GL_GetCurrentContext() != nullptr) {
            glDeleteTextures(1, &textureName);
        }
        textureName = 0;
    }
}

void OBaseImage::Upload() {
    if (!CanUseGL() || pixels.empty()) {
        return;
    }
    DeleteTexture();
    glGenTextures(1, &textureName);
    glBindTexture(target, textureName);
    // Rows are packed tightly: greyscale and RGB pictures need not have
    // widths that are a multiple of four.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Without textures of any side the mipmap builder's scaling to powers of
    // two is the way to take a picture of any size.
    const bool shrunk = UploadShrunk();
    if (!shrunk && !PlainUploadFits(width, height)) {
        gluBuild2DMipmaps(target, StoredFormat(), width, height, pixelFormat, GL_UNSIGNED_BYTE,
                          pixels.data());
        glTexParameterf(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameterf(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    } else if (!shrunk) {
        UploadPlain(width, height, pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    // The driver holds its own copy now.
    if (!keepPixels) {
        ReleasePixels();
    }
}

// RGB pictures are stored as RGBA, opaque: a software renderer keeps both in
// four bytes a texel, and with one format for every colour picture it
// compiles and keeps fewer shader variants.
GLint OBaseImage::StoredFormat() const {
    return components == 3 ? GL_RGBA8 : components;
}

bool OBaseImage::PlainUploadFits(int side, int otherSide) const {
    return !mipmaps && ((IsPowerOfTwo(side) && IsPowerOfTwo(otherSide)) || SupportsAnySide());
}

void OBaseImage::UploadPlain(int storedWidth, int storedHeight, const uint8_t* data) {
    glTexImage2D(target, 0, StoredFormat(), storedWidth, storedHeight, 0, pixelFormat,
                 GL_UNSIGNED_BYTE, data);
    glTexParameterf(target, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(plainFilter));
    glTexParameterf(target, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(plainFilter));
}

// A picture drawn at a fixed share of its size needs only that one level:
// less memory than a mipmap chain built from the picture (under half of it
// for the engine sheets), and no blending between levels when drawn.
bool OBaseImage::UploadShrunk() {
    const int storedWidth = static_cast<int>(std::lround(width * storedScale));
    const int storedHeight = static_cast<int>(std::lround(height * storedScale));
    if (storedScale >= 1.0f || storedWidth < 1 || storedHeight < 1 ||
        !PlainUploadFits(storedWidth, storedHeight)) {
        return false;
    }
    std::vector<uint8_t> shrunk(static_cast<size_t>(storedWidth) * storedHeight * bytesPerPixel);
    // The scaler packs its output by the pack alignment: rows tight, as read.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLint scaled = gluScaleImage(pixelFormat, width, height, GL_UNSIGNED_BYTE, pixels.data(),
                                       storedWidth, storedHeight, GL_UNSIGNED_BYTE, shrunk.data());
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
    if (scaled != 0) {
        return false;
    }
    UploadPlain(storedWidth, storedHeight, shrunk.data());
    return true;
}

void OBaseImage::ReleasePixels() {
    std::vector<uint8_t>().swap(pixels);
}
