#include "history/core/TiledPicture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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
// Bytes after the last pixel that the four-pixel reads may touch.
constexpr std::size_t kPadding = 4;

}  // namespace

namespace detail {

// Three bytes per pixel, rows of the tile one after another. Pixels are read
// and written four bytes at a time; the byte after the last pixel is padding.
void PackRow(std::uint8_t* dst, const Pixel* src, int n) {
  for (int i = 0; i < n; ++i) std::memcpy(dst + 3 * i, &src[i], 4);
}

void UnpackRowPlain(Pixel* dst, const std::uint8_t* src, int n) {
  for (int i = 0; i < n; ++i) {
    Pixel v;
    std::memcpy(&v, src + 3 * i, 4);
    dst[i] = v | 0xFF000000u;
  }
}

bool RowEqualsPlain(const Pixel* pic, const std::uint8_t* packed, int n) {
  Pixel diff = 0;
  for (int i = 0; i < n; ++i) {
    Pixel v;
    std::memcpy(&v, packed + 3 * i, 4);
    diff |= v ^ pic[i];
  }
  return (diff & 0x00FFFFFFu) == 0;
}

#if defined(__x86_64__) || defined(__i386__)
#define RV_TILES_SSSE3 1
// Four pixels at a time: the byte shuffle spreads 12 packed bytes over four
// pixels. The 16-byte load reads 4 bytes past the 12; a tile keeps them.
__attribute__((target("ssse3"))) void UnpackRowSsse3(Pixel* dst, const std::uint8_t* src, int n) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm_shuffle_epi8(v, spread), opaque));
  }
  UnpackRowPlain(dst + i, src + 3 * i, n - i);
}

__attribute__((target("ssse3"))) bool RowEqualsSsse3(const Pixel* pic, const std::uint8_t* packed, int n) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
  __m128i diff = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + 3 * i)), spread);
    const __m128i p = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pic + i)), colours);
    diff = _mm_or_si128(diff, _mm_xor_si128(v, p));
  }
  if (_mm_movemask_epi8(_mm_cmpeq_epi8(diff, _mm_setzero_si128())) != 0xFFFF) return false;
  return RowEqualsPlain(pic + i, packed + 3 * i, n - i);
}
#endif

namespace {
#ifdef RV_TILES_SSSE3
const bool kSsse3 = __builtin_cpu_supports("ssse3");
#else
constexpr bool kSsse3 = false;
#endif
}  // namespace

void UnpackRow(Pixel* dst, const std::uint8_t* src, int n) {
#ifdef RV_TILES_SSSE3
  if (kSsse3) return UnpackRowSsse3(dst, src, n);
#endif
  UnpackRowPlain(dst, src, n);
}

bool RowEquals(const Pixel* pic, const std::uint8_t* packed, int n) {
#ifdef RV_TILES_SSSE3
  if (kSsse3) return RowEqualsSsse3(pic, packed, n);
#endif
  return RowEqualsPlain(pic, packed, n);
}

}  // namespace detail

namespace {

using detail::PackRow;
using detail::RowEquals;
using detail::UnpackRow;

// Stores that bypass the cache: a restored picture is far larger than the
// cache, and these writes need not read the lines they replace first.
void StreamRow(Pixel* dst, const Pixel* src, int n) {
#if defined(__SSE2__)
  int i = 0;
  for (; i < n && (reinterpret_cast<std::uintptr_t>(dst + i) & 15) != 0; ++i) dst[i] = src[i];
  for (; i + 4 <= n; i += 4)
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
  for (; i < n; ++i) dst[i] = src[i];
#else
  std::memcpy(dst, src, static_cast<std::size_t>(n) * sizeof(Pixel));
#endif
}

void StreamDone() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
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
    const std::size_t bytes = static_cast<std::size_t>(w) * h * 3 + kPadding;
    const std::size_t cost = kTileOverhead + sizeof(Tile) + (uniform ? 0 : bytes);
    account->Take(cost);
    try {
      if (uniform) {
        colour_ = first | 0xFF000000u;
      } else {
        data_.reset(new std::uint8_t[bytes]);
        std::memset(data_.get() + bytes - kPadding, 0, kPadding);
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

  // Row y of the tile against w pixels of a picture's row.
  bool RowMatches(const Pixel* row, int y) const {
    return data_ ? RowEquals(row, RowData(y), w_) : RowIs(row, colour_, w_);
  }
  void UnpackRowTo(Pixel* row, int y) const {
    if (data_)
      UnpackRow(row, RowData(y), w_);
    else
      std::fill(row, row + w_, colour_);
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
                                  std::span<const TiledPicture* const> references, const PictureRegion* changed) {
  TiledPicture out;
  if (picture.Empty()) return out;
  out.width_ = picture.Width();
  out.height_ = picture.Height();
  out.columns_ = (out.width_ + kTileSide - 1) / kTileSide;
  out.rows_ = (out.height_ + kTileSide - 1) / kTileSide;
  const int columns = out.columns_;
  const std::size_t count = static_cast<std::size_t>(columns) * out.rows_;
  const std::size_t grid = count * sizeof(TilePtr);
  store.account_->Take(grid);
  out.account_ = store.account_;
  out.gridBytes_ = grid;
  out.tiles_.reserve(count);

  std::vector<const TiledPicture*> refs;
  for (const TiledPicture* r : references)
    if (r && r->width_ == out.width_ && r->height_ == out.height_ && r->account_ == store.account_) refs.push_back(r);
  // Only the first reference vouches for what lies outside the changed region.
  const TiledPicture* before = changed && !refs.empty() && refs[0] == references[0] ? refs[0] : nullptr;
  const std::size_t n = refs.size();

  // Row after row through the picture (the order memory is fastest in), a
  // band of tiles at a time; cand[tx * n + k] is reference k's tile while it
  // still matches, null once it does not.
  std::vector<const Tile*> cand(static_cast<std::size_t>(columns) * n);
  std::vector<char> untouched(static_cast<std::size_t>(columns));
  for (int ty = 0; ty < out.rows_; ++ty) {
    const int y0 = ty * kTileSide;
    const int h = std::min(kTileSide, out.height_ - y0);
    for (int tx = 0; tx < columns; ++tx) {
      const int x0 = tx * kTileSide;
      untouched[tx] = before && (x0 + kTileSide <= changed->Left || x0 >= changed->Right ||
                                 y0 + kTileSide <= changed->Top || y0 >= changed->Bottom);
      const std::size_t i = static_cast<std::size_t>(ty) * columns + tx;
      for (std::size_t k = 0; k < n; ++k) {
        const Tile* t = refs[k]->tiles_[i].get();
        // References often share a tile: compare it once.
        bool seen = untouched[tx] != 0;
        for (std::size_t j = 0; j < k && !seen; ++j) seen = refs[j]->tiles_[i].get() == t;
        cand[tx * n + k] = seen ? nullptr : t;
      }
    }
    for (int y = 0; y < h; ++y) {
      const Pixel* row = picture.Row(y0 + y);
      for (int tx = 0; tx < columns; ++tx)
        for (std::size_t k = 0; k < n; ++k) {
          const Tile*& c = cand[tx * n + k];
          if (c && !c->RowMatches(row + tx * kTileSide, y)) c = nullptr;
        }
    }
    for (int tx = 0; tx < columns; ++tx) {
      const std::size_t i = static_cast<std::size_t>(ty) * columns + tx;
      TilePtr found;
      if (untouched[tx]) found = before->tiles_[i];
      for (std::size_t k = 0; k < n && !found; ++k)
        if (cand[tx * n + k]) found = refs[k]->tiles_[i];
      if (!found) {
        const int x0 = tx * kTileSide;
        found = std::make_shared<const Tile>(out.account_, picture, x0, y0, std::min(kTileSide, out.width_ - x0), h);
      }
      out.tiles_.push_back(std::move(found));
    }
  }
  return out;
}

void TiledPicture::ReadInto(std::span<Bitmap* const> outs) const {
  if (outs.empty() || width_ == 0) {
    for (Bitmap* o : outs) *o = Bitmap();
    return;
  }
  // Every new picture first: should memory run out, no picture has changed.
  std::vector<Bitmap> made;
  for (Bitmap* o : outs)
    if (o->Width() != width_ || o->Height() != height_) made.push_back(Bitmap::Uninitialized(width_, height_));
  std::size_t next = 0;
  for (Bitmap* o : outs)
    if (o->Width() != width_ || o->Height() != height_) *o = std::move(made[next++]);
  // Row after row: each row is put together in a buffer that stays in the
  // cache and then streamed into every picture.
  std::vector<Pixel> row(static_cast<std::size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    const std::size_t first = static_cast<std::size_t>(y / kTileSide) * columns_;
    for (int tx = 0; tx < columns_; ++tx)
      tiles_[first + tx]->UnpackRowTo(row.data() + tx * kTileSide, y % kTileSide);
    for (Bitmap* o : outs) StreamRow(o->Row(y), row.data(), width_);
  }
  StreamDone();
}

void TiledPicture::ReadInto(Bitmap& out) const {
  Bitmap* outs[] = {&out};
  ReadInto(outs);
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
  for (int y = 0; y < height_; ++y) {
    const Pixel* row = picture.Row(y);
    const std::size_t first = static_cast<std::size_t>(y / kTileSide) * columns_;
    for (int tx = 0; tx < columns_; ++tx)
      if (!tiles_[first + tx]->RowMatches(row + tx * kTileSide, y % kTileSide)) return false;
  }
  return true;
}

}  // namespace rv
