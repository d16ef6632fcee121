#include "ui/ScreenDecor.h"

#include <GL/gl.h>

#include "render/OTexture.h"
#include "ui/OControlPainter.h"

OTexture* ScreenDecor::startupLogo = nullptr;

void ScreenDecor::DrawStartupLogo() {
    if (startupLogo == nullptr || startupLogo->GetImage() == nullptr) {
        return;
    }
    const float w = static_cast<float>(startupLogo->GetWidth());
    const float h = static_cast<float>(startupLogo->GetHeight());
    const float left = 400.0f - w / 2.0f;
    const float bottom = 600.0f - h - 24.0f;
    OControlPainter::Begin2D();
    OControlPainter::DrawBand(startupLogo, left, bottom, left + w, bottom + h, 0.0f, 1.0f);
    OControlPainter::End2D();
}

void ScreenDecor::DrawSmallLogo(OTexture* logo) {
    if (logo == nullptr || logo->GetImage() == nullptr) {
        return;
    }
    const float w = static_cast<float>(logo->GetWidth());
    const float h = static_cast<float>(logo->GetHeight());
    const float left = 135.0f - w / 2.0f;
    const float bottom = 5.0f;
    OControlPainter::Begin2D();
    OControlPainter::DrawBand(logo, left + 1.0f, bottom + 1.0f, left + 0.65f * w,
                              bottom + 0.65f * h, 0.0f, 1.0f);
    OControlPainter::End2D();
}
