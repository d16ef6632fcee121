#include "ui/Help.h"

#include <GL/gl.h>

#include "render/OFont.h"
#include "ui/OControlPainter.h"
#include "ui/ScreenDecor.h"

namespace {

struct HelpLine {
    const char* text;
    bool heading;
    int y;
};

constexpr HelpLine kLines[] = {
    {"Game Rules", true, 420},
    {"You should build track by moving and turning puzzle blocks,", false, 384},
    {"pick up all the workers, and arrive at the final station at", false, 364},
    {"new railroad. You should take on fuel by picking up coal", false, 344},
    {"on the track. The train stops at traffic lights for", false, 324},
    {"several seconds.", false, 304},
    {"Controls", true, 268},
    {"Left mouse click - move a block.", false, 240},
    {"Right mouse click - turn a block.", false, 220},
};

}  // namespace

void Help::Draw() {
    OFont* font = Font();
    DrawCleared();
    if (page == 1 && font != nullptr) {
        OControlPainter::Begin2D();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (const HelpLine& line : kLines) {
            OControlPainter::SetFontColour(font, 1.0f, 1.0f, line.heading ? 0.0f : 1.0f, 1.0f);
            font->DrawText(10.0f, static_cast<float>(line.y), line.text, true, 0.75f, 0);
        }
        OControlPainter::End2D();
    }
    ScreenDecor::DrawSmallLogo(logo);
    ScreenDecor::DrawStartupLogo();
    glDisable(GL_BLEND);
    OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
}
