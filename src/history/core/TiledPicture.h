// Pictures of the history and the milestones, kept as tiles of 64 x 64 pixels
// at 24 bits per pixel. A picture recorded after another one of the same size
// takes over every tile that did not change, so a state costs only the tiles
// its change touched; tiles are immutable and freed with the last picture that
// holds them. A tile of one colour keeps only that colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "engine/Bitmap.h"

namespace rv {

constexpr int kTileSide = 64;

namespace detail {
struct TileAccount;
// Rows of 24-bit pixels (three bytes each, four more bytes readable after
// the last) against rows of 32-bit ones; the plain ways are the reference
// of the faster ones.
void PackRow(std::uint8_t* dst, const Pixel* src, int n);
void UnpackRow(Pixel* dst, const std::uint8_t* src, int n);
void UnpackRowPlain(Pixel* dst, const std::uint8_t* src, int n);
bool RowEquals(const Pixel* pic, const std::uint8_t* packed, int n);
bool RowEqualsPlain(const Pixel* pic, const std::uint8_t* packed, int n);
}  // namespace detail

// The memory held by the tiles and tile grids made through it. A limit makes
// recording fail with std::bad_alloc once it would be exceeded (tests use it
// to run out of memory on purpose).
class TileStore {
 public:
  TileStore();
  TileStore(const TileStore&) = delete;
  TileStore& operator=(const TileStore&) = delete;

  // Bytes of every live tile (pixels, header) and tile grid.
  std::size_t Bytes() const;
  // Distinct live tiles.
  std::size_t Tiles() const;
  // 0: no limit.
  void SetLimit(std::size_t bytes);
  std::size_t Limit() const;

 private:
  friend class TiledPicture;
  std::shared_ptr<detail::TileAccount> account_;
};

// A region of a picture: columns [Left, Right), rows [Top, Bottom).
struct PictureRegion {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

class Tile;
using TilePtr = std::shared_ptr<const Tile>;

class TiledPicture {
 public:
  TiledPicture() = default;
  TiledPicture(TiledPicture&& other) noexcept;
  TiledPicture& operator=(TiledPicture&& other) noexcept;
  ~TiledPicture();

  // The picture as tiles. Where a reference of the same size holds a tile
  // equal to the picture's, that tile is shared instead of copied (earlier
  // references first). Throws std::bad_alloc when memory or the store's
  // limit runs out; nothing is kept then.
  //
  // `changed`, when given, vouches that the picture differs from the first
  // reference only inside that region: the first reference's tiles outside
  // it are taken over without being compared.
  static TiledPicture Record(TileStore& store, const Bitmap& picture,
                             std::span<const TiledPicture* const> references,
                             const PictureRegion* changed = nullptr);
  static TiledPicture Record(TileStore& store, const Bitmap& picture,
                             std::initializer_list<const TiledPicture*> references = {},
                             const PictureRegion* changed = nullptr) {
    return Record(store, picture, std::span<const TiledPicture* const>(references.begin(), references.size()),
                  changed);
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int TileColumns() const { return columns_; }
  int TileRows() const { return rows_; }

  // The whole picture; the fourth byte of every pixel is 0xFF.
  Bitmap Picture() const;
  // The same into `out`, reusing its storage when it has the picture's size.
  void ReadInto(Bitmap& out) const;
  // The same into several pictures at once; when memory runs out for one of
  // them (std::bad_alloc), none has changed.
  void ReadInto(std::span<Bitmap* const> outs) const;
  Pixel At(int x, int y) const;
  // True when the colours of every pixel are the picture's (fourth byte ignored).
  bool SameAs(const Bitmap& picture) const;

  // The tile at tile column tx, row ty (for telling shared tiles apart).
  const Tile* TileAt(int tx, int ty) const { return tiles_[static_cast<std::size_t>(ty) * columns_ + tx].get(); }

 private:
  void Release();

  int width_ = 0;
  int height_ = 0;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<TilePtr> tiles_;
  std::shared_ptr<detail::TileAccount> account_;
  std::size_t gridBytes_ = 0;
};

}  // namespace rv
