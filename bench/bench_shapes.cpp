// One render of a shape tool (the figure drawn on its scratch, the changed
// pixels composed into the working picture, the display updated) over a
// 6000 x 4000 picture, as a release of the pointer or a change of "Tryb"
// runs it; and the preview a pointer move draws.
#include <benchmark/benchmark.h>

#include <QLineEdit>

#include "BenchPictures.h"
#include "app/StartUp.h"
#include "document/UnitImageHome.h"
#include "tools/UnitElipsy.h"
#include "tools/UnitLine.h"
#include "tools/UnitLineBezier.h"
#include "tools/UnitRectangle.h"
#include "tools/UnitTextHorz.h"
#include "tools/UnitTools.h"
#include "ui/TrackBar.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

void OpenLargePicture() {
  CHomeImage& doc = FormImageHome->HomeImage;
  if (doc.Width() == kW) return;
  doc.AssignPicture(bench::NoisePicture(kW, kH, 1), QStringLiteral("bench.bmp"));
  doc.AllocateMask();
  FormImageHome->ShowOnDisplay(doc.WorkImage);
}

TFormFigure* Opened(int toolId, TFormFigure* w) {
  OpenLargePicture();
  FormTools->Slot(toolId)->Click();
  // A figure of 2000 x 1600 pixels in the middle of the picture.
  w->OSX->SetPosition(2000);
  w->OSY->SetPosition(1200);
  w->OSX2->SetPosition(4000);
  w->OSY2->SetPosition(2800);
  w->OSX3->SetPosition(4000);
  w->OSY3->SetPosition(1200);
  if (w->Text) w->Text->setText(QStringLiteral("Rastrovia"));
  return w;
}

void Render(benchmark::State& state, int toolId, TFormFigure* (*window)(), int transparent) {
  TFormFigure* w = Opened(toolId, window());
  w->Transparent->SetPosition(transparent);
  for (auto _ : state) w->RenderShape();
  w->AnulujClick();
}

void Preview(benchmark::State& state, int toolId, TFormFigure* (*window)()) {
  TFormFigure* w = Opened(toolId, window());
  for (auto _ : state) w->PreviewShape();
  w->AnulujClick();
}

void Register() {
  struct Row {
    const char* name;
    int toolId;
    TFormFigure* (*window)();
  };
  const Row rows[] = {
      {"Rectangle", 5, [] { return static_cast<TFormFigure*>(FormRectangle); }},
      {"Ellipse", 6, [] { return static_cast<TFormFigure*>(FormElipsy); }},
      {"Line", 10, [] { return static_cast<TFormFigure*>(FormLine); }},
      {"Bezier", 11, [] { return static_cast<TFormFigure*>(FormLineBezier); }},
      {"TextHorz", 12, [] { return static_cast<TFormFigure*>(FormTextHorz); }},
  };
  for (const Row& r : rows) {
    for (int t : {100, 50})
      benchmark::RegisterBenchmark((std::string("RenderShape6000x4000/") + r.name + "/Krycie" + std::to_string(t)).c_str(),
                                   Render, r.toolId, r.window, t)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
  }
  benchmark::RegisterBenchmark("PreviewShape6000x4000/Rectangle", Preview, 5, rows[0].window)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
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
