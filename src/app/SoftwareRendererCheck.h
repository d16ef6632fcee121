#pragma once

// Tells the slow generic software OpenGL implementations, which cannot run
// the game at a playable speed, from hardware drivers and from Mesa's fast
// llvmpipe rasterizer.
class SoftwareRendererCheck {
public:
    // True for Windows' "GDI Generic", Mesa's "softpipe" and Mesa's classic
    // "Software Rasterizer". Missing strings (no current context) say nothing
    // and give false.
    static bool IsGenericSoftware(const char* vendor, const char* renderer);
};
