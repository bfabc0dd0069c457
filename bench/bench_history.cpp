// The history on a 6000 x 4000 photograph (the coffee sample enlarged ten
// times, with a little grain so that no tile is of one colour), in the real
// windows: 50 brush strokes of radius 50, each committed and recorded.
//
// StrokeEntry times AddHistoryEntry after each stroke (with and without the
// stroke's rectangle) and reports what the
// history's memory grew by per stroke, by the store's own accounting and by
// the process's resident memory. RestoreEntry restores entries of that history
// in a random order. FilterEntry records a change of every pixel.
// StrokeRelease paints the strokes with pointer events on the document window
// and times each release (the commit and its entry).
//
// The per-call medians and maxima are the counters median_ms and max_ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "app/StartUp.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/StoredPicture.h"
#include "history/UnitHistory.h"
#include "tools/BrushSettings.h"
#include "tools/UnitTools.h"
#include "tools/core/BrushDabs.h"
#include "ui/ImageControl.h"

namespace {

using namespace rv;
using Clock = std::chrono::steady_clock;

constexpr int kW = 6000;
constexpr int kH = 4000;
constexpr int kStrokes = 50;

double ResidentMiB() {
  long size = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// The thread's processor time: on a busy machine the wall clock also counts
// the time other processes had the processor.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Wall and processor milliseconds of each call.
struct Calls {
  std::vector<double> wall;
  std::vector<double> cpu;
  template <class F>
  double Time(F&& f) {
    const double c0 = CpuSeconds();
    const auto a = Clock::now();
    f();
    const auto b = Clock::now();
    cpu.push_back(1000 * (CpuSeconds() - c0));
    wall.push_back(1000 * Seconds(a, b));
    return Seconds(a, b);
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Summarise(benchmark::State& state, const Calls& calls) {
  if (calls.wall.empty()) return;
  state.counters["median_ms"] = Median(calls.wall);
  state.counters["max_ms"] = *std::max_element(calls.wall.begin(), calls.wall.end());
  state.counters["cpu_median_ms"] = Median(calls.cpu);
}

QString Photograph() {
  static QTemporaryDir dir;
  static const QString path = [] {
    QImage img = QImage(QStringLiteral(RV_SAMPLES_DIR "/coffee.png"))
                     .scaled(kW, kH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    std::mt19937 gen(7);
    for (int y = 0; y < img.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) {
        const int d = static_cast<int>(gen() % 5) - 2;
        row[x] = qRgb(std::clamp(qRed(row[x]) + d, 0, 255), std::clamp(qGreen(row[x]) - d, 0, 255),
                      std::clamp(qBlue(row[x]) + d, 0, 255));
      }
    }
    const QString p = dir.filePath(QStringLiteral("photo.png"));
    img.save(p, "PNG", 10);
    return p;
  }();
  return path;
}

CHomeImage& Doc() { return FormImageHome->HomeImage; }

// A fresh history holding the photograph alone.
void OpenPhotograph() {
  FormHome->OpenDroppedFiles({Photograph()});
  FormHistory->ClearHistory();
  QApplication::processEvents();
  // Freed tiles go back to the system, so that the resident memory measures
  // the next history alone.
  malloc_trim(0);
}

// One stroke of radius 50: dabs every 5 pixels along a line of 300 to 700
// pixels, as the document window paints them, then the commit's copies.
// Returns the rectangle the dabs covered.
QRect Stroke(std::mt19937& gen) {
  CHomeImage& doc = Doc();
  CPixelEngine engine;
  BrushOptions brush;
  brush.Wielkosc = 50;
  const DabTarget t{engine, doc.WorkImage, doc.BackupImage, doc.SelectionMask, kChannelAll,
                    MakePacked(static_cast<int>(gen() % 256), 90, 200), false};
  const int length = 300 + static_cast<int>(gen() % 400);
  const double angle = (gen() % 360) * 3.14159265358979 / 180.0;
  const int x0 = 400 + static_cast<int>(gen() % (kW - 800));
  const int y0 = 400 + static_cast<int>(gen() % (kH - 800));
  QRect covered;
  for (int s = 0; s <= length; s += 5) {
    const DabPoint c{x0 + static_cast<int>(s * std::cos(angle)), y0 + static_cast<int>(s * std::sin(angle))};
    DabBrush(t, c, brush);
    covered |= QRect(c.X - brush.Wielkosc, c.Y - brush.Wielkosc, 2 * brush.Wielkosc + 1, 2 * brush.Wielkosc + 1);
  }
  doc.BackupImage = doc.WorkImage;
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  return covered & QRect(0, 0, kW, kH);
}

// withRectangle: the commit names the stroke's rectangle; otherwise every
// tile is compared with the current entry.
void StrokeEntry(benchmark::State& state, bool withRectangle) {
  Calls calls;
  for (auto _ : state) {
    state.PauseTiming();
    OpenPhotograph();
    std::mt19937 gen(11);
    const double bytes0 = static_cast<double>(PictureStore().Bytes());
    const double rss0 = ResidentMiB();
    double total = 0;
    for (int i = 0; i < kStrokes; ++i) {
      const QRect changed = Stroke(gen);
      total += calls.Time([&] {
        if (withRectangle)
          FormHistory->AddHistoryEntry(Doc().WorkImage, QStringLiteral("Pędzel"), kW, kH, changed);
        else
          FormHistory->AddHistoryEntry(Doc().WorkImage, QStringLiteral("Pędzel"), kW, kH);
      });
    }
    QApplication::processEvents();
    if (FormHistory->Count() != kStrokes + 1) state.SkipWithError("an entry was not recorded");
    state.counters["store_MiB_per_stroke"] =
        (static_cast<double>(PictureStore().Bytes()) - bytes0) / kStrokes / (1024.0 * 1024.0);
    state.counters["rss_MiB_per_stroke"] = (ResidentMiB() - rss0) / kStrokes;
    state.SetIterationTime(total / kStrokes);
    state.ResumeTiming();
  }
  Summarise(state, calls);
}
BENCHMARK_CAPTURE(StrokeEntry, Compared, false)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(StrokeEntry, WithRectangle, true)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QWidget* w = FormImageHome->ObrazDlaUsera;
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// The same strokes through the document window's pointer events; the time
// is the release's: the commit into the backup and the display, and the entry.
void StrokeRelease(benchmark::State& state) {
  Calls calls;
  for (auto _ : state) {
    state.PauseTiming();
    OpenPhotograph();
    BrushOptions& brush = BrushSettings().Brush;
    brush.Wielkosc = 50;
    FormTools->SelectTool(kToolBrush);
    const QSize display = FormImageHome->ObrazDlaUsera->size();
    std::mt19937 gen(11);
    const double bytes0 = static_cast<double>(PictureStore().Bytes());
    const double rss0 = ResidentMiB();
    double total = 0;
    for (int i = 0; i < kStrokes; ++i) {
      // 300 to 700 picture pixels, in display pixels.
      const int length = (300 + static_cast<int>(gen() % 400)) * display.width() / kW;
      const double angle = (gen() % 360) * 3.14159265358979 / 180.0;
      const int x0 = display.width() / 6 + static_cast<int>(gen() % (display.width() * 2 / 3));
      const int y0 = display.height() / 6 + static_cast<int>(gen() % (display.height() * 2 / 3));
      QPoint at(x0, y0);
      Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
      for (int d = 1; d <= length; ++d) {
        at = QPoint(x0 + static_cast<int>(d * std::cos(angle)), y0 + static_cast<int>(d * std::sin(angle)));
        Send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
      }
      total += calls.Time([at] { Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); });
    }
    QApplication::processEvents();
    if (FormHistory->Count() != kStrokes + 1) state.SkipWithError("an entry was not recorded");
    state.counters["store_MiB_per_stroke"] =
        (static_cast<double>(PictureStore().Bytes()) - bytes0) / kStrokes / (1024.0 * 1024.0);
    state.counters["rss_MiB_per_stroke"] = (ResidentMiB() - rss0) / kStrokes;
    state.SetIterationTime(total / kStrokes);
    FormTools->SelectTool(0);
    state.ResumeTiming();
  }
  Summarise(state, calls);
}
BENCHMARK(StrokeRelease)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void RestoreEntry(benchmark::State& state) {
  OpenPhotograph();
  std::mt19937 gen(13);
  for (int i = 0; i < kStrokes; ++i) {
    Stroke(gen);
    FormHistory->AddHistoryEntry(Doc().WorkImage, QStringLiteral("Pędzel"), kW, kH);
  }
  std::vector<Bitmap> sample;  // a few states to check the restores against
  for (int i : {0, 17, 50}) sample.push_back(FormHistory->Entries[i].Thumb->Picture());
  Calls calls;
  for (auto _ : state) {
    int i = static_cast<int>(gen() % FormHistory->Count());
    if (i == FormHistory->CurrentHistoryIndex()) i = (i + 1) % FormHistory->Count();
    state.SetIterationTime(calls.Time([i] { FormHistory->RestoreHistoryEntry(i); }));
  }
  const int checked[] = {0, 17, 50};
  for (int k = 0; k < 3; ++k) {
    FormHistory->RestoreHistoryEntry(checked[k]);
    if (!(Doc().WorkImage == sample[k])) state.SkipWithError("a restore gave another picture");
  }
  Summarise(state, calls);
}
BENCHMARK(RestoreEntry)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void FilterEntry(benchmark::State& state) {
  OpenPhotograph();
  Calls calls;
  for (auto _ : state) {
    state.PauseTiming();
    CHomeImage& doc = Doc();
    for (int y = 0; y < kH; ++y) {
      Pixel* row = doc.WorkImage.Row(y);
      for (int x = 0; x < kW; ++x) row[x] ^= 0x00FFFFFFu;
    }
    doc.BackupImage = doc.WorkImage;
    FormImageHome->ShowOnDisplay(doc.WorkImage);
    const double bytes0 = static_cast<double>(PictureStore().Bytes());
    state.ResumeTiming();
    state.SetIterationTime(
        calls.Time([&doc] { FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Negatyw"), kW, kH); }));
    state.counters["entry_MiB"] = (static_cast<double>(PictureStore().Bytes()) - bytes0) / (1024.0 * 1024.0);
    state.counters["one_24bit_copy_MiB"] = kW * kH * 3.0 / (1024.0 * 1024.0);
  }
  Summarise(state, calls);
}
BENCHMARK(FilterEntry)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

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
