// One dab of radius 150 with each brush tool on a 6000 x 4000 picture, away
// from the edges, with the tools' default settings (blur also at Moc 6), on
// a picture of noise (every pixel another colour: the worst case for the
// colour conversions).
#include <benchmark/benchmark.h>

#include "engine/Random.h"
#include "tools/core/BrushDabs.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

Bitmap NoisePicture(std::uint32_t seed) {
  Bitmap b = Bitmap::Uninitialized(kW, kH);
  std::uint32_t s = seed;
  for (int y = 0; y < kH; ++y) {
    Pixel* row = b.Row(y);
    for (int x = 0; x < kW; ++x) {
      s = s * 1664525u + 1013904223u;
      row[x] = 0xFF000000u | (s >> 8);
    }
  }
  return b;
}

struct Pictures {
  Bitmap backup = NoisePicture(1);
  Bitmap work = backup;
  Bitmap previous = NoisePicture(2);
  SelectionMask mask{kW, kH, 100};
};

Pictures& Shared() {
  static Pictures p;
  return p;
}

void Dab(benchmark::State& state, int toolId, int moc, int tryb, bool newHue) {
  Pictures& p = Shared();
  CPixelEngine e;
  BrushToolSettings set;
  set.Enlight.CanalR = set.Enlight.CanalG = set.Enlight.CanalB = 40;
  set.Darker = set.Enlight;
  set.ColorChange.CanalR = 30;
  set.ColorChange.CanalB = -30;
  set.Blur.Moc = moc;
  set.Spray.Gestosc = 50;
  set.Brush.Tryb = set.Spray.Tryb = set.Blur.Tryb = set.Gray.Tryb = set.Stamp.Tryb = set.Sharp.Tryb = tryb;
  set.Enlight.Tryb = set.Darker.Tryb = set.RedEye.Tryb = set.CorrectionBrush.Tryb = tryb;
  set.BrushHistory.Tryb = set.Bucket.Tryb = set.ColorBrush.Tryb = set.ColorChange.Tryb = tryb;
  set.Spray.Wielkosc = set.Enlight.Wielkosc = set.Darker.Wielkosc = set.Blur.Wielkosc = set.Gray.Wielkosc = 150;
  set.Stamp.Wielkosc = set.Sharp.Wielkosc = set.RedEye.Wielkosc = set.CorrectionBrush.Wielkosc = 150;
  set.BrushHistory.Wielkosc = set.Brush.Wielkosc = set.Bucket.Wielkosc = set.ColorBrush.Wielkosc = 150;
  set.ColorChange.Wielkosc = 150;
  DabSources src;
  src.StampSourceSet = true;
  src.StampSource = {1200, 900};
  src.History.CurrentIndex = 1;
  src.History.Previous = &p.previous;
  DabTarget t{e, p.work, p.backup, p.mask, kChannelAll, MakePacked(200, 40, 90), false};
  SeedRandom(1);
  int i = 0;
  for (auto _ : state) {
    // The first dab after a change of the primary colour.
    if (newHue) t.PrimaryColor = i % 2 ? MakePacked(200, 40, 90) : MakePacked(40, 90, 200);
    // Centres move a little, as along a stroke.
    const DabPoint c{3000 + (i % 16) * 7, 2000 + (i % 8) * 5};
    ++i;
    benchmark::DoNotOptimize(ApplyDab(toolId, t, c, set, src));
    benchmark::ClobberMemory();
  }
}

void Register() {
  for (int id : kBrushToolIds) {
    const BrushToolDecl* d = FindBrushTool(id);
    benchmark::RegisterBenchmark((std::string("Dab/") + d->WindowClass).c_str(), Dab, id, 4, 0, false)
        ->Unit(benchmark::kMillisecond);
    if (id == kToolBlur)
      benchmark::RegisterBenchmark("Dab/TFormBlur/Moc6", Dab, id, 6, 0, false)->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("Dab/TFormColorBrush/NewHue", Dab, kToolColorBrush, 4, 0, true)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Dab/TFormBrush/Rozpuszczenie", Dab, kToolBrush, 4, 1, false)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Dab/TFormBrush/Barwa", Dab, kToolBrush, 4, 21, false)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
