// Texture and text costs: decoding and uploading pictures, and a frame of
// textured quads with and without shadowed text. Run under Xvfb:
//   xvfb-run -a -s "-noreset -screen 0 1024x768x24" build/bench_textures
#include "render/OCamera.h"
#include "render/OFont.h"
#include "render/OTexture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"

namespace {

std::vector<uint8_t> NoisyPixels(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(count);
    // Smooth gradients with a little noise, like the game's pictures.
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>((i / 7 + (i / 2400) * 3 + random() % 16) & 0xFF);
    }
    return bytes;
}

std::vector<uint8_t> MakeTga(int width, int height) {
    std::vector<uint8_t> file(18, 0);
    file[2] = 2;
    file[12] = width & 0xFF;
    file[13] = width >> 8;
    file[14] = height & 0xFF;
    file[15] = height >> 8;
    file[16] = 32;
    const std::vector<uint8_t> pixels = NoisyPixels(static_cast<size_t>(width) * height * 4, 1);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::vector<uint8_t> MakeJpeg(int width, int height) {
    const std::vector<uint8_t> rgb = NoisyPixels(static_cast<size_t>(width) * height * 3, 2);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(rgb.data()) + info.next_scanline * width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(output, output + size);
    free(output);
    return file;
}

// A white 512 x 512 font picture whose glyph cells are filled up to a width
// that varies with the code, so text has real coverage and advances.
std::vector<uint8_t> MakeFont() {
    std::vector<uint8_t> file(18, 0);
    file[2] = 2;
    file[12] = 0;
    file[13] = 2;
    file[14] = 0;
    file[15] = 2;
    file[16] = 32;
    std::vector<uint8_t> pixels(512 * 512 * 4, 0);
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            const int cell = ((511 - y) / 32) * 16 + x / 32;
            const int inCell = x % 32;
            uint8_t* p = &pixels[(static_cast<size_t>(y) * 512 + x) * 4];
            p[0] = p[1] = p[2] = 255;
            p[3] =
                (inCell >= 2 && inCell < 8 + cell % 16 && (y % 32) > 4 && (y % 32) < 28) ? 255 : 0;
        }
    }
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// SDL window with a compatibility context, made once for the program.
class BenchWindow {
public:
    BenchWindow() {
        SDL_Init(SDL_INIT_VIDEO);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow("bench", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
        if (window != nullptr) {
            context = SDL_GL_CreateContext(window);
        }
        if (context == nullptr) {
            std::fprintf(stderr, "no GL context: %s\n", SDL_GetError());
            std::exit(1);
        }
        SDL_GL_SetSwapInterval(0);
        std::printf("GL_RENDERER: %s\n", glGetString(GL_RENDERER));
    }
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};

BenchWindow& Window() {
    static BenchWindow window;
    return window;
}

struct Assets {
    std::vector<uint8_t> tga = MakeTga(512, 512);
    std::vector<uint8_t> jpeg = MakeJpeg(800, 600);
    std::string folder;

    Assets() {
        char pattern[] = "/tmp/carrowmoor-bench-XXXXXX";
        folder = mkdtemp(pattern);
        OArchiveWriter writer;
        writer.Add("Data/Textures/Big.Tga", tga);
        writer.Add("Data/Textures/Menu.Jpg", jpeg);
        writer.Add("Data/Textures/Font.Tga", MakeFont());
        writer.Add("Data/Textures/Block.Tga", MakeTga(128, 128));
        std::string error;
        writer.Write(folder + "/Resource.Kvr", error);
        OResourceArchive::Instance().SetPath(folder + "/Resource.Kvr");
        OResourceArchive::Instance().ReadDirectory();
    }
};

Assets& TheAssets() {
    static Assets assets;
    return assets;
}

void BM_DecodeTga512(benchmark::State& state) {
    Assets& assets = TheAssets();
    for (auto _ : state) {
        OBaseImage image;
        benchmark::DoNotOptimize(image.DecodeTga(assets.tga.data(), assets.tga.size()));
    }
}

void BM_DecodeJpeg800x600(benchmark::State& state) {
    Assets& assets = TheAssets();
    for (auto _ : state) {
        OBaseImage image;
        benchmark::DoNotOptimize(image.DecodeJpeg(assets.jpeg.data(), assets.jpeg.size()));
    }
}

// The same bytes through libjpeg-turbo alone: the floor the game's decoder is
// measured against.
void BM_BareLibjpegDecode800x600(benchmark::State& state) {
    Assets& assets = TheAssets();
    std::vector<uint8_t> out(800 * 600 * 3);
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, assets.jpeg.data(), assets.jpeg.size());
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = out.data() + info.output_scanline * 800 * 3;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(out.data());
    }
}

// Load through the archive, decode and build the mipmapped texture.
void LoadAndUpload(benchmark::State& state, const char* name) {
    Window();
    TheAssets();
    for (auto _ : state) {
        OTexture texture;
        texture.Load(name);
        glFinish();
    }
}

void BM_LoadUploadTga512(benchmark::State& state) {
    LoadAndUpload(state, "Big.Tga");
}
void BM_LoadUploadJpeg800x600(benchmark::State& state) {
    LoadAndUpload(state, "Menu.Jpg");
}

// 200 textured 80 x 80 quads over an 800 x 600 frame, optionally with 200
// characters of shadowed text (five lines of 40).
void DrawFrame(benchmark::State& state, bool withText) {
    BenchWindow& window = Window();
    TheAssets();
    OTexture block;
    block.Load("Block.Tga");
    OFont font("Font.Tga");
    font.Build();
    OCamera camera(800, 600, 60, 1, 1024);
    const std::string line = "Score: 12345  Fuel: 67  TRACK BONUS: 890";
    for (auto _ : state) {
        camera.SetUp(800, 600);
        camera.Set2D(800, 600);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (int i = 0; i < 200; ++i) {
            block.Bind();
            glPushMatrix();
            glTranslatef(static_cast<float>((i % 10) * 80), static_cast<float>((i / 10 % 8) * 75),
                         0);
            glScalef(80.0f / 128.0f, 80.0f / 128.0f, 1);
            block.Draw(0, 0);
            glPopMatrix();
        }
        if (withText) {
            for (int l = 0; l < 5; ++l) {
                font.DrawText(20, 500 - 40.0f * l, line, true, 0.75f, 0);
            }
        }
        SDL_GL_SwapWindow(window.window);
        glFinish();
    }
    state.counters["chars"] = withText ? 5.0 * line.size() : 0.0;
}

void BM_Frame200Quads(benchmark::State& state) {
    DrawFrame(state, false);
}
void BM_Frame200QuadsAnd200Chars(benchmark::State& state) {
    DrawFrame(state, true);
}

}  // namespace

BENCHMARK(BM_DecodeTga512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeJpeg800x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLibjpegDecode800x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUploadTga512)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadUploadJpeg800x600)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Frame200Quads)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Frame200QuadsAnd200Chars)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
