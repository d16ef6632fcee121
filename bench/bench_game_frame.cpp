// One frame of the game screen (update and draw) on a generated 10 x 7
// level with the train running and its smoke, against a floor frame that
// only clears and draws the background picture. Both run in the same
// process and window, so the ratio says what the board, train, smoke,
// status bar and controls cost on top of the bare screen. Target: the whole
// frame under 3 times the floor.
//
// The shipped pictures are used when a packed game folder is found
// ($CARROWMOOR_GAME_DATA, or the Data folder beside this program);
// otherwise plain pictures of the same sizes.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "../tests/support/GLTestWindow.h"
#include "../tests/support/GameTestData.h"
#include "app/OApplication.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/Game.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/Train.h"
#include "render/OCamera.h"
#include "render/OTexture.h"

namespace {

constexpr int kFrameMs = 16;

std::string ShippedArchive() {
    if (const char* folder = std::getenv("CARROWMOOR_GAME_DATA")) {
        return std::string(folder) + "/Data/Resource.Kvr";
    }
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) {
        return "";
    }
    return (std::filesystem::path(std::string(self, static_cast<size_t>(n))).parent_path() /
            "Data" / "Resource.Kvr")
        .string();
}

// Everything one game screen needs, set up once for all benchmarks.
struct Scene {
    Scene() : window(800, 600) {
        SystemOptions.Hints = 0;
        SystemOptions.BeginLevel = 5;
        SystemOptions.DifficultyLevel = 1;
        data.Write();
        const std::string shipped = ShippedArchive();
        if (!shipped.empty() && std::filesystem::exists(shipped)) {
            OResourceArchive::Instance().SetPath(shipped);
            OResourceArchive::Instance().ReadDirectory();
            usingShippedArt = true;
        }
        app.Init();
        game = new Game();
        game->LoadPictures("GB.Tga", "LCompl.Tga");
        app.AddScreen(game);
        game->SetClientSize(800, 600);
        app.SetScreen(Game::kScreenId);
        camera = std::make_unique<OCamera>(800, 600, 45.0f, 1.0f, 10000.0f);
        // Three seconds of running so the smoke trail is at its full length.
        for (int i = 0; i < 190; ++i) {
            KeepRunning();
            game->Update(kFrameMs);
        }
    }
    ~Scene() { app.OnQuit(); }

    // Keeps the train on the move: a crash or an empty tank starts it again.
    void KeepRunning() {
        Train& train = game->GetTrain();
        if (GameState != StatePlaying) {
            train.ResetTrain();
            GameState = StatePlaying;
            GameEndMark = EndMarkRunning;
        }
        train.fuel = Train::kFullTank;
    }

    void GameFrame() {
        KeepRunning();
        game->Update(kFrameMs);
        game->Draw();
        glFinish();
    }

    void FloorFrame() {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 800, 600);
        camera->Set2D(800, 600);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        game->background->Draw(0, 0);
        glFinish();
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
    std::unique_ptr<OCamera> camera;
    bool usingShippedArt = false;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void BM_FloorFrame(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        scene.FloorFrame();
    }
}
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMillisecond);

void BM_GameFrame(benchmark::State& state) {
    Scene& scene = TheScene();
    for (auto _ : state) {
        scene.GameFrame();
    }
    state.counters["smoke"] = scene.game->GetTrain().Smoke().GetCount();
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMillisecond);

// Process CPU time (all threads, llvmpipe's included) and wall time per
// frame over a fixed number of frames.
struct PerFrame {
    double cpuMs;
    double wallMs;
};

template <typename F>
PerFrame Measure(int frames, F frame) {
    const std::clock_t cpu0 = std::clock();
    const auto wall0 = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0).count();
    return {cpu / frames, wall / frames};
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = TheScene();
    constexpr int kFrames = 300;
    const PerFrame floor = Measure(kFrames, [&] { scene.FloorFrame(); });
    const PerFrame whole = Measure(kFrames, [&] { scene.GameFrame(); });
    std::printf("pictures: %s\n", scene.usingShippedArt ? "shipped" : "plain test pictures");
    std::printf("floor frame: %.3f ms CPU (all threads), %.3f ms wall\n", floor.cpuMs,
                floor.wallMs);
    std::printf("game frame:  %.3f ms CPU (all threads), %.3f ms wall, %d smoke puffs\n",
                whole.cpuMs, whole.wallMs, scene.game->GetTrain().Smoke().GetCount());
    std::printf("ratio game / floor: %.2f CPU, %.2f wall (target under 3)\n",
                whole.cpuMs / floor.cpuMs, whole.wallMs / floor.wallMs);
    benchmark::Shutdown();
    return 0;
}
