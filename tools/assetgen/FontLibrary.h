#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cairo.h>

#include <map>
#include <string>

// The DejaVu faces the pictures are lettered with, loaded once through
// FreeType and handed to cairo. Lives for the whole program.
class FontLibrary {
public:
    static constexpr const char* kSansBold = "DejaVuSans-Bold.ttf";
    static constexpr const char* kSans = "DejaVuSans.ttf";
    static constexpr const char* kSerifBold = "DejaVuSerif-Bold.ttf";
    static constexpr const char* kSerifCondensedBold = "DejaVuSerifCondensed-Bold.ttf";

    static FontLibrary& Instance();

    FT_Face Face(const std::string& file);
    cairo_font_face_t* CairoFace(const std::string& file);
    static std::string Directory();

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

private:
    FontLibrary();
    ~FontLibrary();

    FT_Library library_ = nullptr;
    std::map<std::string, FT_Face> faces_;
    std::map<std::string, cairo_font_face_t*> cairoFaces_;
};
