#include "app/PictureViewport.h"

#include <algorithm>

PictureViewport PictureViewport::Fit(int clientWidth, int clientHeight) {
    PictureViewport viewport;
    // No window yet (or a minimised one) gives an empty picture.
    viewport.clientWidth = std::max(clientWidth, 0);
    viewport.clientHeight = std::max(clientHeight, 0);
    const long wide = static_cast<long>(viewport.clientWidth) * kAspectHeight;
    const long tall = static_cast<long>(viewport.clientHeight) * kAspectWidth;
    if (wide > tall) {
        viewport.height = viewport.clientHeight;
        viewport.width = static_cast<int>(tall / kAspectHeight);
    } else {
        viewport.width = viewport.clientWidth;
        viewport.height = static_cast<int>(wide / kAspectWidth);
    }
    viewport.left = (viewport.clientWidth - viewport.width) / 2;
    viewport.top = (viewport.clientHeight - viewport.height) / 2;
    return viewport;
}
