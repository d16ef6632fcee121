#include "ui/OControlPainter.h"

#include <GL/gl.h>

#include "render/OFont.h"
#include "render/OTexture.h"

void OControlPainter::Begin2D() {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void OControlPainter::End2D() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void OControlPainter::DrawBand(OTexture* texture, float x0, float y0, float x1, float y1, float t0,
                               float t1, bool mirrored, float alpha) {
    if (texture == nullptr || texture->GetImage() == nullptr) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    texture->Bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    const float s0 = mirrored ? 1.0f : 0.0f;
    const float s1 = mirrored ? 0.0f : 1.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void OControlPainter::SetFontColour(OFont* font, float r, float g, float b, float a) {
    if (font == nullptr) {
        return;
    }
    font->colour[0] = r;
    font->colour[1] = g;
    font->colour[2] = b;
    font->colour[3] = a;
}

bool OControlPainter::ReplacePicture(OTexture*& slot, const std::string& name, bool mipmaps) {
    auto* replacement = new OTexture();
    try {
        replacement->Load(name, mipmaps);
    } catch (...) {
        delete replacement;
        throw;
    }
    delete slot;
    slot = replacement;
    return slot->GetImage() != nullptr;
}
