#include "app/SoftwareRendererCheck.h"

#include <cstring>

bool SoftwareRendererCheck::IsGenericSoftware(const char* vendor, const char* renderer) {
    (void)vendor;  // every known generic renderer names itself in the renderer string
    if (renderer == nullptr)
        return false;
    static const char* const kGenericRenderers[] = {"GDI Generic", "softpipe",
                                                    "Software Rasterizer"};
    for (const char* name : kGenericRenderers) {
        if (std::strstr(renderer, name) != nullptr)
            return true;
    }
    return false;
}
