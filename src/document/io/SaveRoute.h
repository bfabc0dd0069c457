// Which way "Zapisz..." goes for a chosen file name, by its extension in any
// letter case.
#pragma once

#include <string>

namespace rv {

enum class SaveRoute {
  Metafile,       // .wmf, .emf: written at once
  BitmapOptions,  // .bmp, .gif: TFormSaveBMP first (its depth applies to .bmp only)
  Icon,           // .ico: written at once, at most 256 x 256
  JpegOptions,    // .jpg, .jpeg: TFormSaveJPG first
  Png,            // .png: written at once
  Unsupported,    // anything else: nothing is written
};

SaveRoute SaveRouteFor(const std::string& path);

}  // namespace rv
