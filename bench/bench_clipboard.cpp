// The close question and the clipboard with a 6000 x 4000 picture.
//
// CloseQuestion: the check whether the picture changed since it was saved,
// made every time the main window is closed. CopyPasteInProgram: "Kopiuj"
// then "Wklej" within the editor. PngForAnotherProgram: the PNG form that
// another program asks for after "Kopiuj".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "BenchPictures.h"
#include "document/CHomeImage.h"
#include "ui/Clipboard.h"

namespace {

const rv::Bitmap& Large() {
  static const rv::Bitmap b = rv::bench::NoisePicture(6000, 4000, 11);
  return b;
}

void CloseQuestion(benchmark::State& state) {
  const rv::Bitmap& picture = Large();
  for (auto _ : state) benchmark::DoNotOptimize(rv::PictureFingerprint(picture));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 6000 * 4000);
}
BENCHMARK(CloseQuestion)->Unit(benchmark::kMillisecond)->UseRealTime();

void CopyPasteInProgram(benchmark::State& state) {
  const rv::Bitmap& picture = Large();
  for (auto _ : state) {
    rv::ui::PutPictureOnClipboard(picture);
    const rv::Bitmap back = rv::ui::PictureFromClipboard();
    if (back.Width() != 6000) state.SkipWithError("the picture did not come back");
  }
}
BENCHMARK(CopyPasteInProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void PngForAnotherProgram(benchmark::State& state) {
  const rv::Bitmap& picture = Large();
  for (auto _ : state) {
    state.PauseTiming();
    rv::ui::PutPictureOnClipboard(picture);
    state.ResumeTiming();
    benchmark::DoNotOptimize(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")).size());
  }
}
BENCHMARK(PngForAnotherProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
