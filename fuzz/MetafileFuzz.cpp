// libFuzzer target for the metafile reader: any input must be refused with a
// MetafileError or drawn, within the sanitizers' eyes.
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

#include "document/metafile/MetafileReader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);  // fonts for text records
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rv::MetafileLimits limits;
  limits.maxPixels = 4'000'000;  // keeps each run quick; the bound itself is what is tested
  limits.maxSide = 4096;
  try {
    const rv::Bitmap b = rv::RenderMetafile(data, size, limits);
    if (b.Empty()) std::abort();
  } catch (const rv::MetafileError&) {
  }
  return 0;
}
