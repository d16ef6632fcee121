#pragma once

#include <cairo.h>

#include <string>

#include "assetgen/Colour.h"

// Drawing helpers shared by every picture family: plates, lettering,
// meadow grass, bevels, bolts and shadows.
class PaintKit {
public:
    static void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

    // An interface plate: soft drop shadow, brass rim, dark teal body with a
    // gentle top light. "lit" draws the brighter hovered/pressed variant.
    static void Plate(cairo_t* cr, double x, double y, double w, double h, double r, bool lit,
                      double rim = 3.0);
    static void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r,
                           double spread, double alpha);

    // Lettering: text centred on cx with its baseline at y.
    static void SetFont(cairo_t* cr, const std::string& face, double size);
    static double TextWidth(cairo_t* cr, const std::string& text);
    static double FitSize(cairo_t* cr, const std::string& face, const std::string& text,
                          double maxWidth, double maxSize);
    static void Lettering(cairo_t* cr, const std::string& text, double cx, double baseline,
                          const Colour& top, const Colour& bottom, const Colour& outline,
                          double outlineWidth, double shadow);

    // Painted meadow filling the rectangle; the seed picks the strokes.
    static void Meadow(cairo_t* cr, double x, double y, double w, double h, unsigned seed,
                       double brightness);
    static void Bevel(cairo_t* cr, double w, double h, double size);
    static void Bolt(cairo_t* cr, double x, double y, double r);
    static void Vignette(cairo_t* cr, double w, double h, double strength);
};
