// Feeds arbitrary bytes to the texture loader as a TGA picture (JPEG has its
// own target): it is either refused or holds exactly the pixels its size says.
#include "render/OBaseImage.h"
#include "render/OTexture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OBaseImage image;
    if (OTexture::DecodeBytes(image, "Fuzz.Tga", data, size)) {
        const size_t expected =
            static_cast<size_t>(image.width) * image.height * image.bytesPerPixel;
        if (image.pixels.size() != expected || image.width <= 0 || image.height <= 0) {
            __builtin_trap();
        }
    }
    return 0;
}
