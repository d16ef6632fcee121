#include "assetgen/AssetWriter.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "assetgen/Canvas.h"
#include "assetgen/JpegWriter.h"
#include "assetgen/TgaWriter.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace

std::vector<uint8_t> AssetWriter::Encode(const Asset& asset) {
    if (asset.IsJpeg()) {
        return JpegWriter::Encode(asset.image, 90);
    }
    return TgaWriter::Encode(asset.image);
}

void AssetWriter::WriteAll(const std::vector<Asset>& assets, const std::string& stagingDir) {
    const std::filesystem::path root = std::filesystem::path(stagingDir) / "Data" / "Textures";
    for (const Asset& asset : assets) {
        WriteFile(root / asset.name, Encode(asset));
    }
}

void AssetWriter::WritePng(const RgbaImage& image, const std::string& path) {
    Canvas canvas(image.Width(), image.Height());
    Canvas::DrawImage(canvas.Context(), image, 0, 0);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (cairo_surface_write_to_png(canvas.Surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path);
    }
}

void AssetWriter::WritePngs(const std::vector<Asset>& assets, const std::string& dir) {
    for (const Asset& asset : assets) {
        std::string name = asset.name;
        name = name.substr(0, name.rfind('.')) + ".png";
        WritePng(asset.image, (std::filesystem::path(dir) / name).string());
    }
}
