// Start-up, memory and idle figures of the real game against a minimal
// SDL2 + OpenGL program (minimal_gl_window, built beside it). Run it on an
// X display with nothing else on it, for example:
//   xvfb-run -a -s "-noreset -screen 0 1024x768x24" build/bench_startup [BUILD_DIR]
// Both programs open their window at the screen's top-left corner; the
// first presented frame is seen by reading one pixel of the screen: a menu
// button of the game, the green clear colour of the minimal program. The
// first start also gives the memory at the menu, the menu's idle CPU, and
// the CPU and memory of a generated level played for 10 s. The minimal
// program is also started drawing one quad: on a software renderer the first
// shader compiled costs time and memory that any program drawing anything
// pays, which gives the figures above a second yardstick.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Xlib through dlopen: the benchmark needs no link change for it.
class ScreenReader {
public:
    bool Open() {
        library = dlopen("libX11.so.6", RTLD_NOW);
        if (library == nullptr) {
            return false;
        }
        openDisplay = reinterpret_cast<Display* (*)(const char*)>(dlsym(library, "XOpenDisplay"));
        getImage = reinterpret_cast<XImage* (*)(Display*, Drawable, int, int, unsigned, unsigned,
                                                unsigned long, int)>(dlsym(library, "XGetImage"));
        if (openDisplay == nullptr || getImage == nullptr) {
            return false;
        }
        display = openDisplay(nullptr);
        return display != nullptr;
    }
    Rgb Pixel(int x, int y) const {
        Rgb rgb;
        XImage* image =
            getImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return rgb;
        }
        const unsigned long value = XGetPixel(image, 0, 0);
        rgb.r = static_cast<int>((value >> 16) & 0xFF);
        rgb.g = static_cast<int>((value >> 8) & 0xFF);
        rgb.b = static_cast<int>(value & 0xFF);
        XDestroyImage(image);
        return rgb;
    }

private:
    void* library = nullptr;
    Display* (*openDisplay)(const char*) = nullptr;
    XImage* (*getImage)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long,
                        int) = nullptr;
    Display* display = nullptr;
};

bool IsMenuButton(const Rgb& c) {
    return c.r < 32 && c.g > c.r + 35 && c.b > c.r + 35;
}
bool IsGreen(const Rgb& c) {
    return c.g > 200 && c.r < 50 && c.b < 50;
}

struct Program {
    std::string path;
    std::string folder;
    int probeX, probeY;
    std::function<bool(const Rgb&)> firstFrame;
    std::string argument = "";
};

pid_t Start(const Program& program) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(program.folder.c_str()) != 0) {
            _exit(127);
        }
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const char* argument = program.argument.empty() ? nullptr : program.argument.c_str();
        execl(program.path.c_str(), program.path.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Milliseconds from exec to the first frame; negative on time-out.
double TimeToFirstFrame(const ScreenReader& screen, const Program& program, pid_t& pid) {
    // The previous run's picture must be gone first.
    for (int i = 0; i < 200 && program.firstFrame(screen.Pixel(program.probeX, program.probeY));
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto start = Clock::now();
    pid = Start(program);
    while (Clock::now() - start < std::chrono::seconds(30)) {
        if (program.firstFrame(screen.Pixel(program.probeX, program.probeY))) {
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return -1.0;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

double CpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14)
            utime = std::stoull(field);
        if (index == 15) {
            stime = std::stoull(field);
            break;
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0);
}

void Sleep(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

void Click(int x, int y) {
    const std::string command =
        "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "xdotool failed\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path self = fs::canonical("/proc/self/exe").parent_path();
    const fs::path build = fs::absolute(argc > 1 ? fs::path(argv[1]) : self);
    ScreenReader screen;
    if (std::getenv("DISPLAY") == nullptr || !screen.Open()) {
        std::fprintf(stderr, "bench_startup needs an X display (run it under xvfb-run)\n");
        return 1;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("carrowmoor-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy(build / "Data", folder / "Data", fs::copy_options::recursive);
    fs::copy_file(build / "carrowmoor", folder / "carrowmoor");

    const Program game{(folder / "carrowmoor").string(), folder.string(), 330, 424, IsMenuButton};
    const Program minimal{(build / "minimal_gl_window").string(), folder.string(), 400, 300,
                          IsGreen};
    // The same program drawing one quad: what drawing anything at all costs
    // on this driver, for comparison.
    Program quad = minimal;
    quad.argument = "--quad";
    constexpr int kRuns = 10;
    std::vector<double> gameTimes, minimalTimes, quadTimes;
    long gameMenuKb = 0, gameLevelKb = 0, minimalKb = 0, quadKb = 0;
    double idleCpu = 0.0, gameCpu = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        pid_t pid = 0;
        // The minimal program, plain and drawing one quad: each is timed, its
        // memory taken at the first start, and stopped.
        const auto baseline = [&](const Program& program, std::vector<double>& times, long& kb) {
            const double t = TimeToFirstFrame(screen, program, pid);
            if (t >= 0) {
                times.push_back(t);
                if (run == 0) {
                    Sleep(1.0);
                    kb = ResidentKb(pid);
                }
            }
            Stop(pid);
            return t >= 0;
        };
        if (!baseline(minimal, minimalTimes, minimalKb) || !baseline(quad, quadTimes, quadKb)) {
            std::fprintf(stderr, "the minimal program showed no frame\n");
            return 1;
        }

        const double g = TimeToFirstFrame(screen, game, pid);
        if (g < 0) {
            std::fprintf(stderr, "the game showed no menu\n");
            Stop(pid);
            return 1;
        }
        gameTimes.push_back(g);
        if (run == 0) {
            Sleep(1.0);
            gameMenuKb = ResidentKb(pid);
            const double before = CpuSeconds(pid);
            Sleep(10.0);
            idleCpu = (CpuSeconds(pid) - before) / 10.0 * 100.0;
            Click(400, 216);  // New game: a generated level
            Sleep(1.0);
            Click(450, 331);  // close the hints panel; the train runs
            Sleep(1.0);
            const double gameStart = CpuSeconds(pid);
            Sleep(10.0);
            gameCpu = (CpuSeconds(pid) - gameStart) / 10.0 * 100.0;
            gameLevelKb = ResidentKb(pid);
        }
        Stop(pid);
    }
    fs::remove_all(folder);

    const double gameMedian = Median(gameTimes);
    const double minimalMedian = Median(minimalTimes);
    std::printf("first frame, median of %d starts:\n", kRuns);
    std::printf("  game menu        %8.1f ms\n", gameMedian);
    std::printf("  minimal program  %8.1f ms\n", minimalMedian);
    std::printf("  ratio            %8.2f (target at most 1.8)\n", gameMedian / minimalMedian);
    std::printf("  minimal, one quad %7.1f ms (game / it: %.2f)\n", Median(quadTimes),
                gameMedian / Median(quadTimes));
    std::printf("resident memory:\n");
    std::printf("  game at the menu          %8.1f MiB (target at most 95)\n", gameMenuKb / 1024.0);
    std::printf("  game in a generated level %8.1f MiB (target at most 110)\n",
                gameLevelKb / 1024.0);
    std::printf("  minimal program           %8.1f MiB\n", minimalKb / 1024.0);
    std::printf("  minimal, one quad drawn   %8.1f MiB\n", quadKb / 1024.0);
    std::printf("CPU idling at the menu for 10 s: %.1f %% of one core (target at most 2 %%)\n",
                idleCpu);
    std::printf("CPU in a running game for 10 s:  %.1f %% of one core (target at most 15 %%)\n",
                gameCpu);
    return 0;
}
