// Parsing speed of the config store on a generated 1 MiB text in the shapes
// the game's data files use: nested blocks, numbers, quoted strings,
// bracketed lists, array blocks and comments, with CR LF line ends.
#include <benchmark/benchmark.h>

#include <string>

#include "data/OConfigFile.h"

namespace {

std::string GenerateText(size_t targetBytes) {
    std::string text;
    for (int block = 0; text.size() < targetBytes; ++block) {
        const std::string n = std::to_string(block);
        text += "// block " + n + "\r\nBlock" + n + " = {\r\n";
        text += "\tSpeed = 1." + n + "\r\n\tCount = " + n + "\r\n\tMask = 0x1F\r\n";
        text += "\tName = \"Block \\\"" + n + "\\\" of the level\\n\"\r\n";
        text += "\tWeights = [10 20 30 40 50 60 70 80]\r\n";
        text += "\tInner = {\r\n\t\tData = [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16]\r\n\t}\r\n";
        text += "\tGrid = {\r\n\t\t[abcd] // first row\r\n\t\t[efgh]\r\n\t\t[ijkl]\r\n\t}\r\n";
        text += "}\r\n";
    }
    return text;
}

void BM_LoadMemory1MiB(benchmark::State& state) {
    const std::string text = GenerateText(1 << 20);
    size_t keys = 0;
    for (auto _ : state) {
        OConfigFile config;
        if (config.LoadMemory(text.data(), text.size()) != 0) {
            state.SkipWithError("generated text did not parse");
            return;
        }
        keys = config.Values().size();
        benchmark::DoNotOptimize(keys);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(BM_LoadMemory1MiB)->Unit(benchmark::kMillisecond);

void BM_Serialize1MiB(benchmark::State& state) {
    const std::string text = GenerateText(1 << 20);
    OConfigFile config;
    config.LoadMemory(text.data(), text.size());
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = config.Serialize();
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Serialize1MiB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
