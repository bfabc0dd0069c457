#include "document/io/GifWriter.h"

#include <gif_lib.h>

#include <vector>

#include "document/io/ColorReduce.h"

namespace rv {

bool WriteGif(const Bitmap& picture, const std::string& path) {
  const int w = picture.Width();
  const int h = picture.Height();
  if (w <= 0 || h <= 0 || w > kMaxGifSize || h > kMaxGifSize) return false;
  const IndexedPicture indexed = ReduceColors(picture, 256);

  // A colour table holds a power of two entries, at least two.
  int tableSize = 2;
  while (tableSize < static_cast<int>(indexed.Palette.size())) tableSize *= 2;
  std::vector<GifColorType> colors(static_cast<std::size_t>(tableSize), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < indexed.Palette.size(); ++i)
    colors[i] = GifColorType{static_cast<GifByteType>(PixelRed(indexed.Palette[i])),
                             static_cast<GifByteType>(PixelGreen(indexed.Palette[i])),
                             static_cast<GifByteType>(PixelBlue(indexed.Palette[i]))};
  ColorMapObject* map = GifMakeMapObject(tableSize, colors.data());
  if (!map) return false;

  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) {
    GifFreeMapObject(map);
    return false;
  }
  bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<std::size_t>(w));
  for (int y = 0; ok && y < h; ++y) {
    for (int x = 0; x < w; ++x) line[static_cast<std::size_t>(x)] = indexed.At(x, y);
    ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
  }
  // Closing writes the trailer and frees gif whatever happened before.
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  GifFreeMapObject(map);
  return ok;
}

}  // namespace rv
