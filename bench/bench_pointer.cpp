// The document window under the pointer on a 6000 x 4000 photograph: a move
// with the brush outline (handler alone, and with the repaint it asks for), a
// drag that paints a dab, and the release that commits a stroke (with and
// without its history entry).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/StartUp.h"
#include "app/UnitHome.h"
#include "BenchPictures.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/BrushSettings.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

void OpenLargePicture() {
  if (FormImageHome->HomeImage.Width() == kW) return;
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("large.bmp"));
  const Bitmap noise = bench::NoisePicture(kW, kH, 7);
  ui::ImageView(noise).save(path);
  FormHome->OpenDroppedFiles({path});
}

void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QWidget* w = FormImageHome->ObrazDlaUsera;
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void UseBrush(int r) {
  FormTools->SelectTool(kToolBrush);
  BrushSettings().Brush.Wielkosc = r;
  BrushSettings().Brush.Twardosc = 1;
}

// Hover moves back and forth over the picture, drawing the outline.
void MoveWithOutline(benchmark::State& state, bool repaint) {
  OpenLargePicture();
  UseBrush(static_cast<int>(state.range(0)));
  int i = 0;
  for (auto _ : state) {
    Send(QEvent::MouseMove, QPoint(200 + (i & 7) * 3, 200 + (i & 3)), Qt::NoButton, Qt::NoButton);
    if (repaint) QApplication::processEvents();
    ++i;
  }
}

// The same with a rectangle selection over most of the picture, whose dashed
// outline every move draws again.
void SelectRectangle() {
  QTest::mousePress(FormTools->Slot(1)->Icon, Qt::LeftButton);
  Send(QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseMove, QPoint(600, 400), Qt::NoButton, Qt::LeftButton);
  Send(QEvent::MouseMove, QPoint(650, 420), Qt::NoButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, QPoint(650, 420), Qt::LeftButton, Qt::NoButton);
}

// Back to no selection for the benchmarks that follow.
void SelectAll() { QTest::mousePress(FormTools->Slot(0)->Icon, Qt::LeftButton); }

void MoveWithSelection(benchmark::State& state) {
  OpenLargePicture();
  SelectRectangle();
  UseBrush(75);
  int i = 0;
  for (auto _ : state) {
    Send(QEvent::MouseMove, QPoint(200 + (i & 7) * 3, 200 + (i & 3)), Qt::NoButton, Qt::NoButton);
    QApplication::processEvents();
    ++i;
  }
  state.counters["selection_kind"] = FormTools->SelectionKind;
  SelectAll();
}

// A rectangle selection dragged over most of the picture: every second move
// is passed on and moves the outline.
void DragSelection(benchmark::State& state) {
  OpenLargePicture();
  QTest::mousePress(FormTools->Slot(1)->Icon, Qt::LeftButton);
  Send(QEvent::MouseButtonPress, QPoint(30, 30), Qt::LeftButton, Qt::LeftButton);
  int i = 0;
  for (auto _ : state) {
    for (int k = 0; k < 2; ++k, ++i)
      Send(QEvent::MouseMove, QPoint(600 + (i % 40), 400 + (i % 20)), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  Send(QEvent::MouseButtonRelease, QPoint(600, 400), Qt::LeftButton, Qt::NoButton);
  state.counters["selection_kind"] = FormTools->SelectionKind;
  SelectAll();
}

// Moves with the left button held: every second one paints a dab.
void DragPair(benchmark::State& state) {
  OpenLargePicture();
  UseBrush(static_cast<int>(state.range(0)));
  Send(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
  int i = 0;
  for (auto _ : state) {
    for (int k = 0; k < 2; ++k, ++i)
      Send(QEvent::MouseMove, QPoint(100 + (i % 400), 100 + (i % 200)), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
  }
  Send(QEvent::MouseButtonRelease, QPoint(100, 100), Qt::LeftButton, Qt::NoButton);
  FormHistory->ClearHistory();
}

// The release of a stroke of 20 dabs of radius 75 (display coordinates across
// a quarter of the picture).
void Commit(benchmark::State& state, int tool, bool selection) {
  OpenLargePicture();
  if (selection) SelectRectangle();
  FormTools->SelectTool(tool);
  BrushSettings().Brush.Wielkosc = 75;
  BrushSettings().BrushHistory.Wielkosc = 75;
  BrushSettings().BrushHistory.RadioBack = false;
  BrushSettings().BrushHistory.BoxNewHistory = false;
  for (auto _ : state) {
    state.PauseTiming();
    FormHistory->ClearHistory();
    Send(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    for (int k = 1; k <= 40; ++k)
      Send(QEvent::MouseMove, QPoint(100 + 5 * k, 100 + 2 * k), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    state.ResumeTiming();
    Send(QEvent::MouseButtonRelease, QPoint(300, 180), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
  }
  state.counters["selection_kind"] = FormTools->SelectionKind;
  if (selection) SelectAll();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  rv::RastroviaApplication app(argc, argv);
  CreateWindows(false);
  benchmark::RegisterBenchmark("PointerMove6000x4000/Outline", MoveWithOutline, false)
      ->Arg(75)
      ->Arg(150)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("PointerMove6000x4000/OutlineAndRepaint", MoveWithOutline, true)
      ->Arg(75)
      ->Arg(150)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("PointerMove6000x4000/OutlineRepaintAndSelection", MoveWithSelection)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("PointerDrag6000x4000/RectangleSelectionTwoMoves", DragSelection)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("PointerDrag6000x4000/TwoMovesOneDab", DragPair)
      ->Arg(75)
      ->Arg(150)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("CommitStroke6000x4000/BrushWithEntry", Commit, int(kToolBrush), false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(15);
  benchmark::RegisterBenchmark("CommitStroke6000x4000/HistoryBrushNoEntry", Commit, int(kToolBrushHistory), false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(15);
  // A selection outline may be anywhere on the display: the display is renewed whole.
  benchmark::RegisterBenchmark("CommitStroke6000x4000/BrushWithEntryInSelection", Commit, int(kToolBrush), true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->Iterations(15);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
