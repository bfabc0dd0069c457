// Full runs of the colour, histogram and gradient kernels, the alignment and
// overlay kernels, and the geometry operations on a 6000 x 4000 picture, one
// core. per_pixel is the time per pixel of the picture (of the target for
// resampling).
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "filters/registry/FilterRegistry.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

using bench::NoisePicture;

const Bitmap& Picture() {
  static const Bitmap pic = NoisePicture(kW, kH, 1);
  return pic;
}

const Bitmap& Overlay() {
  static const Bitmap pic = NoisePicture(kW, kH, 2);
  return pic;
}

void PerPixel(benchmark::State& state, double pixels) {
  state.counters["per_pixel"] = benchmark::Counter(static_cast<double>(state.iterations()) * pixels,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunFilter(benchmark::State& state, const char* stem, int tryb, int typeBox) {
  const FilterDecl* d = FindFilter(stem);
  FilterSettings v(*d);
  if (d->Prepare) d->Prepare(v, kW, kH);
  if (v.Has("OsieX")) PrepareImpositionRanges(v, kW, kH, kW, kH);
  const Bitmap& src = Picture();
  Bitmap dst = src;
  SelectionMask mask(kW, kH, 100);
  KernelContext ctx;
  ctx.Tryb = tryb;
  ctx.TypeBox = typeBox;
  ctx.Picture = &src;
  ctx.Overlay = &Overlay();
  ctx.OverlayMean = MeasureTextureMean(Overlay());
  CPixelEngine e;
  for (auto _ : state) {
    d->Run({e, dst, src, mask, 100, true, kW, kH, ctx}, v);
    benchmark::DoNotOptimize(dst.Data());
  }
  PerPixel(state, static_cast<double>(kW) * kH);
}

template <Bitmap (*Op)(const Bitmap&)>
void RunGeometry(benchmark::State& state) {
  const Bitmap& src = Picture();
  for (auto _ : state) {
    Bitmap out = Op(src);
    benchmark::DoNotOptimize(out.Data());
  }
  PerPixel(state, static_cast<double>(kW) * kH);
}

// Into a picture that already exists: the operation without the allocation.
template <void (*Op)(const Bitmap&, Bitmap&), bool Turned>
void RunGeometryInto(benchmark::State& state) {
  const Bitmap& src = Picture();
  Bitmap out(Turned ? kH : kW, Turned ? kW : kH);
  for (auto _ : state) {
    Op(src, out);
    benchmark::DoNotOptimize(out.Data());
  }
  PerPixel(state, static_cast<double>(kW) * kH);
}

void RunResample(benchmark::State& state, int w, int h) {
  const Bitmap& src = Picture();
  for (auto _ : state) {
    Bitmap out = ResampleBilinear(src, w, h);
    benchmark::DoNotOptimize(out.Data());
  }
  PerPixel(state, static_cast<double>(w) * h);
}

// The texture command's one measure per load.
void RunTextureMean(benchmark::State& state) {
  const Bitmap& tex = Overlay();
  for (auto _ : state) benchmark::DoNotOptimize(MeasureTextureMean(tex));
  PerPixel(state, static_cast<double>(kW) * kH);
}

// What a new 6000 x 4000 picture costs by itself (the floor of every operation that makes one).
void RunAllocate(benchmark::State& state) {
  for (auto _ : state) {
    Bitmap out(kW, kH);
    benchmark::DoNotOptimize(out.Data());
  }
  PerPixel(state, static_cast<double>(kW) * kH);
}

void Register() {
  const char* stems[] = {"BalanceColor", "Saturation", "GrayFilter", "Sepia",         "Hue",
                         "Selective",    "Shadow",     "Layer",      "Extension",     "Aligment",
                         "GradientWidth", "GradientPoint", "Width",  "Height",        "Imposition",
                         "Texture"};
  struct Modes {
    const char* name;
    int tryb, typeBox;
  };
  // Default modes; a per-channel pair; a pair that mixes channels.
  const Modes modes[] = {{"Zwykly", 0, 0}, {"Mnozenie/Screen", 3, 14}, {"Dosycenie/Dosycenie", 4, 4}};
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
  benchmark::RegisterBenchmark("FlipHorizontal", RunGeometry<FlipHorizontal>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("FlipVertical", RunGeometry<FlipVertical>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateRight", RunGeometry<RotateRight>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateLeft", RunGeometry<RotateLeft>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateFull", RunGeometry<RotateFull>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("FlipHorizontal/into", RunGeometryInto<FlipHorizontalInto, false>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("FlipVertical/into", RunGeometryInto<FlipVerticalInto, false>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateRight/into", RunGeometryInto<RotateRightInto, true>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateLeft/into", RunGeometryInto<RotateLeftInto, true>)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("RotateFull/into", RunGeometryInto<RotateFullInto, false>)->Unit(benchmark::kMillisecond)->UseRealTime();
  // Halving samples source pixels exactly; 3001 x 2001 interpolates nearly every pixel.
  benchmark::RegisterBenchmark("ResampleBilinear/6000x4000to3000x2000", RunResample, kW / 2, kH / 2)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("ResampleBilinear/6000x4000to3001x2001", RunResample, kW / 2 + 1, kH / 2 + 1)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("MeasureTextureMean/6000x4000", RunTextureMean)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("NewPicture/6000x4000", RunAllocate)->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
