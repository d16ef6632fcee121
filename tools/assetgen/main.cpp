// assetgen STAGING_DIR [CONTACT_SHEET.png [PNG_DIR]]
// Draws every picture of the game and writes it below STAGING_DIR/Data/Textures.
// assetgen --icons DIR NAME
// Draws the desktop icons as DIR/<n>x<n>/apps/NAME.png.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>

#include "assetgen/AssetCatalog.h"
#include "assetgen/AssetWriter.h"
#include "assetgen/ContactSheet.h"
#include "assetgen/DesktopIcons.h"
#include "assetgen/FontArt.h"
#include "assetgen/ScreenPreview.h"

int main(int argc, char** argv) {
    if (argc < 2 || (std::strcmp(argv[1], "--icons") == 0 && argc != 4)) {
        std::fprintf(stderr,
                     "usage: assetgen STAGING_DIR [CONTACT_SHEET.png [PNG_DIR]]\n"
                     "       assetgen --icons DIR NAME\n");
        return 2;
    }
    try {
        if (std::strcmp(argv[1], "--icons") == 0) {
            DesktopIcons::WriteAll(argv[2], argv[3]);
            return 0;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::vector<Asset> assets = AssetCatalog::BuildAll();
        for (const Asset& asset : assets) {
            if (asset.name == "Font.Tga") {
                const std::string problem = FontArt::CheckLabels(asset.image);
                if (!problem.empty()) {
                    std::fprintf(stderr, "assetgen: font check failed: %s\n", problem.c_str());
                    return 1;
                }
            }
        }
        AssetWriter::WriteAll(assets, argv[1]);
        if (argc >= 3) {
            // The review sheet: every picture, then mock-ups of the screens.
            std::vector<Asset> review = assets;
            for (Asset& preview : ScreenPreview::Compose(assets)) {
                review.push_back(std::move(preview));
            }
            AssetWriter::WritePng(ContactSheet::Compose(review), argv[2]);
            if (argc >= 4) {
                AssetWriter::WritePngs(review, argv[3]);
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("assetgen: %zu pictures in %.2f s\n", assets.size(), seconds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
