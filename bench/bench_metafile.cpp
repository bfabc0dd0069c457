// Opening metafiles: the largest corpus drawing, and a 2000 x 2000 picture
// saved as an EMF holding one bitmap (what the program itself writes).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/metafile/MetafileReader.h"
#include "document/metafile/MetafileWriter.h"

namespace {

namespace fs = std::filesystem;

fs::path LargestCorpusFile() {
  fs::path best;
  std::uintmax_t size = 0;
  for (const auto& e : fs::directory_iterator(fs::path(RV_METAFILE_CORPUS) / "emf"))
    if (e.path().extension() == ".emf" && e.file_size() > size) size = e.file_size(), best = e.path();
  return best;
}

void OpenLargestCorpusFile(benchmark::State& state) {
  const fs::path file = LargestCorpusFile();
  if (file.empty()) return state.SkipWithError("no corpus");
  state.SetLabel(file.filename().string());
  for (auto _ : state) benchmark::DoNotOptimize(rv::LoadMetafile(file.string()));
}
BENCHMARK(OpenLargestCorpusFile)->Unit(benchmark::kMillisecond);

void OpenBitmapEmf2000(benchmark::State& state) {
  const fs::path file = fs::temp_directory_path() / "rv-bench-2000.emf";
  {
    rv::Bitmap picture(2000, 2000);
    std::uint32_t s = 7;
    for (int y = 0; y < 2000; ++y)
      for (int x = 0; x < 2000; ++x) picture.Set(x, y, 0xFF000000u | ((s = s * 1664525u + 1013904223u) >> 8));
    std::ofstream out(file, std::ios::binary);
    if (!rv::WriteEmfStream(picture, out)) return state.SkipWithError("cannot write");
  }
  for (auto _ : state) benchmark::DoNotOptimize(rv::LoadMetafile(file.string()));
  fs::remove(file);
}
BENCHMARK(OpenBitmapEmf2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
