// Full runs of the tone kernels on a 6000 x 4000 picture, one core.
// Reported per pixel: items_per_second is pixels per second.
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "filters/registry/FilterRegistry.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

const Bitmap& Picture() {
  static const Bitmap pic = bench::NoisePicture(kW, kH, 1);
  return pic;
}

void RunFilter(benchmark::State& state, const char* stem, int tryb, int typeBox) {
  const FilterDecl* d = FindFilter(stem);
  FilterSettings v(*d);
  const Bitmap& src = Picture();
  Bitmap dst = src;
  SelectionMask mask(kW, kH, 100);
  KernelContext ctx;
  ctx.Tryb = tryb;
  ctx.TypeBox = typeBox;
  CPixelEngine e;
  for (auto _ : state) {
    d->Run({e, dst, src, mask, 100, true, kW, kH, ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
  // Seconds per pixel, shown by the library in its own units (ns).
  state.counters["per_pixel"] = benchmark::Counter(static_cast<double>(state.iterations()) * kW * kH,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Register() {
  const char* stems[] = {"Fill", "Light", "Dark", "Contrast", "Gamma", "Exposure", "Hold", "Posterize", "Negativ"};
  struct Modes {
    const char* name;
    int tryb, typeBox;
  };
  // Default modes; a per-channel pair; pairs that mix channels; random; hue.
  const Modes modes[] = {{"Zwykly", 0, 0},   {"Mnozenie/Screen", 3, 14}, {"Dosycenie/Dosycenie", 4, 4},
                         {"Rozpuszczenie", 1, 1}, {"Punktowe/Szarosc", 19, 25}, {"Barwa/Zwykly", 21, 0},
                         {"Zwykly/Barwa", 0, 21}};
  for (const char* stem : stems) {
    const FilterDecl* d = FindFilter(stem);
    for (const Modes& m : modes) {
      if ((!d->HasTryb && m.tryb != 0) || (!d->HasTypeBox && m.typeBox != 0)) continue;
      const std::string name = std::string(stem) + "/" + m.name;
      benchmark::RegisterBenchmark(name.c_str(), [stem, m](benchmark::State& s) { RunFilter(s, stem, m.tryb, m.typeBox); })
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
