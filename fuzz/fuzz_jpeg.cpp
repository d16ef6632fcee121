// Feeds arbitrary bytes to the texture loader as a JPEG picture: decoded
// through libjpeg behind our error manager, it is either refused or holds
// exactly the pixels its size says.
#include <cstddef>
#include <cstdint>

#include "render/OBaseImage.h"
#include "render/OTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OBaseImage image;
    if (!OTexture::DecodeBytes(image, "Interface/Fuzz.Jpg", data, size)) {
        return 0;
    }
    const size_t expected = static_cast<size_t>(image.width) * image.height * image.bytesPerPixel;
    if (image.width <= 0 || image.height <= 0 || image.width > OBaseImage::kMaxSide ||
        image.height > OBaseImage::kMaxSide || image.pixels.size() != expected ||
        (image.components != 1 && image.components != 3)) {
        __builtin_trap();
    }
    return 0;
}
