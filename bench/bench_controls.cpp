// Input routing and drawing cost of a screen with 20 controls.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>

#include "app/OApplication.h"
#include "data/SystemOptions.h"
#include "support/UiTestData.h"
#include "ui/BlendButton.h"
#include "ui/KvCheckBox.h"
#include "ui/KvIncDec.h"
#include "ui/KvSlider.h"
#include "ui/ORenderWindow.h"
#include "ui/OTextStack.h"

namespace {

// Six buttons, four selectors with their arrows, two sliders with arrows
// and two check boxes: 20 controls, eight of them focusable.
class TwentyControls : public ORenderWindow {
public:
    TwentyControls() : ORenderWindow(204) {}
    bool Build() override {
        LoadPictures("Interface/Slider.Tga", "");
        for (int i = 0; i < 6; ++i) {
            auto* button = new BlendButton(i, true);
            button->SetImage("Buttons/Ok.Tga");
            button->SetPosition(100 + (i % 4) * 160, 80 + (i / 4) * 60);
            AddControl(button);
        }
        for (int i = 0; i < 4; ++i) {
            auto* selector = new OTextStack(nullptr, 20 + i, i % 2 == 0, 1.0f);
            selector->SetImage("Interface/Button.Tga");
            selector->SetPosition(320, 500 - i * 48);
            selector->AddItem("One", 0);
            selector->AddItem("Two", 1);
            AddControl(selector);
            auto* arrows = new KvIncDec(30 + i, false);
            arrows->target = selector;
            arrows->SetImage("Interface/HArrow.Tga");
            AddControl(arrows);
        }
        for (int i = 0; i < 2; ++i) {
            auto* slider = new KvSlider(nullptr, 40 + i, 0, 255, 5);
            slider->SetImages("Interface/Slider.Tga", "Interface/Thumb.Tga");
            slider->SetPosition(320, 280 - i * 48);
            AddControl(slider);
            auto* arrows = new KvIncDec(50 + i, false);
            arrows->target = slider;
            arrows->SetImage("Interface/HArrow.Tga");
            AddControl(arrows);
        }
        for (int i = 0; i < 2; ++i) {
            auto* box = new KvCheckBox(nullptr, 60 + i, 1.0f);
            box->SetImage("Interface/CheckBox.Tga");
            box->SetPosition(600, 300 + i * 40);
            AddControl(box);
        }
        return true;
    }
};

void RouteOneMouseMove(benchmark::State& state) {
    UiTestData data;
    TwentyControls screen;
    screen.SetClientSize(800, 600);
    screen.Build();
    int step = 0;
    for (auto _ : state) {
        InputEvent move{};
        move.type = EventMouseMove;
        move.x = static_cast<int16_t>((step * 37) % 800);
        move.y = static_cast<int16_t>((step * 53) % 600);
        ++step;
        benchmark::DoNotOptimize(screen.OnInput(move));
    }
    state.counters["controls"] = static_cast<double>(screen.controls.size());
}
BENCHMARK(RouteOneMouseMove);

void DrawOneFrame(benchmark::State& state) {
    UiTestData data;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ResetSystemOptions();
    OApplication app;
    if (!app.Create("3D", "Carrowmoor controls benchmark", 640, 480)) {
        state.SkipWithError("no display");
        return;
    }
    app.Init();
    auto* screen = new TwentyControls();
    app.AddScreen(screen);
    app.SetScreen(204);
    for (auto _ : state) {
        app.Update(16);
        glFinish();
    }
    app.OnQuit();
}
BENCHMARK(DrawOneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
