// One frame of the game screen (update and draw) on a generated 10 x 7
// level with the train running and its smoke, against a floor frame that
// only clears and draws the background picture. Both run in the same
// process and window, so the ratio says what the board, train, smoke,
// status bar and controls cost on top of the bare screen. Target: the whole
// frame under 3 times the floor.
//
// Then each part of the frame alone (background, blocks and grid, items,
// engine, smoke, status bar, its texts), timed as the floor plus that part,
// less the floor; and the whole game paced at 60 frames a second for 10 s,
// swaps included, as a share of one core (target: at most 15 %); those
// frames are drawn only where they differ from the one the back buffer
// holds, as the game draws them.
//
// The shipped pictures are used when a packed game folder is found
// ($CARROWMOOR_GAME_DATA, or the Data folder beside this program);
// otherwise plain pictures of the same sizes.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../tests/support/GLTestWindow.h"
#include "../tests/support/GameTestData.h"
#include "app/BackBufferAge.h"
#include "app/OApplication.h"
#include "data/OResourceArchive.h"
#include "data/SystemOptions.h"
#include "game/Board.h"
#include "game/BoardPainter.h"
#include "game/Game.h"
#include "game/GameValues.h"
#include "game/HVExplosion.h"
#include "game/StillLayer.h"
#include "game/Train.h"
#include "game/TrainPainter.h"
#include "render/OCamera.h"
#include "render/OFont.h"
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
        statusBar.Load("Interface/StatusBar.Tga", true);
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
        PartFrame([] {});
    }

    // The floor with one part of the game frame drawn over it, in the state
    // the game screen draws that part in.
    template <typename F>
    void PartFrame(F part) {
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 800, 600);
        camera->Set2D(800, 600);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        game->background->Draw(0, 0);
        part();
        glFinish();
    }

    // The parts of a game frame, each drawn as the game screen draws it.
    std::vector<std::pair<const char*, std::function<void()>>> Parts() {
        Board& board = game->GetBoard();
        Train& train = game->GetTrain();
        OFont* font = app.GetFont();
        if (!layer.Valid()) {
            PartFrame([] {});
            layer.Capture(StillLayer::Signature(), 0, 0, 800, 600);
        }
        return {
            {"background (again)", [this] { game->background->Draw(0, 0); }},
            {"still layer quad", [this] { layer.Draw(0.0f, 0.0f, 800.0f, 600.0f); }},
            {"blocks and grid",
             [&board] {
                 BoardPainter::DrawBlocks(board, BoardPainter::Cells::All);
                 BoardPainter::DrawGridLines(board);
                 glEnable(GL_TEXTURE_2D);
                 glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
             }},
            {"items",
             [&board] {
                 glEnable(GL_BLEND);
                 glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                 BoardPainter::DrawItems(board, false);
                 BoardPainter::DrawItems(board, true);
                 glDisable(GL_BLEND);
             }},
            {"engine",
             [&train] {
                 glEnable(GL_BLEND);
                 glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                 TrainPainter::DrawSprite(TrainPainter::UpdateSprite(train));
                 glDisable(GL_BLEND);
             }},
            {"smoke",
             [&train] {
                 train.Smoke().Draw();
                 glDepthMask(GL_TRUE);
                 glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
             }},
            {"status bar", [this] { statusBar.Draw(0, 0); }},
            {"status texts",
             [font, &train, &board] {
                 if (font == nullptr) {
                     return;
                 }
                 char text[64];
                 std::snprintf(text, sizeof text, "FGHI  %2.0f", train.fuel);
                 font->DrawText(18.0f, 8.0f, text, true, Game::kTextScale, 1);
                 std::snprintf(text, sizeof text, "ABCDE  %i", score);
                 font->DrawText(180.0f, 8.0f, text, true, Game::kTextScale, 1);
                 std::snprintf(text, sizeof text, "OPZ  %i", board.levelNumber);
                 font->DrawText(344.0f, 8.0f, text, true, Game::kTextScale, 1);
                 font->DrawText(430.0f, 8.0f, "Normal", true, Game::kTextScale, 0);
                 glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
             }},
        };
    }

    GLTestWindow window;
    GameTestData data;
    OApplication app;
    Game* game = nullptr;
    std::unique_ptr<OCamera> camera;
    OTexture statusBar;
    StillLayer layer;
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

double ProcessCpuSeconds() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The game as its loop runs it: update, draw, present, then wait for the
// next 1/60 s. Returns the share of one core the process took; `fps` gets
// the frames per second reached, `partFrames` the share of frames drawn
// only where they changed, `age` the back buffer's age at the last frame.
double PacedGameCpuPercent(Scene& scene, double seconds, double& fps, double& partFrames,
                           int& age) {
    using Clock = std::chrono::steady_clock;
    const auto frameTime = std::chrono::microseconds(16667);
    const double cpu0 = ProcessCpuSeconds();
    const auto start = Clock::now();
    auto due = start;
    int frames = 0;
    int part = 0;
    while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
        scene.KeepRunning();
        scene.game->Update(kFrameMs);
        age = BackBufferAge::Query();
        scene.game->Draw();
        part += scene.game->DrewPartFrame() ? 1 : 0;
        scene.window.Swap();
        ++frames;
        due += frameTime;
        std::this_thread::sleep_until(due);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    fps = frames / wall;
    partFrames = frames > 0 ? 100.0 * part / frames : 0.0;
    return 100.0 * (ProcessCpuSeconds() - cpu0) / wall;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Scene& scene = TheScene();
    constexpr int kFrames = 300;
    const PerFrame clear = Measure(kFrames, [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    });
    const PerFrame floor = Measure(kFrames, [&] { scene.FloorFrame(); });
    const PerFrame whole = Measure(kFrames, [&] { scene.GameFrame(); });
    std::printf("pictures: %s\n", scene.usingShippedArt ? "shipped" : "plain test pictures");
    std::printf("clear alone: %.3f ms CPU (all threads), %.3f ms wall\n", clear.cpuMs,
                clear.wallMs);
    std::printf("floor frame: %.3f ms CPU (all threads), %.3f ms wall\n", floor.cpuMs,
                floor.wallMs);
    std::printf("game frame:  %.3f ms CPU (all threads), %.3f ms wall, %d smoke puffs\n",
                whole.cpuMs, whole.wallMs, scene.game->GetTrain().Smoke().GetCount());
    std::printf("ratio game / floor: %.2f CPU, %.2f wall (target under 3)\n",
                whole.cpuMs / floor.cpuMs, whole.wallMs / floor.wallMs);
    std::printf("parts of a frame, each over the floor (ms per frame, CPU all threads / wall):\n");
    double sumCpu = 0.0, sumWall = 0.0;
    for (auto& [name, part] : scene.Parts()) {
        const PerFrame timed = Measure(kFrames, [&] { scene.PartFrame(part); });
        const double cpu = timed.cpuMs - floor.cpuMs;
        const double wall = timed.wallMs - floor.wallMs;
        sumCpu += cpu;
        sumWall += wall;
        std::printf("  %-20s %7.3f / %7.3f\n", name, cpu, wall);
    }
    std::printf("  %-20s %7.3f / %7.3f\n", "sum of the parts", sumCpu, sumWall);
    std::printf("  %-20s %7.3f / %7.3f\n", "whole frame - floor", whole.cpuMs - floor.cpuMs,
                whole.wallMs - floor.wallMs);
    constexpr double kPacedSeconds = 10.0;
    double fps = 0.0;
    double partFrames = 0.0;
    int age = 0;
    const double paced = PacedGameCpuPercent(scene, kPacedSeconds, fps, partFrames, age);
    std::printf("paced frames drawn only where they changed: %.1f %% (back buffer age %d)\n",
                partFrames, age);
    std::printf(
        "game at 60 frames/s for %.0f s, train running: %.1f %% of one core "
        "(target at most 15 %%), %.1f frames/s reached\n",
        kPacedSeconds, paced, fps);
    benchmark::Shutdown();
    return 0;
}
