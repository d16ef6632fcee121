// Reading the archive's directory, and opening a large entry compared with a
// plain read of the same bytes from the same file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"

namespace {

constexpr size_t kDirectoryEntries = 2000;
constexpr size_t kLargeEntry = 4 * 1024 * 1024;

// Two archives in a temporary folder, removed at exit.
class BenchArchives {
public:
    BenchArchives() {
        char pattern[] = "/tmp/carrowmoor-bench-XXXXXX";
        folder = mkdtemp(pattern);
        OArchiveWriter many;
        for (size_t i = 0; i < kDirectoryEntries; ++i) {
            many.Add("Data/Textures/Entry" + std::to_string(i) + ".Tga",
                     std::vector<uint8_t>(64, static_cast<uint8_t>(i)));
        }
        OArchiveWriter large;
        std::vector<uint8_t> data(kLargeEntry);
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<uint8_t>(i * 31);
        large.Add("Data/Music/Long.Mp3", std::move(data));
        std::string error;
        if (!many.Write(ManyPath(), error) || !large.Write(LargePath(), error)) {
            std::fprintf(stderr, "cannot write bench archives: %s\n", error.c_str());
            std::exit(1);
        }
    }
    ~BenchArchives() { std::filesystem::remove_all(folder); }
    std::string ManyPath() const { return folder + "/Many.Kvr"; }
    std::string LargePath() const { return folder + "/Large.Kvr"; }

private:
    std::string folder;
};

const BenchArchives& Archives() {
    static BenchArchives archives;
    return archives;
}

void BM_ReadDirectory2000(benchmark::State& state) {
    OResourceArchive archive(Archives().ManyPath());
    for (auto _ : state) {
        archive.SetPath(Archives().ManyPath());
        benchmark::DoNotOptimize(archive.ReadDirectory());
    }
    state.counters["entries"] = static_cast<double>(archive.Directory().size());
}
BENCHMARK(BM_ReadDirectory2000)->Unit(benchmark::kMicrosecond);

void BM_Open4MiB(benchmark::State& state) {
    OResourceArchive archive(Archives().LargePath());
    archive.ReadDirectory();
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> data(archive.Open("Data/Music/Long.Mp3"));
        benchmark::DoNotOptimize(data.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kLargeEntry));
}
BENCHMARK(BM_Open4MiB)->Unit(benchmark::kMicrosecond);

// The floor: open the file, seek, read the same bytes into a fresh buffer.
void BM_PlainFread4MiB(benchmark::State& state) {
    OResourceArchive archive(Archives().LargePath());
    archive.ReadDirectory();
    const long offset = static_cast<long>(archive.Directory().begin()->second->dataOffset);
    for (auto _ : state) {
        FILE* file = std::fopen(Archives().LargePath().c_str(), "rb");
        std::fseek(file, offset, SEEK_SET);
        std::unique_ptr<uint8_t[]> data(new uint8_t[kLargeEntry]);
        benchmark::DoNotOptimize(std::fread(data.get(), 1, kLargeEntry, file));
        std::fclose(file);
        benchmark::DoNotOptimize(data.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kLargeEntry));
}
BENCHMARK(BM_PlainFread4MiB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
