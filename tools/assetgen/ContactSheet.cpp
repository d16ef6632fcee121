#include "assetgen/ContactSheet.h"

#include <algorithm>

#include "assetgen/Canvas.h"
#include "assetgen/FontLibrary.h"
#include "assetgen/PaintKit.h"

namespace {

constexpr int kColumns = 6;
constexpr int kCellW = 330;
constexpr int kCellH = 290;
constexpr int kPictureBox = 250;

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
    for (int cy = 0; cy * 10 < h; ++cy) {
        for (int cx = 0; cx * 10 < w; ++cx) {
            const double shade = ((cx + cy) & 1) ? 0.62 : 0.78;
            cairo_set_source_rgb(cr, shade, shade, shade);
            cairo_rectangle(cr, x + cx * 10, y + cy * 10, std::min(10.0, w - cx * 10),
                            std::min(10.0, h - cy * 10));
            cairo_fill(cr);
        }
    }
}

}  // namespace

RgbaImage ContactSheet::Compose(const std::vector<Asset>& assets) {
    const int rows = static_cast<int>((assets.size() + kColumns - 1) / kColumns);
    Canvas canvas(kColumns * kCellW, rows * kCellH);
    cairo_t* cr = canvas.Context();
    cairo_set_source_rgb(cr, 0.16, 0.17, 0.18);
    cairo_paint(cr);
    for (size_t i = 0; i < assets.size(); ++i) {
        const RgbaImage& image = assets[i].image;
        const double cellX = static_cast<double>(i % kColumns) * kCellW;
        const double cellY = static_cast<double>(i / kColumns) * kCellH;
        // Large pictures shrink into the cell; small ones are enlarged up to
        // three times so that their detail can be judged.
        const double scale =
            std::min(3.0, std::min(static_cast<double>(kPictureBox) / image.Width(),
                                   static_cast<double>(kPictureBox) / image.Height()));
        const double w = image.Width() * scale, h = image.Height() * scale;
        const double x = cellX + (kCellW - w) / 2;
        const double y = cellY + 8 + (kPictureBox - h) / 2;
        Checkerboard(cr, x, y, w, h);
        Canvas picture(image.Width(), image.Height());
        Canvas::DrawImage(picture.Context(), image, 0, 0);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, picture.Surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        PaintKit::SetFont(cr, FontLibrary::kSans, 12);
        const std::string label = assets[i].name + "  " + std::to_string(image.Width()) + "x" +
                                  std::to_string(image.Height()) +
                                  (image.HasAlpha() ? " RGBA" : " RGB");
        PaintKit::Lettering(cr, label, cellX + kCellW / 2.0, cellY + kPictureBox + 28,
                            Colour(1, 1, 1), Colour(0.85, 0.85, 0.85), Colour(0, 0, 0), 0, 0);
    }
    return canvas.ToImage(false);
}
