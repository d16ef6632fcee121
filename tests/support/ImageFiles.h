#pragma once

#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// Builds small picture files in memory for the texture tests.
namespace ImageFiles {

// An uncompressed TGA: the 18-byte header followed by the pixel bytes as
// given (BGR/BGRA order, bottom row first as the file stores them).
inline std::string Tga(uint8_t type, uint8_t depth, int width, int height,
                       const std::vector<uint8_t>& pixels, uint8_t descriptor = 0) {
    std::string file(18, '\0');
    file[2] = static_cast<char>(type);
    file[12] = static_cast<char>(width & 0xFF);
    file[13] = static_cast<char>(width >> 8);
    file[14] = static_cast<char>(height & 0xFF);
    file[15] = static_cast<char>(height >> 8);
    file[16] = static_cast<char>(depth);
    file[17] = static_cast<char>(descriptor);
    file.append(pixels.begin(), pixels.end());
    return file;
}

// A TGA of the given size whose every pixel has the same bytes.
inline std::string FilledTga(uint8_t type, uint8_t depth, int width, int height,
                             const std::vector<uint8_t>& pixel) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), pixel.begin(), pixel.end());
    }
    return Tga(type, depth, width, height, pixels);
}

// A baseline JPEG encoded with libjpeg from rows given top row first;
// components 1 (greyscale), 3 (RGB) or 4 (CMYK).
inline std::string Jpeg(int width, int height, int components, const std::vector<uint8_t>& pixels,
                        int quality = 95) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution chroma keeps colours exact enough to compare.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = static_cast<size_t>(width) * components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(pixels.data()) + rowBytes * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string file(reinterpret_cast<char*>(output), outputSize);
    std::free(output);
    return file;
}

inline const uint8_t* Bytes(const std::string& file) {
    return reinterpret_cast<const uint8_t*>(file.data());
}

}  // namespace ImageFiles
