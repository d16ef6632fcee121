#pragma once

#include <string>

class OFont;
class ORenderWindow;
class OTexture;

// The drawing steps every control shares: its own 800 x 600 projection and
// one textured quad showing a horizontal band of a stacked-state picture.
class OControlPainter {
public:
    // Pushes both matrices and sets the virtual 2D projection (lighting and
    // depth test off).
    static void Begin2D();
    static void End2D();

    // Quad (x0, y0)-(x1, y1) showing the picture's t band t0..t1 (t = 0 is
    // the bottom of the picture as uploaded); mirrored runs s from 1 to 0.
    // Repeat wrapping, opaque white times alpha, blended.
    static void DrawBand(OTexture* texture, float x0, float y0, float x1, float y1, float t0,
                         float t1, bool mirrored = false, float alpha = 1.0f);

    // Replaces the texture in slot by a new one loaded from name (the old
    // one is deleted); true when the new one holds a picture. A missing file
    // throws OFileNotFound from the loader.
    static bool ReplacePicture(OTexture*& slot, const std::string& name, bool mipmaps = true);

    // Sets the colour of the next text the font draws; nothing without a font.
    static void SetFontColour(OFont* font, float r, float g, float b, float a);
};
