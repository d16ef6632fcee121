#include "assetgen/AssetCatalog.h"

#include "assetgen/ButtonArt.h"
#include "assetgen/EngineArt.h"
#include "assetgen/FontArt.h"
#include "assetgen/ItemArt.h"
#include "assetgen/LogoArt.h"
#include "assetgen/PanelArt.h"
#include "assetgen/RailArt.h"
#include "assetgen/ScreenArt.h"

std::vector<Asset> AssetCatalog::BuildAll() {
    std::vector<Asset> assets;
    RailArt::Add(assets);
    ItemArt::Add(assets);
    EngineArt::Add(assets);
    ScreenArt::Add(assets);
    PanelArt::Add(assets);
    LogoArt::Add(assets);
    ButtonArt::Add(assets);
    FontArt::Add(assets);
    return assets;
}
