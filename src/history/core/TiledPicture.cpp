#include "history/core/TiledPicture.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace rv {

namespace detail {

struct TileAccount {
  std::size_t bytes = 0;
  std::size_t tiles = 0;
  std::size_t limit = 0;

  void Take(std::size_t n) {
    if (limit != 0 && bytes + n > limit) throw std::bad_alloc();
    bytes += n;
  }
  void Give(std::size_t n) { bytes -= n; }
};

}  // namespace detail

TileStore::TileStore() : account_(std::make_shared<detail::TileAccount>()) {}
std::size_t TileStore::Bytes() const { return account_->bytes; }
std::size_t TileStore::Tiles() const { return account_->tiles; }
void TileStore::SetLimit(std::size_t bytes) { account_->limit = bytes; }
std::size_t TileStore::Limit() const { return account_->limit; }

namespace {

// What the allocator and the shared pointer add to every tile, counted with it.
constexpr std::size_t kTileOverhead = 48;

// Three bytes per pixel, rows of the tile one after another. Pixels are read
// and written four bytes at a time; the byte after the last pixel is padding.
inline void PackRow(std::uint8_t* dst, const Pixel* src, int n) {
  for (int i = 0; i < n; ++i) std::memcpy(dst + 3 * i, &src[i], 4);
}

inline void UnpackRow(Pixel* dst, const std::uint8_t* src, int n) {
  for (int i = 0; i < n; ++i) {
    Pixel v;
    std::memcpy(&v, src + 3 * i, 4);
    dst[i] = v | 0xFF000000u;
  }
}

inline bool RowEquals(const Pixel* pic, const std::uint8_t* packed, int n) {
  Pixel diff = 0;
  for (int i = 0; i < n; ++i) {
    Pixel v;
    std::memcpy(&v, packed + 3 * i, 4);
    diff |= v ^ pic[i];
  }
  return (diff & 0x00FFFFFFu) == 0;
}

inline bool RowIs(const Pixel* pic, Pixel colour, int n) {
  Pixel diff = 0;
  for (int i = 0; i < n; ++i) diff |= pic[i] ^ colour;
  return (diff & 0x00FFFFFFu) == 0;
}

}  // namespace

class Tile {
 public:
  // The region of `picture` with its top left at (x0, y0), w x h pixels.
  Tile(const std::shared_ptr<detail::TileAccount>& account, const Bitmap& picture, int x0, int y0, int w, int h)
      : w_(w), h_(h) {
    const Pixel first = picture.Row(y0)[x0];
    bool uniform = true;
    for (int y = 0; y < h && uniform; ++y) uniform = RowIs(picture.Row(y0 + y) + x0, first, w);
    const std::size_t cost = kTileOverhead + sizeof(Tile) + (uniform ? 0 : static_cast<std::size_t>(w) * h * 3 + 1);
    account->Take(cost);
    try {
      if (uniform) {
        colour_ = first | 0xFF000000u;
      } else {
        data_.reset(new std::uint8_t[static_cast<std::size_t>(w) * h * 3 + 1]);
        for (int y = 0; y < h; ++y) PackRow(RowData(y), picture.Row(y0 + y) + x0, w);
      }
    } catch (...) {
      account->Give(cost);
      throw;
    }
    cost_ = cost;
    account_ = account;
    ++account_->tiles;
  }
  Tile(const Tile&) = delete;
  Tile& operator=(const Tile&) = delete;
  ~Tile() {
    account_->Give(cost_);
    --account_->tiles;
  }

  bool Equals(const Bitmap& picture, int x0, int y0) const {
    for (int y = 0; y < h_; ++y) {
      const Pixel* row = picture.Row(y0 + y) + x0;
      if (!(data_ ? RowEquals(row, RowData(y), w_) : RowIs(row, colour_, w_))) return false;
    }
    return true;
  }
  void Unpack(Bitmap& out, int x0, int y0) const {
    for (int y = 0; y < h_; ++y) {
      Pixel* row = out.Row(y0 + y) + x0;
      if (data_)
        UnpackRow(row, RowData(y), w_);
      else
        std::fill(row, row + w_, colour_);
    }
  }
  Pixel At(int x, int y) const {
    if (!data_) return colour_;
    Pixel v;
    std::memcpy(&v, RowData(y) + 3 * x, 4);
    return v | 0xFF000000u;
  }

 private:
  std::uint8_t* RowData(int y) const { return data_.get() + static_cast<std::size_t>(y) * w_ * 3; }

  int w_;
  int h_;
  Pixel colour_ = 0;
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t cost_ = 0;
  std::shared_ptr<detail::TileAccount> account_;
};

TiledPicture::~TiledPicture() { Release(); }

void TiledPicture::Release() {
  tiles_.clear();
  if (account_) account_->Give(gridBytes_);
  account_.reset();
  gridBytes_ = 0;
}

TiledPicture::TiledPicture(TiledPicture&& other) noexcept
    : width_(other.width_), height_(other.height_), columns_(other.columns_), rows_(other.rows_),
      tiles_(std::move(other.tiles_)), account_(std::move(other.account_)), gridBytes_(other.gridBytes_) {
  other.width_ = other.height_ = other.columns_ = other.rows_ = 0;
  other.tiles_.clear();
  other.gridBytes_ = 0;
}

TiledPicture& TiledPicture::operator=(TiledPicture&& other) noexcept {
  if (this == &other) return *this;
  Release();
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  columns_ = std::exchange(other.columns_, 0);
  rows_ = std::exchange(other.rows_, 0);
  tiles_ = std::move(other.tiles_);
  other.tiles_.clear();
  account_ = std::move(other.account_);
  gridBytes_ = std::exchange(other.gridBytes_, 0);
  return *this;
}

TiledPicture TiledPicture::Record(TileStore& store, const Bitmap& picture,
                                  std::span<const TiledPicture* const> references) {
  TiledPicture out;
  out.width_ = picture.Width();
  out.height_ = picture.Height();
  if (picture.Empty()) {
    out.width_ = out.height_ = 0;
    return out;
  }
  out.columns_ = (out.width_ + kTileSide - 1) / kTileSide;
  out.rows_ = (out.height_ + kTileSide - 1) / kTileSide;
  const std::size_t count = static_cast<std::size_t>(out.columns_) * out.rows_;
  const std::size_t grid = count * sizeof(TilePtr);
  store.account_->Take(grid);
  out.account_ = store.account_;
  out.gridBytes_ = grid;
  out.tiles_.reserve(count);

  std::vector<const TiledPicture*> refs;
  for (const TiledPicture* r : references)
    if (r && r->width_ == out.width_ && r->height_ == out.height_ && r->account_ == store.account_) refs.push_back(r);

  for (int ty = 0; ty < out.rows_; ++ty) {
    const int y0 = ty * kTileSide;
    const int h = std::min(kTileSide, out.height_ - y0);
    for (int tx = 0; tx < out.columns_; ++tx) {
      const int x0 = tx * kTileSide;
      const int w = std::min(kTileSide, out.width_ - x0);
      const std::size_t i = static_cast<std::size_t>(ty) * out.columns_ + tx;
      TilePtr found;
      const Tile* tried = nullptr;
      for (const TiledPicture* r : refs) {
        const TilePtr& t = r->tiles_[i];
        if (t.get() == tried) continue;  // the references often share it
        tried = t.get();
        if (t->Equals(picture, x0, y0)) {
          found = t;
          break;
        }
      }
      if (!found) found = std::make_shared<const Tile>(out.account_, picture, x0, y0, w, h);
      out.tiles_.push_back(std::move(found));
    }
  }
  return out;
}

void TiledPicture::ReadInto(Bitmap& out) const {
  if (out.Width() != width_ || out.Height() != height_) out = Bitmap::Uninitialized(width_, height_);
  for (int ty = 0; ty < rows_; ++ty)
    for (int tx = 0; tx < columns_; ++tx) TileAt(tx, ty)->Unpack(out, tx * kTileSide, ty * kTileSide);
}

Bitmap TiledPicture::Picture() const {
  Bitmap out;
  ReadInto(out);
  return out;
}

Pixel TiledPicture::At(int x, int y) const {
  return TileAt(x / kTileSide, y / kTileSide)->At(x % kTileSide, y % kTileSide);
}

bool TiledPicture::SameAs(const Bitmap& picture) const {
  if (picture.Width() != width_ || picture.Height() != height_) return false;
  for (int ty = 0; ty < rows_; ++ty)
    for (int tx = 0; tx < columns_; ++tx)
      if (!TileAt(tx, ty)->Equals(picture, tx * kTileSide, ty * kTileSide)) return false;
  return true;
}

}  // namespace rv
