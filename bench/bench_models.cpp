// Model costs: reading a 10,000-triangle model from the archive (parse,
// normals, planes, neighbours) and segment queries against its octree.
//   build/bench_models
#include "app/OMessageBox.h"
#include "data/OArchiveWriter.h"
#include "data/OResourceArchive.h"
#include "render/KvModel.h"
#include "render/KvModelData.h"
#include "render/KvModelRegistry.h"
#include "render/KvModelWriter.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// 51 rings of 100 segments: 2 * 100 * 50 = 10,000 triangles.
constexpr int kRings = 51;
constexpr int kSegments = 100;
constexpr float kRadius = 40.0f;
constexpr int kQueries = 10000;

class ModelArchive {
public:
    ModelArchive() {
        char pattern[] = "/tmp/carrowmoor-bench-XXXXXX";
        folder = mkdtemp(pattern);
        path = folder + "/Resource.Kvr";
        OArchiveWriter writer;
        writer.Add("Data/Models/Sphere.Kvm",
                   KvModelWriter::Sphere(kRadius, kRings, kSegments).Build());
        std::string error;
        if (!writer.Write(path, error)) {
            std::fprintf(stderr, "archive: %s\n", error.c_str());
        }
        OResourceArchive::Instance().SetPath(path);
        OResourceArchive::Instance().ReadDirectory();
    }
    ~ModelArchive() {
        std::remove(path.c_str());
        rmdir(folder.c_str());
    }

private:
    std::string folder;
    std::string path;
};

ModelArchive& Archive() {
    static ModelArchive archive;
    return archive;
}

void BM_LoadModel(benchmark::State& state) {
    Archive();
    for (auto _ : state) {
        KvModelRegistry::Instance().Clear();
        KvModel model;
        model.Load("Sphere.Kvm");
        benchmark::DoNotOptimize(model.GetData()->mesh->triangleCount);
    }
    KvModelRegistry::Instance().Clear();
    state.counters["triangles"] = 2.0 * kSegments * (kRings - 1);
}
BENCHMARK(BM_LoadModel)->Unit(benchmark::kMillisecond);

// Segments from random points outside the sphere towards random points
// near its centre (all hit), or past it (most miss).
std::vector<std::pair<OVector3, OVector3>> Segments(bool aimed) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<std::pair<OVector3, OVector3>> segments;
    for (int i = 0; i < kQueries; ++i) {
        OVector3 from(unit(random), unit(random), unit(random));
        from.Normalize();
        from = from * (kRadius * 2.0f);
        OVector3 to(unit(random), unit(random), unit(random));
        to = aimed ? to * (kRadius * 0.5f) : from * -1.0f + to * (kRadius * 1.5f);
        segments.emplace_back(from, to);
    }
    return segments;
}

void RunQueries(benchmark::State& state, bool aimed) {
    Archive();
    KvModelRegistry::Instance().Clear();
    KvModel model;
    model.GetData()->buildOctree = true;
    model.Load("Sphere.Kvm");
    model.BuildDisplayList();
    const KvOctree& tree = *model.GetData()->GetOctree();
    const auto segments = Segments(aimed);
    int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const auto& segment : segments) {
            OVector3 hit;
            hits += tree.QuerySegment(segment.first, segment.second, hit) ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * kQueries);
    state.counters["seconds_per_query"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kQueries,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["nodes"] = static_cast<double>(tree.NodeCount());
    KvModelRegistry::Instance().Clear();
}

void BM_OctreeQueriesHitting(benchmark::State& state) {
    RunQueries(state, true);
}
BENCHMARK(BM_OctreeQueriesHitting)->Unit(benchmark::kMillisecond);

void BM_OctreeQueriesMixed(benchmark::State& state) {
    RunQueries(state, false);
}
BENCHMARK(BM_OctreeQueriesMixed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
