// The tiled pictures alone on a 6000 x 4000 picture of noise: recording a
// state that differs from the previous one in a 100-pixel disc's box,
// recording a state that differs everywhere, comparing, and reading a state
// back into a picture of the same size or into a new one.
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "history/core/TiledPicture.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

struct Shared {
  TileStore store;
  Bitmap picture = bench::NoisePicture(kW, kH, 1);
  TiledPicture tiles = TiledPicture::Record(store, picture);
};

Shared& Get() {
  static Shared s;
  return s;
}

void RecordAfterStroke(benchmark::State& state) {
  Shared& s = Get();
  Bitmap changed = s.picture;
  int i = 0;
  for (auto _ : state) {
    const int x0 = 500 + (i * 97) % 5000, y0 = 500 + (i * 61) % 3000;
    ++i;
    for (int y = y0; y < y0 + 100; ++y)
      for (int x = x0; x < x0 + 100; ++x) changed.Set(x, y, changed.At(x, y) ^ 0x010101u);
    TiledPicture t = TiledPicture::Record(s.store, changed, {&s.tiles});
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(RecordAfterStroke)->Unit(benchmark::kMillisecond);

void RecordEverythingChanged(benchmark::State& state) {
  Shared& s = Get();
  const Bitmap other = bench::NoisePicture(kW, kH, 2);
  for (auto _ : state) {
    TiledPicture t = TiledPicture::Record(s.store, other, {&s.tiles});
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(RecordEverythingChanged)->Unit(benchmark::kMillisecond);

void SameAs(benchmark::State& state) {
  Shared& s = Get();
  for (auto _ : state) benchmark::DoNotOptimize(s.tiles.SameAs(s.picture));
}
BENCHMARK(SameAs)->Unit(benchmark::kMillisecond);

void ReadIntoSameSize(benchmark::State& state) {
  Shared& s = Get();
  Bitmap out(kW, kH);
  for (auto _ : state) {
    s.tiles.ReadInto(out);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ReadIntoSameSize)->Unit(benchmark::kMillisecond);

void ReadIntoNewPicture(benchmark::State& state) {
  Shared& s = Get();
  for (auto _ : state) benchmark::DoNotOptimize(s.tiles.Picture());
}
BENCHMARK(ReadIntoNewPicture)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
