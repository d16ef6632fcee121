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

// The page's text block starts where the score page's table does, below a
// heading in the same place and size as that page's.
constexpr float kMargin = 100.0f;
constexpr HelpLine kLines[] = {
    {"Game Rules", true, 450},
    {"You should build track by moving and turning puzzle blocks,", false, 424},
    {"pick up all the workers, and arrive at the final station at", false, 404},
    {"new railroad. You should take on fuel by picking up coal", false, 384},
    {"on the track. The train stops at traffic lights for", false, 364},
    {"several seconds.", false, 344},
    {"Controls", true, 310},
    {"Left mouse click - move a block.", false, 284},
    {"Right mouse click - turn a block.", false, 264},
    {"Arrow keys - move the cell cursor.", false, 244},
    {"Space or Enter - move a block, T or Shift+Space - turn it.", false, 224},
    {"P - pause, R - restart the level, Escape - menu.", false, 204},
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
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
        font->DrawText(kMargin, 520.0f, "Help", true, 1.5f, 0);
        for (const HelpLine& line : kLines) {
            OControlPainter::SetFontColour(font, 1.0f, 1.0f, line.heading ? 0.0f : 1.0f, 1.0f);
            font->DrawText(kMargin, static_cast<float>(line.y), line.text, true, 0.75f, 0);
        }
        OControlPainter::End2D();
    }
    ScreenDecor::DrawSmallLogo(logo);
    ScreenDecor::DrawStartupLogo();
    glDisable(GL_BLEND);
    OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
}
