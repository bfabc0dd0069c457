// Saving a 6000 x 4000 picture as the editor does (WritePictureFile: encode,
// write a temporary file, flush it to disk, rename). One core.
// items_per_second is pixels per second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "document/PictureFiles.h"
#include "document/io/ColorReduce.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

// Like a photograph: broad gradients with a little grain, so the encoders
// neither get a flat picture nor pure noise.
const Bitmap& Picture() {
  static const Bitmap pic = [] {
    Bitmap b(kW, kH);
    std::uint32_t s = 1;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        s = s * 1664525u + 1013904223u;
        const int grain = static_cast<int>((s >> 24) & 15) - 8;
        auto c = [&](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        b.Set(x, y, MakePixel(c(x * 255 / kW + grain), c(y * 255 / kH + grain), c(200 - (x + y) * 150 / (kW + kH) + grain)));
      }
    return b;
  }();
  return pic;
}

std::string Target(const char* name) {
  return (std::filesystem::temp_directory_path() / ("rv-bench-" + std::to_string(::getpid()) + name)).string();
}

void Save(benchmark::State& state, const char* name, int quality, int depth) {
  const Bitmap& pic = Picture();
  const std::string path = Target(name);
  for (auto _ : state) WritePictureFile(pic, path, quality, depth);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

void BM_SaveJpeg90(benchmark::State& s) { Save(s, ".jpg", 90, 24); }
void BM_SaveBmp24(benchmark::State& s) { Save(s, ".bmp", 100, 24); }
void BM_SaveBmp8(benchmark::State& s) { Save(s, "8.bmp", 100, 8); }
void BM_SaveGif(benchmark::State& s) { Save(s, ".gif", 100, 24); }

void BM_ReduceColors(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReduceColors(Picture()).Indices.data());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

BENCHMARK(BM_SaveJpeg90)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveBmp24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveBmp8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveGif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReduceColors)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
