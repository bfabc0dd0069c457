#include "document/io/SaveRoute.h"

#include "document/io/SafeFile.h"

namespace rv {

SaveRoute SaveRouteFor(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".wmf" || ext == ".emf") return SaveRoute::Metafile;
  if (ext == ".bmp" || ext == ".gif") return SaveRoute::BitmapOptions;
  if (ext == ".ico") return SaveRoute::Icon;
  if (ext == ".jpg" || ext == ".jpeg") return SaveRoute::JpegOptions;
  if (ext == ".png") return SaveRoute::Png;
  return SaveRoute::Unsupported;
}

}  // namespace rv
