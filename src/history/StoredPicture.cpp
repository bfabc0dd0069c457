#include "history/StoredPicture.h"

#include <vector>

namespace rv {

namespace {

class TiledStoredPicture : public StoredPicture {
 public:
  explicit TiledStoredPicture(TiledPicture tiles) : tiles_(std::move(tiles)) {}
  int Width() const override { return tiles_.Width(); }
  int Height() const override { return tiles_.Height(); }
  Bitmap Picture() const override { return tiles_.Picture(); }
  void ReadInto(std::span<Bitmap* const> outs) const override { tiles_.ReadInto(outs); }
  bool SameAs(const Bitmap& picture) const override { return tiles_.SameAs(picture); }
  QImage Thumbnail(int w, int h) const override {
    const int pw = tiles_.Width();
    const int ph = tiles_.Height();
    if (pw == 0 || ph == 0 || w <= 0 || h <= 0) return {};
    // Nearest pixel to the centre of each cell: only w x h pixels are read.
    QImage out(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
      const int sy = static_cast<int>((2 * std::int64_t{y} + 1) * ph / (2 * h));
      auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
      for (int x = 0; x < w; ++x) row[x] = tiles_.At(static_cast<int>((2 * std::int64_t{x} + 1) * pw / (2 * w)), sy);
    }
    return out;
  }
  const TiledPicture& Tiles() const override { return tiles_; }

 private:
  TiledPicture tiles_;
};

}  // namespace

TileStore& PictureStore() {
  static TileStore store;
  return store;
}

StoredPicturePtr StorePicture(const Bitmap& picture, std::initializer_list<const StoredPicture*> references,
                              const PictureRegion* changed) {
  // A null first reference stays in place: the region speaks of it alone.
  std::vector<const TiledPicture*> refs;
  for (const StoredPicture* r : references) refs.push_back(r ? &r->Tiles() : nullptr);
  return std::make_shared<TiledStoredPicture>(TiledPicture::Record(PictureStore(), picture, refs, changed));
}

}  // namespace rv
