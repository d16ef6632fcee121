// modeltool cube|sphere|plane OUT [BASE_TEXTURE [DETAIL_TEXTURE]]
// Writes a model file: a cube of side 2, a sphere of radius 1 (50 rings, 100
// segments: 9,800 triangles) or a plane of side 2 in 8 x 8 cells, centred on
// the origin. Texture names are relative to "Data/Textures/".
#include "render/KvModelWriter.h"

#include <cstdio>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: modeltool cube|sphere|plane OUT [BASE_TEXTURE [DETAIL_TEXTURE]]\n");
    return 2;
}

bool Generate(const std::string& shape, KvModelWriter& writer) {
    if (shape == "cube") {
        writer = KvModelWriter::Cube(1.0f);
    } else if (shape == "sphere") {
        writer = KvModelWriter::Sphere(1.0f, 50, 100);
    } else if (shape == "plane") {
        writer = KvModelWriter::Plane(2.0f, 8);
    } else {
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        return Usage();
    }
    KvModelWriter writer;
    if (!Generate(argv[1], writer)) {
        return Usage();
    }
    const std::string base = argc > 3 ? argv[3] : "";
    const std::string detail = argc > 4 ? argv[4] : "";
    if (base.size() > 15 || detail.size() > 15) {
        std::fprintf(stderr, "modeltool: texture names hold at most 15 characters\n");
        return 2;
    }
    writer.SetTextures(base, detail);
    std::string error;
    if (!writer.Write(argv[2], error)) {
        std::fprintf(stderr, "modeltool: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu positions, %zu texture coordinates, %zu triangles\n", argv[2],
                writer.PositionCount(), writer.TexCoordCount(), writer.TriangleCount());
    return 0;
}
