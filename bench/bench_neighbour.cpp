// Full runs of the neighbourhood kernels on a 6000 x 4000 picture and preview
// runs on their dialogs' regions (2H x 2H), one core, default modes.
// Run with --benchmark_repetitions=5 for medians; "per_pixel" is in ns.
#include <benchmark/benchmark.h>

#include <string>

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

const SelectionMask& FullMask() {
  static const SelectionMask m(kW, kH, 100);
  return m;
}

// An ellipse in the middle of the picture, its axes half the picture's.
const SelectionMask& EllipseMask() {
  static const SelectionMask m = [] {
    SelectionMask e(kW, kH, 0);
    const double cx = kW / 2.0, cy = kH / 2.0, ax = kW / 4.0, ay = kH / 4.0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const double u = (x - cx) / ax, v = (y - cy) / ay;
        if (u * u + v * v <= 1.0) e.Set(x, y, 100);
      }
    return e;
  }();
  return m;
}

struct Case {
  const char* stem;
  std::vector<std::pair<const char*, int>> sets;
  bool ellipse = false;
};

void RunFull(benchmark::State& state, const Case& c) {
  const FilterDecl* d = FindFilter(c.stem);
  FilterSettings v(*d);
  for (const auto& [name, value] : c.sets) v.Set(name, value);
  const Bitmap& src = Picture();
  Bitmap dst = src;
  KernelContext ctx;
  CPixelEngine e;
  const SelectionMask& mask = c.ellipse ? EllipseMask() : FullMask();
  for (auto _ : state) {
    d->Run({e, dst, src, mask, 100, true, kW, kH, ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
  state.counters["per_pixel"] = benchmark::Counter(static_cast<double>(state.iterations()) * kW * kH,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A preview run: the dialog's region around the picture's centre.
void RunPreview(benchmark::State& state, const Case& c) {
  const FilterDecl* d = FindFilter(c.stem);
  FilterSettings v(*d);
  for (const auto& [name, value] : c.sets) v.Set(name, value);
  const int H = d->PreviewHalfSize;
  const int left = kW / 2 - H, top = kH / 2 - H;
  const Bitmap src = Picture().Copy(left, top, 2 * H, 2 * H);
  Bitmap dst = src;
  KernelContext ctx;
  ctx.PreviewLeft = left;
  ctx.PreviewTop = top;
  CPixelEngine e;
  for (auto _ : state) {
    d->Run({e, dst, src, FullMask(), 100, false, src.Width(), src.Height(), ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
}

void Register() {
  const std::vector<std::pair<std::string, Case>> full = {
      {"BlurFilter/r1", {"BlurFilter", {{"Radius", 1}}}},
      {"BlurFilter/r10", {"BlurFilter", {{"Radius", 10}}}},
      {"Min/r1", {"Min", {{"Radius", 1}}}},
      {"Min/r10", {"Min", {{"Radius", 10}}}},
      {"Max/r1", {"Max", {{"Radius", 1}}}},
      {"Max/r10", {"Max", {{"Radius", 10}}}},
      {"Median/r2", {"Median", {{"Power", 2}}}},
      {"Median/r10", {"Median", {{"Power", 10}}}},
      {"DeleteNoise", {"DeleteNoise", {}}},
      {"Edges", {"Edges", {}}},
      {"HP", {"HP", {}}},
      {"EdgesGradient", {"EdgesGradient", {}}},
      {"Domed", {"Domed", {}}},
      {"Laplace", {"Laplace", {}}},
      {"Contours", {"Contours", {}}},
      {"Feather/d60/ellipse", {"Feather", {{"Power", 60}}, true}},
  };
  for (const auto& [name, c] : full)
    benchmark::RegisterBenchmark(("Full/" + name).c_str(), [c](benchmark::State& s) { RunFull(s, c); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime();
  const std::vector<std::pair<std::string, Case>> previews = {
      {"BlurFilter/r10", {"BlurFilter", {{"Radius", 10}}}}, {"Min/r10", {"Min", {{"Radius", 10}}}},
      {"Max/r10", {"Max", {{"Radius", 10}}}},               {"Median/r10", {"Median", {{"Power", 10}}}},
      {"DeleteNoise", {"DeleteNoise", {}}},                 {"Edges", {"Edges", {}}},
      {"HP", {"HP", {}}},                                   {"EdgesGradient", {"EdgesGradient", {}}},
      {"Domed", {"Domed", {}}},                             {"Laplace", {"Laplace", {}}},
      {"Contours", {"Contours", {}}},
  };
  for (const auto& [name, c] : previews)
    benchmark::RegisterBenchmark(("Preview/" + name).c_str(), [c](benchmark::State& s) { RunPreview(s, c); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
