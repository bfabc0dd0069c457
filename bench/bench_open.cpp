// Opening and saving 6000 x 4000 photographs as the editor does: a JPEG
// stored sideways (EXIF orientation 6) against the same JPEG upright
// (orientation 1), our PNG reader against Qt's, and JPEG / PNG saves with the
// source's metadata against saves without. items_per_second is pixels per
// second; compare the pairs of one run (ratios), the machine is shared.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <QImageReader>

#include <cstdio>
#include <cstring>
#include <vector>
#include <filesystem>

#include "document/PictureFiles.h"
#include "document/io/JpegWriter.h"
#include "document/io/PngWriter.h"

namespace {

using namespace rv;

constexpr int kW = 6000;
constexpr int kH = 4000;

// Like a photograph: broad gradients with a little grain.
const Bitmap& Picture() {
  static const Bitmap pic = [] {
    Bitmap b(kW, kH);
    std::uint32_t s = 1;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        s = s * 1664525u + 1013904223u;
        const int grain = static_cast<int>((s >> 24) & 15) - 8;
        auto c = [&](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
        b.Set(x, y,
              MakePixel(c(x * 255 / kW + grain), c(y * 255 / kH + grain), c(200 - (x + y) * 150 / (kW + kH) + grain)));
      }
    return b;
  }();
  return pic;
}

std::vector<std::string>& Made() {
  static std::vector<std::string> files;
  return files;
}

std::string Target(const std::string& name) {
  const std::string p =
      (std::filesystem::temp_directory_path() / ("rv-bench-open-" + std::to_string(::getpid()) + name)).string();
  Made().push_back(p);
  return p;
}

// A camera's EXIF, little-endian: IFD0 with make, model, orientation and the
// EXIF IFD (exposure, pixel dimensions), then a 6 KiB thumbnail in IFD1.
std::vector<std::uint8_t> CameraExif(int orientation) {
  std::vector<std::uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto u16 = [&b](unsigned v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); };
  auto u32 = [&b](unsigned v) { for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF); };
  auto entry = [&](unsigned tag, unsigned type, unsigned count, unsigned value) {
    u16(tag); u16(type); u32(count); u32(value);
  };
  // IFD0 at 8: 4 entries -> ends at 8 + 2 + 48 + 4 = 62; strings at 62.
  u16(4);
  entry(0x010F, 2, 6, 62);         // Make "Nikon\0"
  entry(0x0110, 2, 6, 68);         // Model "D750\0\0"
  entry(0x0112, 3, 1, static_cast<unsigned>(orientation));
  entry(0x8769, 4, 1, 74);         // EXIF IFD
  u32(132);                        // IFD1
  for (char c : std::string("Nikon\0D750\0\0", 12)) b.push_back(static_cast<std::uint8_t>(c));
  // EXIF IFD at 74: 3 entries -> 74 + 2 + 36 + 4 = 116; rational at 116.
  u16(3);
  entry(0x829A, 5, 1, 116);        // ExposureTime
  entry(0xA002, 4, 1, kW);
  entry(0xA003, 4, 1, kH);
  u32(0);
  u32(1); u32(250);
  while (b.size() < 132) b.push_back(0);
  // IFD1 at 132: 2 entries -> 132 + 2 + 24 + 4 = 162; thumbnail at 162.
  u16(2);
  entry(0x0201, 4, 1, 162);
  entry(0x0202, 4, 1, 6144);
  u32(0);
  b.resize(b.size() + 6144, 0xAB);
  return b;
}

PictureMetadata Camera(int orientation) {
  PictureMetadata m;
  m.Exif = CameraExif(orientation);
  m.Icc.assign(3144, 0);  // the size of a common sRGB profile; only its bytes are copied
  std::memcpy(m.Icc.data() + 16, "RGB ", 4);
  std::memcpy(m.Icc.data() + 36, "acsp", 4);
  m.Xmp = "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
          "<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='6'/></rdf:RDF></x:xmpmeta>";
  m.Xmp.append(4000, ' ');
  return m;
}

const std::string& JpegFile(int orientation) {
  static std::string files[9];
  std::string& f = files[orientation];
  if (f.empty()) {
    f = Target("-o" + std::to_string(orientation) + ".jpg");
    const PictureMetadata m = Camera(orientation);
    WriteJpeg(Picture(), f, 90, &m);
  }
  return f;
}

const std::string& PngFile() {
  static const std::string f = [] {
    const std::string p = Target(".png");
    WritePng(Picture(), p);
    return p;
  }();
  return f;
}

void OpenJpeg(benchmark::State& state, int orientation) {
  const std::string& f = JpegFile(orientation);
  for (auto _ : state) benchmark::DoNotOptimize(LoadPictureFile(f).Data());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

void BM_OpenJpegUpright(benchmark::State& s) { OpenJpeg(s, 1); }
void BM_OpenJpegSideways(benchmark::State& s) { OpenJpeg(s, 6); }

void BM_OpenPngOurs(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LoadPictureFile(PngFile()).Data());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

// What the editor did before: Qt's PNG reader, then the conversion onto white.
void BM_OpenPngQt(benchmark::State& state) {
  QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
  for (auto _ : state) {
    QImageReader reader(QString::fromStdString(PngFile()));
    QImage img;
    if (!reader.read(&img)) state.SkipWithError("Qt cannot read the PNG");
    benchmark::DoNotOptimize(ImageOnWhite(img).Data());
  }
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

void Save(benchmark::State& state, const char* ext, bool withMetadata) {
  const PictureMetadata m = Camera(6);
  WriteOptions o;
  o.Quality = 90;
  o.Metadata = withMetadata ? &m : nullptr;
  const std::string path = Target(std::string("-save") + ext);
  for (auto _ : state) WritePictureFile(Picture(), path, o);
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

// What the editor wrote PNG files with before: Qt's writer.
void BM_SavePngQt(benchmark::State& state) {
  const Bitmap& pic = Picture();
  const QImage view(reinterpret_cast<const uchar*>(pic.Data()), kW, kH, static_cast<qsizetype>(pic.BytesPerLine()),
                    QImage::Format_RGB32);
  const std::string path = Target("-qt.png");
  for (auto _ : state)
    if (!view.save(QString::fromStdString(path), "PNG")) state.SkipWithError("Qt cannot write the PNG");
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * kW * kH);
}

void BM_SaveJpegPlain(benchmark::State& s) { Save(s, ".jpg", false); }
void BM_SaveJpegWithMetadata(benchmark::State& s) { Save(s, ".jpg", true); }
void BM_SavePngPlain(benchmark::State& s) { Save(s, ".png", false); }
void BM_SavePngWithMetadata(benchmark::State& s) { Save(s, ".png", true); }

BENCHMARK(BM_OpenJpegUpright)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenJpegSideways)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPngOurs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPngQt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveJpegPlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveJpegWithMetadata)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SavePngQt)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SavePngPlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SavePngWithMetadata)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  for (const std::string& f : Made()) std::remove(f.c_str());
  return 0;
}
