// The magic wand over a 6000 x 4000 picture of noise: the selection of every
// pixel, and the selection together with the red preview of its window.
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "tools/core/Selection.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

struct Pictures {
  Bitmap work = bench::NoisePicture(kW, kH, 5);
  SelectionMask mask{kW, kH, 100};
  Bitmap preview = work;
};

Pictures& Shared() {
  static Pictures p;
  return p;
}

void BM_Wand(benchmark::State& state) {
  Pictures& p = Shared();
  const WandOptions o{200, 100};
  for (auto _ : state) {
    WandSelect(p.work, p.work.At(kW / 2, kH / 2), o, p.mask);
    benchmark::DoNotOptimize(p.mask.Row(kH - 1)[kW - 1]);
  }
}
BENCHMARK(BM_Wand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WandWithPreview(benchmark::State& state) {
  Pictures& p = Shared();
  const WandOptions o{200, 100};
  for (auto _ : state) {
    WandSelect(p.work, p.work.At(kW / 2, kH / 2), o, p.mask);
    WandPreview(p.work, p.mask, p.preview);
    benchmark::DoNotOptimize(p.preview.Row(kH - 1)[kW - 1]);
  }
}
BENCHMARK(BM_WandWithPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
