// Processor time the message loop takes when there is nothing to do: Run on
// an empty frame, and on a frame that only clears and swaps, each for five
// seconds. Needs a display (run under xvfb-run). A loop that spins shows
// close to 100 % of a core; one that waits for the next frame shows a few.

#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "app/OGLWindow.h"
#include "app/OMessageBox.h"
#include "data/SystemOptions.h"

namespace {

constexpr int kSeconds = 5;

class IdleWindow : public OGLWindow {
public:
    explicit IdleWindow(bool draw) : draw(draw) {}
    long frames = 0;

    void Update(int) override {
        ++frames;
        if (draw) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            SwapBuffers();
        }
    }

private:
    bool draw;
};

double ProcessCpuSeconds() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunIdle(benchmark::State& state, bool draw) {
    ResetSystemOptions();
    SystemOptions.FullScreen = 0;
    SystemOptions.ScreenRes = 0;
    OMessageBox::SetHandler([](const std::string&, const std::string&, OMessageBox::Icon) {});
    for (auto _ : state) {
        IdleWindow window(draw);
        if (!window.Create("3D", "Carrowmoor version 1.1", 640, 480) ||
            window.GetRenderContext() == nullptr) {
            state.SkipWithError("no display or no GL context (run under xvfb-run)");
            break;
        }
        std::thread quitter([] {
            std::this_thread::sleep_for(std::chrono::seconds(kSeconds));
            SDL_Event quit = {};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        });
        double cpuStart = ProcessCpuSeconds();
        auto wallStart = std::chrono::steady_clock::now();
        window.Run();
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        double cpu = ProcessCpuSeconds() - cpuStart;
        quitter.join();
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["frames_per_s"] = static_cast<double>(window.frames) / wall;
        state.counters["swap_paced"] = window.IsSwapPaced() ? 1 : 0;
    }
    OMessageBox::SetHandler(nullptr);
}

void BM_RunEmptyFrame(benchmark::State& state) {
    RunIdle(state, false);
}
void BM_RunClearAndSwap(benchmark::State& state) {
    RunIdle(state, true);
}

}  // namespace

BENCHMARK(BM_RunEmptyFrame)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_RunClearAndSwap)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK_MAIN();
