// The editor's start-up and opening a large photograph.
//
// StartupToIdle runs the real executable until its event loop is idle with
// every window created; OpenLargeJpeg opens a 6000 x 4000 JPEG in the running
// windows until it is painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>

#include "app/StartUp.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"

extern char** environ;

namespace {

void StartupToIdle(benchmark::State& state) {
  char exe[] = RV_EDITOR_EXE;
  char flag[] = "--quit-when-idle";
  char* argv[] = {exe, flag, nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, exe, nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the editor");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the editor failed");
      return;
    }
  }
}
BENCHMARK(StartupToIdle)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10)->Repetitions(5);

QString LargeJpeg() {
  static QTemporaryDir dir;
  static const QString path = [] {
    QImage img(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) row[x] = qRgb((x / 7) & 255, (y / 5) & 255, (x + y) & 255);
    }
    const QString p = dir.filePath(QStringLiteral("large.jpg"));
    img.save(p, "JPEG", 90);
    return p;
  }();
  return path;
}

void OpenLargeJpeg(benchmark::State& state) {
  const QString path = LargeJpeg();
  for (auto _ : state) {
    rv::FormHome->OpenDroppedFiles({path});
    QApplication::processEvents();  // the document window paints the picture
    state.PauseTiming();
    if (rv::FormImageHome->HomeImage.Width() != 6000) state.SkipWithError("the picture did not open");
    rv::FormHistory->ClearHistory();  // keep one stored state
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(OpenLargeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  rv::RastroviaApplication app(argc, argv);
  rv::CreateWindows(true);
  QApplication::processEvents();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
