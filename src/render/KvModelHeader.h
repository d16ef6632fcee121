#pragma once

#include <cstdint>
#include <string>

// The first 64 bytes of a model file as read.
struct KvModelHeader {
    bool magicMatches = false;
    uint32_t positionCount = 0;
    uint32_t texCoordCount = 0;
    uint32_t triangleCount = 0;
    std::string baseTexture;
    std::string detailTexture;
};
