#include "assetgen/FontLibrary.h"

#include <cairo-ft.h>

#include <cstdlib>
#include <stdexcept>

#ifndef CARROWMOOR_FONT_DIR
#define CARROWMOOR_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

FontLibrary& FontLibrary::Instance() {
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() {
    if (FT_Init_FreeType(&library_) != 0) {
        throw std::runtime_error("FreeType could not be initialised");
    }
}

FontLibrary::~FontLibrary() {
    for (auto& entry : cairoFaces_) {
        cairo_font_face_destroy(entry.second);
    }
    for (auto& entry : faces_) {
        FT_Done_Face(entry.second);
    }
    FT_Done_FreeType(library_);
}

std::string FontLibrary::Directory() {
    const char* overridden = std::getenv("CARROWMOOR_FONT_DIR");
    return overridden != nullptr ? overridden : CARROWMOOR_FONT_DIR;
}

FT_Face FontLibrary::Face(const std::string& file) {
    auto found = faces_.find(file);
    if (found != faces_.end()) {
        return found->second;
    }
    FT_Face face = nullptr;
    const std::string path = Directory() + "/" + file;
    if (FT_New_Face(library_, path.c_str(), 0, &face) != 0) {
        throw std::runtime_error("font not found: " + path);
    }
    faces_[file] = face;
    return face;
}

cairo_font_face_t* FontLibrary::CairoFace(const std::string& file) {
    auto found = cairoFaces_.find(file);
    if (found != cairoFaces_.end()) {
        return found->second;
    }
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(Face(file), 0);
    cairoFaces_[file] = face;
    return face;
}
