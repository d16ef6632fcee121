#include "assetgen/DesktopIcons.h"

#include <filesystem>

#include "assetgen/AssetWriter.h"
#include "assetgen/LogoArt.h"

void DesktopIcons::WriteAll(const std::string& dir, const std::string& name) {
    for (int size : kSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path file =
            std::filesystem::path(dir) / folder / "apps" / (name + ".png");
        AssetWriter::WritePng(LogoArt::Icon(size), file.string());
    }
}
