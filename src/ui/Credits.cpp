#include "ui/Credits.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>

#include "app/OApplication.h"
#include "data/OResourceArchive.h"
#include "render/OFont.h"
#include "render/OTexture.h"
#include "ui/OControlPainter.h"
#include "ui/ScreenDecor.h"

bool Credits::Build() {
    MenuPageScreen::Build();
    OResourceArchive& archive = OResourceArchive::Instance();
    std::unique_ptr<uint8_t[]> buffer(archive.Open("Data/Credits.Kv"));
    if (buffer != nullptr) {
        const std::string text(reinterpret_cast<const char*>(buffer.get()), archive.lastSize);
        lines = CreditsText::Parse(text);
    }
    PlaceLines();
    return true;
}

void Credits::PlaceLines() {
    OFont* font = application != nullptr ? application->GetFont() : nullptr;
    for (size_t n = 0; n < lines.size(); ++n) {
        CreditLine& line = lines[n];
        const double width = font != nullptr ? font->GetTextWidth(line.text) : 0.0;
        line.x = (800.0 - width * line.scale) / 2.0;
        line.y = (static_cast<double>(n) - 2.0) * -kLineSpacing;
    }
}

void Credits::OnEnter() {
    MenuPageScreen::OnEnter();
    PlaceLines();
}

void Credits::Update(int ms) {
    ORenderWindow::Update(ms);
    for (CreditLine& line : lines) {
        line.y += ms * kRisePerMs;
    }
}

bool Credits::IsFinished() const {
    return lines.empty() || lines.back().y >= Ceiling();
}

double Credits::Ceiling() {
    const OTexture* logo = ScreenDecor::GetStartupLogo();
    if (logo == nullptr || logo->GetImage() == nullptr) {
        return 600.0;
    }
    // The logo's lower edge, as ScreenDecor places it.
    return 600.0 - logo->GetHeight() - 24.0 - kLineHeight;
}

float Credits::FadeAt(double y, double ceiling) {
    if (y >= ceiling) {
        return 0.0f;
    }
    double alpha = 1.0;
    if (y < 74.0) {
        alpha = y / 74.0;
    }
    if (y > ceiling - kFadeOut) {
        alpha = (ceiling - y) / kFadeOut;
    }
    alpha *= alpha;
    return static_cast<float>(std::clamp(alpha, 0.0, 1.0));
}

void Credits::Draw() {
    OFont* font = Font();
    DrawCleared();
    ScreenDecor::DrawStartupLogo();
    if (font != nullptr) {
        OControlPainter::Begin2D();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        const double ceiling = Ceiling();
        for (const CreditLine& line : lines) {
            const float alpha = FadeAt(line.y, ceiling);
            if (alpha <= 0.0f) {
                continue;
            }
            OControlPainter::SetFontColour(font, line.colour[0], line.colour[1], line.colour[2],
                                           alpha);
            font->DrawText(static_cast<float>(line.x), static_cast<float>(line.y), line.text, true,
                           line.scale, 0);
        }
        glDisable(GL_BLEND);
        OControlPainter::End2D();
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    ScreenDecor::DrawSmallLogo(logo);
    glDisable(GL_BLEND);
    // Every line has faded out at the top (or there is none): back to the menu.
    if (IsFinished() && application != nullptr) {
        application->SetScreen(201);
    }
}
