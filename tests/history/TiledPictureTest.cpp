// Pictures kept as shared tiles: what is recorded comes back exactly, tiles
// are shared where nothing changed and the store's accounting follows them.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <random>
#include <vector>

#include "history/core/TiledPicture.h"

namespace rv {
namespace {

Bitmap Noise(int w, int h, std::uint32_t seed) {
  Bitmap b = Bitmap::Uninitialized(w, h);
  std::mt19937 gen(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, 0xFF000000u | (gen() & 0xFFFFFFu));
  return b;
}

void Paint(Bitmap& b, int left, int top, int w, int h, Pixel p) {
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x) b.Set(x, y, p);
}

constexpr std::size_t kTileData = kTileSide * kTileSide * 3;

TEST(TiledPicture, GivesBackEveryPictureExactly) {
  struct Case {
    int w, h;
  };
  // Whole tiles, partial edge tiles, single rows and columns.
  const Case cases[] = {{1, 1}, {64, 64}, {65, 63}, {130, 129}, {300, 1}, {1, 200}, {127, 64}};
  TileStore store;
  for (const Case& c : cases) {
    Bitmap pic = Noise(c.w, c.h, static_cast<std::uint32_t>(c.w * 1000 + c.h));
    // A uniform block amid the noise, across tile borders.
    Paint(pic, c.w / 3, c.h / 3, c.w / 2, c.h / 2, MakePixel(10, 20, 30));
    const TiledPicture t = TiledPicture::Record(store, pic);
    EXPECT_EQ(t.Width(), c.w);
    EXPECT_EQ(t.Height(), c.h);
    EXPECT_EQ(t.Picture(), pic) << c.w << "x" << c.h;
    EXPECT_TRUE(t.SameAs(pic));
    EXPECT_EQ(t.At(c.w - 1, c.h - 1), pic.At(c.w - 1, c.h - 1));
    Bitmap other = pic;
    other.Set(c.w - 1, c.h - 1, pic.At(c.w - 1, c.h - 1) ^ 0x000100u);
    EXPECT_FALSE(t.SameAs(other)) << c.w << "x" << c.h;
  }
  EXPECT_EQ(store.Bytes(), 0u);
  EXPECT_EQ(store.Tiles(), 0u);
}

TEST(TiledPicture, FourthByteIsNotKept) {
  TileStore store;
  Bitmap pic = Noise(70, 70, 3);
  Bitmap odd = pic;
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 70; ++x) odd.Set(x, y, pic.At(x, y) & 0x00FFFFFFu);
  const TiledPicture t = TiledPicture::Record(store, odd);
  EXPECT_TRUE(t.SameAs(pic));
  EXPECT_EQ(t.Picture(), pic);
}

TEST(TiledPicture, AChangeCostsTheTilesItTouched) {
  TileStore store;
  const Bitmap a = Noise(640, 384, 1);  // 10 x 6 tiles
  const TiledPicture ta = TiledPicture::Record(store, a);
  EXPECT_EQ(store.Tiles(), 60u);
  const std::size_t before = store.Bytes();
  EXPECT_GE(before, 60 * kTileData);

  // One pixel on each side of the corner of four tiles.
  Bitmap b = a;
  Paint(b, 127, 191, 2, 2, MakePixel(1, 2, 3));
  const TiledPicture tb = TiledPicture::Record(store, b, {&ta});
  EXPECT_EQ(store.Tiles(), 64u);
  const std::size_t cost = store.Bytes() - before;
  EXPECT_GE(cost, 4 * kTileData);
  EXPECT_LE(cost, 4 * kTileData + 4 * 256 + 60 * sizeof(void*) * 2);
  for (int ty = 0; ty < 6; ++ty)
    for (int tx = 0; tx < 10; ++tx) {
      const bool touched = (tx == 1 || tx == 2) && (ty == 2 || ty == 3);
      EXPECT_EQ(ta.TileAt(tx, ty) == tb.TileAt(tx, ty), !touched) << tx << "," << ty;
    }
  EXPECT_EQ(tb.Picture(), b);
  EXPECT_EQ(ta.Picture(), a);

  // Recording the same picture again costs only its grid.
  const std::size_t tiles = store.Tiles();
  const TiledPicture again = TiledPicture::Record(store, b, {&tb});
  EXPECT_EQ(store.Tiles(), tiles);
}

TEST(TiledPicture, EveryReferenceIsOfferedItsTiles) {
  TileStore store;
  const Bitmap a = Noise(128, 64, 1);
  Bitmap b = a;
  Paint(b, 0, 0, 64, 64, MakePixel(9, 9, 9));
  const TiledPicture ta = TiledPicture::Record(store, a);
  const TiledPicture tb = TiledPicture::Record(store, b, {&ta});
  // Left tile as in a, right tile as in b: both come from the references.
  Bitmap c = b;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) c.Set(x, y, a.At(x, y));
  const std::size_t tiles = store.Tiles();
  const TiledPicture tc = TiledPicture::Record(store, c, {&tb, &ta});
  EXPECT_EQ(store.Tiles(), tiles);
  EXPECT_EQ(tc.TileAt(0, 0), ta.TileAt(0, 0));
  EXPECT_EQ(tc.Picture(), c);
  // A reference of another size shares nothing.
  const TiledPicture td = TiledPicture::Record(store, c.Copy(0, 0, 128, 63), {&tc});
  EXPECT_EQ(store.Tiles(), tiles + 2);
}

TEST(TiledPicture, OneColourTilesKeepNoPixels) {
  TileStore store;
  Bitmap white(640, 640);
  Paint(white, 100, 100, 10, 10, MakePixel(0, 0, 0));
  const TiledPicture t = TiledPicture::Record(store, white);
  EXPECT_EQ(store.Tiles(), 100u);
  // One tile holds the black square; the 99 others a colour each.
  EXPECT_LT(store.Bytes(), kTileData + 100 * 256 + 100 * sizeof(void*) * 2);
  EXPECT_EQ(t.Picture(), white);
}

TEST(TiledPicture, SharedTilesOutliveThePictureTheyCameFrom) {
  TileStore store;
  const Bitmap a = Noise(200, 150, 5);
  Bitmap b = a;
  Paint(b, 10, 10, 5, 5, MakePixel(255, 0, 0));
  {
    auto ta = std::make_unique<TiledPicture>(TiledPicture::Record(store, a));
    TiledPicture tb = TiledPicture::Record(store, b, {ta.get()});
    const std::size_t both = store.Bytes();
    ta.reset();
    // Only the one tile that b replaced and a's grid went away.
    EXPECT_EQ(store.Tiles(), 12u);
    EXPECT_LT(store.Bytes(), both - kTileData);
    EXPECT_EQ(tb.Picture(), b);
    // Moving keeps the tiles; assigning over a picture frees its own.
    TiledPicture moved = std::move(tb);
    EXPECT_EQ(moved.Picture(), b);
    EXPECT_EQ(tb.Width(), 0);
    moved = TiledPicture::Record(store, Bitmap(10, 10));
    EXPECT_EQ(store.Tiles(), 1u);
  }
  EXPECT_EQ(store.Bytes(), 0u);
  EXPECT_EQ(store.Tiles(), 0u);
}

TEST(TiledPicture, RunningOutOfMemoryKeepsNothing) {
  TileStore store;
  const Bitmap a = Noise(640, 640, 7);
  const TiledPicture ta = TiledPicture::Record(store, a);
  const std::size_t bytes = store.Bytes();
  const std::size_t tiles = store.Tiles();
  Bitmap b = Noise(640, 640, 8);
  // Room for the grid and a few tiles, not for a hundred.
  store.SetLimit(bytes + 10 * kTileData);
  EXPECT_THROW(TiledPicture::Record(store, b, {&ta}), std::bad_alloc);
  EXPECT_EQ(store.Bytes(), bytes);
  EXPECT_EQ(store.Tiles(), tiles);
  // A change of a few tiles still fits.
  Bitmap c = a;
  Paint(c, 0, 0, 100, 100, MakePixel(3, 4, 5));
  Paint(c, 0, 0, 1, 1, MakePixel(6, 4, 5));
  const TiledPicture tc = TiledPicture::Record(store, c, {&ta});
  EXPECT_EQ(tc.Picture(), c);
  EXPECT_EQ(ta.Picture(), a);
  store.SetLimit(0);
  EXPECT_NO_THROW(TiledPicture::Record(store, b, {&ta}));
}

// A history's life: states of pictures of several sizes recorded against the
// previous or an older state, states dropped at random, and every state left
// still gives back its picture.
TEST(TiledPicture, StatesSurviveDeletionsAcrossSizes) {
  struct State {
    Bitmap picture;
    std::unique_ptr<TiledPicture> tiles;
  };
  TileStore store;
  std::mt19937 gen(42);
  std::vector<State> states;
  Bitmap current = Noise(200, 130, 1);
  const Bitmap other = Noise(90, 70, 2);
  for (int step = 0; step < 60; ++step) {
    const int op = static_cast<int>(gen() % 10);
    if (op < 6) {
      const int w = current.Width(), h = current.Height();
      const int x = static_cast<int>(gen() % w), y = static_cast<int>(gen() % h);
      Paint(current, x, y, std::min(w - x, 1 + static_cast<int>(gen() % 40)),
            std::min(h - y, 1 + static_cast<int>(gen() % 40)), 0xFF000000u | (gen() & 0xFFFFFFu));
    } else if (op < 7) {
      current = current.Width() == other.Width() ? Noise(200, 130, gen()) : other;
    } else if (op < 9 && states.size() > 1) {
      states.erase(states.begin() + static_cast<long>(gen() % states.size()));
      continue;
    } else if (!states.empty()) {
      current = states[gen() % states.size()].picture;  // a restore, then a change from it
    }
    const TiledPicture* last = states.empty() ? nullptr : states.back().tiles.get();
    const TiledPicture* random = states.empty() ? nullptr : states[gen() % states.size()].tiles.get();
    states.push_back({current, std::make_unique<TiledPicture>(TiledPicture::Record(store, current, {last, random}))});
    for (const State& s : states) ASSERT_EQ(s.tiles->Picture(), s.picture) << "step " << step;
  }
  // Far fewer tiles than states times tiles per picture.
  std::size_t full = 0;
  for (const State& s : states) full += static_cast<std::size_t>(s.tiles->TileColumns()) * s.tiles->TileRows();
  EXPECT_LT(store.Tiles(), full / 2);
  states.clear();
  EXPECT_EQ(store.Bytes(), 0u);
}

TEST(TiledPicture, FastRowsEqualThePlainOnes) {
  std::mt19937 gen(9);
  for (int n = 1; n <= 70; ++n) {
    std::vector<Pixel> row(n);
    for (Pixel& p : row) p = gen();
    std::vector<std::uint8_t> packed(3 * n + 4, 0xAB);
    detail::PackRow(packed.data(), row.data(), n);
    std::vector<Pixel> fast(n), plain(n);
    detail::UnpackRow(fast.data(), packed.data(), n);
    detail::UnpackRowPlain(plain.data(), packed.data(), n);
    ASSERT_EQ(fast, plain) << n;
    for (int i = 0; i < n; ++i) ASSERT_EQ(plain[i], row[i] | 0xFF000000u) << n << " " << i;
    EXPECT_TRUE(detail::RowEquals(row.data(), packed.data(), n));
    EXPECT_TRUE(detail::RowEqualsPlain(row.data(), packed.data(), n));
    // One channel of one pixel off: both ways see it; the fourth byte is ignored.
    for (int i = 0; i < n; ++i)
      for (Pixel bit : {0x000001u, 0x008000u, 0x800000u, 0x01000000u}) {
        std::vector<Pixel> other = row;
        other[i] ^= bit;
        const bool same = bit == 0x01000000u;
        ASSERT_EQ(detail::RowEquals(other.data(), packed.data(), n), same) << n << " " << i << " " << bit;
        ASSERT_EQ(detail::RowEqualsPlain(other.data(), packed.data(), n), same) << n << " " << i << " " << bit;
      }
  }
}

TEST(TiledPicture, AChangedRegionSparesTheComparisonOutsideIt) {
  TileStore store;
  const Bitmap a = Noise(320, 192, 1);  // 5 x 3 tiles
  const TiledPicture ta = TiledPicture::Record(store, a);
  Bitmap b = a;
  Paint(b, 70, 70, 10, 10, MakePixel(1, 2, 3));    // inside the region
  Paint(b, 300, 10, 2, 2, MakePixel(4, 5, 6));     // outside: the caller vouched it did not change
  const PictureRegion changed{60, 60, 90, 90};
  const TiledPicture tb = TiledPicture::Record(store, b, {&ta}, &changed);
  EXPECT_EQ(store.Tiles(), 16u);
  EXPECT_EQ(tb.TileAt(4, 0), ta.TileAt(4, 0));  // taken over unseen
  EXPECT_NE(tb.TileAt(1, 1), ta.TileAt(1, 1));
  Bitmap expected = b;  // with the unvouched change left out
  for (int y = 10; y < 12; ++y)
    for (int x = 300; x < 302; ++x) expected.Set(x, y, a.At(x, y));
  EXPECT_EQ(tb.Picture(), expected);
  // A region that does not vouch for the first reference: everything compared.
  const TiledPicture other = TiledPicture::Record(store, Noise(100, 100, 3));
  const TiledPicture tc = TiledPicture::Record(store, b, {&other, &ta}, &changed);
  EXPECT_EQ(tc.Picture(), b);
}

TEST(TiledPicture, ReadsIntoSeveralPicturesAtOnce) {
  TileStore store;
  const Bitmap a = Noise(150, 100, 4);
  const TiledPicture t = TiledPicture::Record(store, a);
  Bitmap same(150, 100), smaller(10, 10), empty;
  Bitmap* outs[] = {&same, &smaller, &empty};
  t.ReadInto(outs);
  EXPECT_EQ(same, a);
  EXPECT_EQ(smaller, a);
  EXPECT_EQ(empty, a);
}

}  // namespace
}  // namespace rv
