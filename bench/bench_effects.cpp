// Full runs of the noise, stylise, distortion, streak and tile kernels on a
// 6000 x 4000 picture with default modes and default values, one core, and
// their preview runs on a 2H x 2H region of it. per_pixel is the time per
// pixel of the processed region.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/Random.h"
#include "filters/registry/FilterRegistry.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

const Bitmap& Picture() {
  static const Bitmap pic = [] {
    // Smooth gradients with noise on top: neither flat nor pure noise.
    Bitmap b(kW, kH);
    std::uint32_t s = 7;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        s = s * 1664525u + 1013904223u;
        const int n = static_cast<int>((s >> 24) & 31);
        b.Set(x, y, MakePixel((x / 24 + n) & 255, (y / 16 + n) & 255, ((x + y) / 40 + n) & 255));
      }
    return b;
  }();
  return pic;
}

void RunFull(benchmark::State& state, const FilterDecl* d) {
  FilterSettings v(*d);
  const Bitmap& src = Picture();
  if (d->Prepare) d->Prepare(v, kW, kH);
  Bitmap dst = src;
  SelectionMask mask(kW, kH, 100);
  KernelContext ctx;
  ctx.Picture = &src;
  CPixelEngine e;
  SeedRandom(1);
  for (auto _ : state) {
    d->Run({e, dst, src, mask, 100, true, kW, kH, ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
  state.counters["per_pixel"] = benchmark::Counter(static_cast<double>(state.iterations()) * kW * kH,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A preview as the dialog runs it: the region around the picture's centre.
void RunPreview(benchmark::State& state, const FilterDecl* d) {
  FilterSettings v(*d);
  const Bitmap& pic = Picture();
  if (d->Prepare) d->Prepare(v, kW, kH);
  const int h = d->PreviewHalfSize;
  const int left = std::max(0, kW / 2 - h), top = std::max(0, kH / 2 - h);
  const Bitmap src = pic.Copy(left, top, 2 * h, 2 * h);
  Bitmap dst = src;
  SelectionMask mask(kW, kH, 100);
  KernelContext ctx;
  ctx.Picture = &pic;
  ctx.PreviewLeft = left;
  ctx.PreviewTop = top;
  CPixelEngine e;
  SeedRandom(1);
  for (auto _ : state) {
    d->Run({e, dst, src, mask, 100, false, src.Width(), src.Height(), ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
  state.counters["per_pixel"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * src.Width() * src.Height(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Register() {
  const char* stems[] = {"Sulfur", "Noise", "Mozaic", "Patchwork", "Screening", "Wind", "Dif",
                         "WetPaper", "Vignette", "Heave", "Shift", "Frag", "Break", "Analg"};
  for (const char* stem : stems) {
    const FilterDecl* d = FindFilter(stem);
    if (!d) continue;
    benchmark::RegisterBenchmark((std::string(stem) + "/full").c_str(), [d](benchmark::State& s) { RunFull(s, d); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (d->HasPreview())
      benchmark::RegisterBenchmark((std::string(stem) + "/preview").c_str(),
                                   [d](benchmark::State& s) { RunPreview(s, d); })
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
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
