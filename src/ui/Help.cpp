#include "ui/Help.h"

#include <GL/gl.h>

#include "app/OApplication.h"
#include "render/OFont.h"
#include "ui/OControlPainter.h"
#include "ui/OTextStack.h"
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

bool Help::Build() {
    menuButton = new OTextStack(application != nullptr ? application->GetFont() : nullptr,
                                kMenuButtonId, false, 1.5f);
    menuButton->SetImage("Buttons/Menu.Tga");
    menuButton->AddItem("", 0);
    menuButton->SetPosition(600, 115);
    AddControl(menuButton);
    return true;
}

bool Help::OnInput(InputEvent& event) {
    if (ORenderWindow::OnInput(event)) {
        return true;
    }
    if (event.type == EventKeyDown && event.key == 27) {
        application->SetScreen(201);
        return true;
    }
    return false;
}

bool Help::OnControlEvent(int controlId, int code) {
    (void)code;
    if (controlId == kMenuButtonId) {
        application->SetScreen(201);
        return true;
    }
    return false;
}

void Help::Draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    OFont* font = application != nullptr ? application->GetFont() : nullptr;
    OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
    ORenderWindow::Draw();
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
