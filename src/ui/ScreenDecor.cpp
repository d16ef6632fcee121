#include "ui/ScreenDecor.h"

#include <GL/gl.h>

#include "render/OFont.h"
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

void ScreenDecor::DrawVeil(float alpha) {
    OControlPainter::Begin2D();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(800, 0);
    glVertex2i(800, 600);
    glVertex2i(0, 600);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    OControlPainter::End2D();
}

void ScreenDecor::DrawQuestion(OTexture* panel, float left, float bottom, OFont* font,
                               const char* text) {
    OControlPainter::Begin2D();
    OControlPainter::DrawBand(panel, left, bottom, 600.0f, 400.0f, 0.0f, 1.0f);
    if (font != nullptr) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        const float width = font->GetTextWidth(text) * 0.75f;
        font->DrawText(400.0f - width / 2.0f, 325.0f, text, true, 0.75f, 0);
        glDisable(GL_BLEND);
    }
    OControlPainter::End2D();
}
