// Feeds arbitrary bytes to the TGA and JPEG decoders. The first byte picks the
// decoder so one corpus covers both; the rest is the file.
#include "render/OBaseImage.h"
#include "render/OTexture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool jpeg = (data[0] & 1) != 0;
    OBaseImage image;
    const bool decoded =
        OTexture::DecodeBytes(image, jpeg ? "Fuzz.Jpg" : "Fuzz.Tga", data + 1, size - 1);
    if (decoded) {
        // A decoded image must hold exactly the pixels its size says.
        const size_t expected =
            static_cast<size_t>(image.width) * image.height * image.bytesPerPixel;
        if (image.pixels.size() != expected || image.width <= 0 || image.height <= 0) {
            __builtin_trap();
        }
    }
    return 0;
}
