#include "ui/Score.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "app/OApplication.h"
#include "data/OScoreTable.h"
#include "data/SystemOptions.h"
#include "game/GameValues.h"
#include "render/OFont.h"
#include "ui/OControlPainter.h"
#include "ui/OTextField.h"
#include "ui/RunningGame.h"
#include "ui/ScreenDecor.h"

bool Score::Build() {
    lastName.clear();
    return MenuPageScreen::Build();
}

void Score::OnEnter() {
    MenuPageScreen::OnEnter();
    if (RunningGame::Exists() && RunningGame::IsOver()) {
        OfferScore();
    } else {
        pendingScore = 0;
    }
}

void Score::OfferScore() {
    pendingScore = score;
    OScoreTable* table = application->scoreTable();
    RunningGame::Discard(application);
    if (pendingScore != 0 && table != nullptr && table->Qualifies(pendingScore)) {
        DropNameField();
        nameField = new OTextField(application->GetFont(), "", kNameFieldId, false);
        nameField->SetPosition(250, 125);
        nameField->SetSize(300, 23);
        nameField->SetText(lastName);
        AddControl(nameField);
        FocusControl(nameField);
    } else {
        pendingScore = 0;
        application->SetScreen(201);
    }
}

void Score::OnLeave() {
    DropNameField();
}

void Score::DropNameField() {
    if (nameField == nullptr) {
        return;
    }
    RemoveControl(nameField);
    delete nameField;
    nameField = nullptr;
}

const char* Score::DifficultyText(int level) {
    switch (level) {
        case 0:
            return "Easy";
        case 2:
            return "Hard";
        default:
            return "Normal";
    }
}

void Score::CommitScore() {
    if (pendingScore == 0) {
        return;
    }
    std::string name = kUnknownPlayer;
    if (nameField != nullptr && !nameField->IsBlank()) {
        name = nameField->text;
        lastName = name;
    }
    OScoreTable* table = application != nullptr ? application->scoreTable() : nullptr;
    if (table != nullptr) {
        table->Insert(name, pendingScore, DifficultyText(DifficultyIndex()));
    }
    pendingScore = 0;
}

void Score::ReturnToMenu() {
    CommitScore();
    MenuPageScreen::ReturnToMenu();
}

bool Score::OnControlEvent(int controlId, int code) {
    if (controlId == kNameFieldId) {
        CommitScore();
        DropNameField();
    } else {
        MenuPageScreen::OnControlEvent(controlId, code);
    }
    return true;
}

void Score::Draw() {
    OFont* font = Font();
    DrawCleared();
    if (font != nullptr) {
        OControlPainter::Begin2D();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        DrawTable();
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
        font->DrawText(100.0f, 520.0f, "Scores", true, 1.5f, 0);
        glDisable(GL_BLEND);
        OControlPainter::End2D();
    }
    ScreenDecor::DrawSmallLogo(logo);
    ScreenDecor::DrawStartupLogo();
    glDisable(GL_BLEND);
}

void Score::DrawTable() {
    OFont* font = application->GetFont();
    OScoreTable* table = application->scoreTable();
    if (table == nullptr) {
        return;
    }
    const size_t rows =
        std::min(static_cast<size_t>(std::max(table->GetCapacity(), 0)), table->GetCount());
    for (size_t i = 0; i < rows; ++i) {
        const ScoreEntry& entry = table->GetEntry(i);
        const float y = static_cast<float>(425 - 28 * static_cast<int>(i));
        char rank[16];
        std::snprintf(rank, sizeof rank, "%2.0f", static_cast<double>(i + 1));
        char points[16];
        std::snprintf(points, sizeof points, "%i", entry.score);
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
        font->DrawText(104.0f, y, rank, true, 0.5f, 0);
        OControlPainter::SetFontColour(font, 248.0f / 255.0f, 113.0f / 255.0f, 15.0f / 255.0f,
                                       1.0f);
        font->DrawText(128.0f, y, entry.name, true, 0.75f, 0);
        OControlPainter::SetFontColour(font, 0.75f, 0.75f, 0.75f, 1.0f);
        font->DrawText(435.0f, y, entry.difficulty, true, 0.75f, 0);
        OControlPainter::SetFontColour(font, 1.0f, 1.0f, 0.0f, 1.0f);
        font->DrawText(608.0f, y, points, true, 0.75f, 0);
    }
    OControlPainter::SetFontColour(font, 1.0f, 1.0f, 1.0f, 1.0f);
}
