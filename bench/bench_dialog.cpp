// The filter dialogs as the user meets them: one preview run of each tone
// dialog on its 800 x 800 region and of each neighbourhood and effect dialog
// on its own region, and the full run of a 6000 x 4000 picture
// through the dialog (progress bar, events once per row) beside the same
// kernel run as the batch command runs it.
#include <benchmark/benchmark.h>

#include <QTimer>

#include "app/StartUp.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/FilterDialogs.h"
#include "filters/UnitFilterDialog.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

Bitmap NoisePicture(int w, int h) {
  Bitmap b = Bitmap::Uninitialized(w, h);
  std::uint32_t s = 1;
  for (int y = 0; y < h; ++y) {
    Pixel* row = b.Row(y);
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      row[x] = 0xFF000000u | (s >> 8);
    }
  }
  return b;
}

void OpenLargePicture() {
  CHomeImage& doc = FormImageHome->HomeImage;
  if (doc.Width() == kW) return;
  doc.AssignPicture(NoisePicture(kW, kH), QStringLiteral("bench.bmp"));
  doc.AllocateMask();
}

TFormFilter* Dialog(const char* stem) {
  for (TFormFilter* d : FilterDialogs())
    if (std::string(d->Decl().Stem) == stem) return d;
  return nullptr;
}

void Preview(benchmark::State& state, const char* stem) {
  OpenLargePicture();
  TFormFilter* d = Dialog(stem);
  d->PreparePreview(kW, kH);
  for (auto _ : state) d->RunPreview();
  state.counters["region_px"] = d->ImageBuf->PictureWidth() * d->ImageBuf->PictureHeight();
}

// The dialog's full run: kernel, progress bar and one event pass per row.
void DialogFullRun(benchmark::State& state, const char* stem) {
  OpenLargePicture();
  TFormFilter* d = Dialog(stem);
  d->PreparePreview(kW, kH);
  // A zero timer fires on every pass of the event loop: it counts the passes.
  long passes = 0;
  QTimer tick;
  tick.setInterval(0);
  QObject::connect(&tick, &QTimer::timeout, [&] { ++passes; });
  tick.start();
  for (auto _ : state) d->RunFullFilter();
  tick.stop();
  state.counters["event_passes_per_row"] =
      static_cast<double>(passes) / (static_cast<double>(state.iterations()) * kH);
}

// The batch command's run of the same kernel: no bar, no events.
void BatchFullRun(benchmark::State& state, const char* stem) {
  OpenLargePicture();
  const FilterDecl* decl = FindFilter(stem);
  FilterSettings values(*decl);
  CHomeImage& doc = FormImageHome->HomeImage;
  KernelContext ctx;
  ctx.Picture = &doc.BackupImage;
  CPixelEngine e;
  for (auto _ : state)
    decl->Run({e, doc.WorkImage, doc.BackupImage, doc.SelectionMask, 100, true, kW, kH, ctx}, values);
}

void Register() {
  const char* stems[] = {"Fill", "Light", "Dark", "Contrast", "Gamma", "Exposure", "Hold", "Posterize", "Negativ"};
  for (const char* s : stems)
    benchmark::RegisterBenchmark((std::string("Preview800/") + s).c_str(), Preview, s)->Unit(benchmark::kMillisecond);
  // The neighbourhood and effect dialogs at their defaults, each on its own region.
  const char* neighbourhood[] = {"BlurFilter", "Min",      "Max",     "Median", "DeleteNoise", "Edges",
                                 "HP",         "EdgesGradient", "Domed", "Laplace", "Contours", "Sulfur",
                                 "Noise",      "Mozaic",   "Patchwork", "Screening", "Wind",    "Dif",
                                 "WetPaper",   "Vignette", "Heave",   "Frag",   "Break",       "Analg"};
  for (const char* s : neighbourhood)
    benchmark::RegisterBenchmark((std::string("PreviewDialog/") + s).c_str(), Preview, s)
        ->Unit(benchmark::kMillisecond);
  for (const char* s : {"Contrast", "Negativ", "Gamma"}) {
    benchmark::RegisterBenchmark((std::string("DialogFull6000x4000/") + s).c_str(), DialogFullRun, s)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark((std::string("BatchFull6000x4000/") + s).c_str(), BatchFullRun, s)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  rv::RastroviaApplication app(argc, argv);
  CreateWindows(false);
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
