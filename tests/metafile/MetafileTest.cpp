// The metafile reader and writer: drawing of hand-made records, the corpus,
// damaged files, round trips, and other programs reading what we write.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "document/PictureFiles.h"
#include "document/metafile/MetafileReader.h"
#include "document/metafile/MetafileWriter.h"
#include "metafile/MetafileTestSupport.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;
using test::Emr;
using test::MakeEmf;
using test::MakeWmf;
using test::Wmr;

constexpr std::int32_t kNullPen = static_cast<std::int32_t>(0x80000008u);
constexpr std::uint32_t kRed = 0x0000FF;  // COLORREF: red in the low byte

Bitmap Render(const std::vector<std::uint8_t>& bytes) { return RenderMetafile(bytes.data(), bytes.size()); }

int Red(const Bitmap& b, int x, int y) { return PixelRed(b.At(x, y)); }
bool IsRed(const Bitmap& b, int x, int y) { return (b.At(x, y) & 0xFFFFFF) == 0xFF0000; }
bool IsWhite(const Bitmap& b, int x, int y) { return (b.At(x, y) & 0xFFFFFF) == 0xFFFFFF; }

std::vector<std::uint8_t> Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path TempDir() {
  const fs::path d = fs::temp_directory_path() / ("rv-metafile-" + std::to_string(::getpid()));
  fs::create_directories(d);
  return d;
}

// A red brush and no pen, then the given records.
std::vector<std::vector<std::uint8_t>> RedFill(std::vector<std::vector<std::uint8_t>> then) {
  std::vector<std::vector<std::uint8_t>> r = {Emr(39, {1, 0, static_cast<std::int32_t>(kRed), 0}), Emr(37, {1}),
                                              Emr(37, {kNullPen})};
  r.insert(r.end(), then.begin(), then.end());
  return r;
}

TEST(MetafileSize, ComesFromTheHeader) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    int w, h;
  };
  const Case cases[] = {
      {"EMF frame 25.4 x 12.7 mm at 96 dpi", MakeEmf(2540, 1270, {}), 96, 48},
      {"placeable WMF, 1440 units per inch", MakeWmf(true, 1440, 720, 1440, {}), 96, 48},
      {"placeable WMF, 96 units per inch", MakeWmf(true, 300, 200, 96, {}), 300, 200},
      {"plain WMF: its window extent", MakeWmf(false, 0, 0, 0, {Wmr(0x020C, {30, 40})}), 40, 30},
  };
  for (const Case& c : cases) {
    const MetafileSize s = MetafilePixelSize(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(s.width, c.w) << c.what;
    EXPECT_EQ(s.height, c.h) << c.what;
    const Bitmap b = Render(c.bytes);
    EXPECT_EQ(b.Width(), c.w) << c.what;
    EXPECT_TRUE(IsWhite(b, 0, 0) && IsWhite(b, c.w - 1, c.h - 1)) << c.what << ": a new picture is white";
  }
}

TEST(MetafileSize, UnreasonableHeadersAreRefused) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<std::uint8_t> badSignature = MakeEmf(2540, 2540, {});
  badSignature[40] = 'X';
  std::vector<std::uint8_t> shortHeader = MakeEmf(2540, 2540, {});
  shortHeader[4] = 40;  // header claims 40 bytes
  const Case cases[] = {
      {"a frame of 100 m claims a million pixels a side", MakeEmf(10'000'000, 10'000'000, {})},
      {"wider than the side limit", MakeEmf(2'000'000, 100, {})},
      {"no frame and no bounds", MakeEmf(0, 0, {})},
      {"not an EMF signature", badSignature},
      {"header shorter than its fixed part", shortHeader},
      {"plain WMF without a window", MakeWmf(false, 0, 0, 0, {})},
      {"placeable WMF with an empty box", MakeWmf(true, 0, 0, 96, {})},
      {"no metafile at all", std::vector<std::uint8_t>(64, 0x42)},
      {"nothing", {}},
  };
  for (const Case& c : cases)
    EXPECT_THROW(RenderMetafile(c.bytes.data(), c.bytes.size()), MetafileError) << c.what;
}

TEST(MetafileDrawing, MappingModesPlaceTheShapes) {
  // 96 x 96 pixels; a red rectangle 0..100 logical units a side.
  struct Case {
    const char* what;
    std::vector<std::vector<std::uint8_t>> records;
    int inside, outside;  // a pixel (d, d) inside and one outside along the diagonal
  };
  const Case cases[] = {
      {"text mode: logical units are pixels", RedFill({Emr(43, {0, 0, 40, 40})}), 39, 41},
      {"anisotropic: window 100, viewport 50 halves", RedFill({Emr(17, {8}), Emr(9, {100, 100}), Emr(11, {50, 50}),
                                                              Emr(43, {0, 0, 100, 100})}),
       49, 51},
      {"isotropic takes the smaller scale", RedFill({Emr(17, {7}), Emr(9, {100, 100}), Emr(11, {30, 60}),
                                                     Emr(43, {0, 0, 100, 100})}),
       29, 31},
      {"lometric: 0.1 mm with y up", RedFill({Emr(17, {2}), Emr(43, {0, 0, 100, -100})}), 36, 39},
      {"window origin moves the picture", RedFill({Emr(10, {-20, -20}), Emr(43, {0, 0, 20, 20})}), 39, 41},
      {"world transform scales by 2", RedFill({Emr(35, {0x40000000, 0, 0, 0x40000000, 0, 0}),
                                               Emr(43, {0, 0, 20, 20})}),
       39, 41},
      {"a restored context forgets the scale", RedFill({Emr(33, {}), Emr(35, {0x40000000, 0, 0, 0x40000000, 0, 0}),
                                                        Emr(34, {-1}), Emr(43, {0, 0, 20, 20})}),
       19, 21},
  };
  for (const Case& c : cases) {
    const Bitmap b = Render(MakeEmf(2540, 2540, c.records));
    ASSERT_EQ(b.Width(), 96);
    EXPECT_TRUE(IsRed(b, c.inside, c.inside)) << c.what;
    EXPECT_TRUE(IsWhite(b, c.outside, c.outside)) << c.what;
  }
}

TEST(MetafileDrawing, ClipRectanglesLimitTheFill) {
  const Bitmap b = Render(MakeEmf(2540, 2540, RedFill({Emr(30, {10, 10, 30, 30}), Emr(29, {15, 15, 20, 20}),
                                                         Emr(43, {0, 0, 96, 96})})));
  EXPECT_TRUE(IsRed(b, 12, 12));
  EXPECT_TRUE(IsWhite(b, 17, 17)) << "excluded";
  EXPECT_TRUE(IsWhite(b, 5, 5)) << "outside the intersection";
  EXPECT_TRUE(IsWhite(b, 31, 31));
}

TEST(MetafileDrawing, PathsFillWhatTheyEnclose) {
  // Triangle as a path: begin, move, two lines, close, end, fill.
  const Bitmap b = Render(MakeEmf(2540, 2540, RedFill({Emr(59, {}), Emr(27, {0, 0}), Emr(54, {90, 0}),
                                                         Emr(54, {0, 90}), Emr(61, {}), Emr(60, {}),
                                                         Emr(62, {0, 0, 90, 90})})));
  EXPECT_TRUE(IsRed(b, 10, 10));
  EXPECT_TRUE(IsWhite(b, 80, 80)) << "beyond the hypotenuse";
}

TEST(MetafileDrawing, PlaceableWmfScalesItsBoxOntoThePicture) {
  // Box 200 x 100 units at 192 per inch: 100 x 50 pixels; the rectangle covers half the width.
  const auto wmf = MakeWmf(true, 200, 100, 192,
                           {Wmr(0x02FC, {0, static_cast<std::int16_t>(kRed), 0, 0}), Wmr(0x012D, {0}),
                            Wmr(0x02FA, {5, 0, 0, 0, 0}), Wmr(0x012D, {1}), Wmr(0x041B, {100, 100, 0, 0})});
  const Bitmap b = Render(wmf);
  ASSERT_EQ(b.Width(), 100);
  ASSERT_EQ(b.Height(), 50);
  EXPECT_TRUE(IsRed(b, 25, 25));
  EXPECT_TRUE(IsRed(b, 49, 49));
  EXPECT_TRUE(IsWhite(b, 51, 25));
}

TEST(MetafileDrawing, TextIsDrawnInTheTextColour) {
  // EXTTEXTOUTW "HH" at (8, 8), top-left aligned, after a 20-pixel font.
  test::RecordWriter font;
  font.U32(82).U32(332).U32(1).I32(-20).I32(0).I32(0).I32(0).I32(700).U32(0);
  for (const char c : std::string("DejaVu Sans")) font.U16(static_cast<unsigned char>(c));
  while (font.b.size() < 332) font.U16(0);
  test::RecordWriter text;
  text.U32(84).U32(96).I32(0).I32(0).I32(0).I32(0).U32(1).U32(0).U32(0);
  text.I32(8).I32(8).U32(2).U32(76).U32(0).I32(0).I32(0).I32(-1).I32(-1).U32(80);
  text.U16('H').U16('H').U32(14).U32(14);
  ASSERT_EQ(text.b.size(), 88u);
  text.b.resize(96, 0);
  const Bitmap b = Render(MakeEmf(2540, 2540, {font.b, Emr(37, {1}), Emr(24, {static_cast<std::int32_t>(kRed)}),
                                               Emr(18, {1}), text.b}));
  int red = 0, other = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) {
      if (Red(b, x, y) > 200 && PixelGreen(b.At(x, y)) < 60) {
        ++red;
        EXPECT_TRUE(x >= 8 && x < 40 && y >= 8 && y < 32) << x << "," << y;
      }
      if (!IsWhite(b, x, y) && (x < 6 || y < 6 || x > 44 || y > 34)) ++other;
    }
  EXPECT_GT(red, 40);
  EXPECT_EQ(other, 0) << "transparent background: nothing but the letters";
}

// A 2 x 2 DIB (top-left, top-right, bottom-left, bottom-right) in each pixel
// format, stretched over a 24 x 24 picture: the rows must come out upright.
TEST(MetafileDrawing, BitmapsOfEveryDepthStandUpright) {
  const QRgb tl = qRgb(255, 0, 0), tr = qRgb(0, 255, 0), bl = qRgb(0, 0, 255), br = qRgb(255, 255, 255);
  struct Case {
    int bpp;
    bool topDown;
  };
  for (const Case c : {Case{1, false}, Case{4, false}, Case{8, false}, Case{16, false}, Case{24, false},
                       Case{32, false}, Case{24, true}}) {
    test::RecordWriter info;
    const int colours = c.bpp <= 8 ? 4 : 0;
    info.U32(40).I32(2).I32(c.topDown ? -2 : 2).U16(1).U16(static_cast<std::uint32_t>(c.bpp)).U32(0).U32(0);
    info.I32(0).I32(0).U32(c.bpp == 1 ? 2 : static_cast<std::uint32_t>(colours)).U32(0);
    const QRgb palette[4] = {tl, tr, bl, br};
    for (int i = 0; i < (c.bpp == 1 ? 2 : colours); ++i)
      info.U32(static_cast<std::uint32_t>(qBlue(palette[i]) | (qGreen(palette[i]) << 8) | (qRed(palette[i]) << 16)));
    // Rows as stored: bottom row first unless top-down. One bit per pixel can
    // hold two colours only: that case uses tl/tr in the top row, tr/tl below.
    auto row = [&](bool top) {
      test::RecordWriter r;
      const QRgb a = top ? tl : bl, b = top ? tr : br;
      switch (c.bpp) {
        case 1: r.b = {static_cast<std::uint8_t>(top ? 0x40 : 0x80), 0, 0, 0}; break;
        case 4: r.b = {static_cast<std::uint8_t>(top ? 0x01 : 0x23), 0, 0, 0}; break;
        case 8: r.b = {static_cast<std::uint8_t>(top ? 0 : 2), static_cast<std::uint8_t>(top ? 1 : 3), 0, 0}; break;
        case 16:
          for (QRgb p : {a, b}) r.U16(static_cast<std::uint32_t>(((qRed(p) >> 3) << 10) | ((qGreen(p) >> 3) << 5) | (qBlue(p) >> 3)));
          break;
        case 24:
          r.U32(static_cast<std::uint32_t>(qBlue(a) | (qGreen(a) << 8) | (qRed(a) << 16) | (qBlue(b) << 24)));
          r.U32(static_cast<std::uint32_t>(qGreen(b) | (qRed(b) << 8)));  // padded to four bytes
          break;
        case 32:
          for (QRgb p : {a, b}) r.U32(static_cast<std::uint32_t>(qBlue(p) | (qGreen(p) << 8) | (qRed(p) << 16)));
          break;
      }
      return r.b;
    };
    std::vector<std::uint8_t> bits = row(c.topDown);
    const auto second = row(!c.topDown);
    bits.insert(bits.end(), second.begin(), second.end());
    test::RecordWriter rec;
    const std::uint32_t cbBmi = static_cast<std::uint32_t>(info.b.size());
    rec.U32(81).U32(static_cast<std::uint32_t>(80 + cbBmi + bits.size()));
    rec.I32(0).I32(0).I32(23).I32(23).I32(0).I32(0).I32(0).I32(0).I32(2).I32(2);
    rec.U32(80).U32(cbBmi).U32(80 + cbBmi).U32(static_cast<std::uint32_t>(bits.size())).U32(0).U32(0x00CC0020);
    rec.I32(24).I32(24);
    rec.b.insert(rec.b.end(), info.b.begin(), info.b.end());
    rec.b.insert(rec.b.end(), bits.begin(), bits.end());
    const Bitmap b = Render(MakeEmf(635, 635, {rec.b}));
    ASSERT_EQ(b.Width(), 24);
    const bool one = c.bpp == 1;
    const std::map<std::pair<int, int>, QRgb> want = {{{6, 6}, tl}, {{18, 6}, tr}, {{6, 18}, one ? tr : bl},
                                                      {{18, 18}, one ? tl : br}};
    for (const auto& [at, colour] : want)
      EXPECT_EQ(b.At(at.first, at.second) & 0xF8F8F8, colour & 0xF8F8F8)
          << c.bpp << " bits" << (c.topDown ? " top-down" : "") << " at " << at.first << "," << at.second;
  }
}

// ---- The corpus ----

// Files that are refused, and why.
const std::map<std::string, std::string> kRefused = {
    {"test-156.emf", "frame 3.2 x 4.1 m: 12047 x 15591 pixels, beyond the picture limit"},
    {"test-157.emf", "the same poster frame"},
    {"test-158.emf", "the same poster frame"},
    {"test-159.emf", "the same poster frame"},
};
// Files that open but leave the picture white, and why.
const std::map<std::string, std::string> kBlank = {
    {"test-030.emf", "holds only stock-object selections, nothing is drawn"},
    {"test-185.emf", "EMF+ picture whose fallback text is glyph indices only"},
};

TEST(MetafileCorpus, EveryFileOpensOrIsRefusedForAKnownReason) {
  const fs::path dir = test::CorpusDir() / "emf";
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int opened = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".emf") continue;
    const std::string name = e.path().filename().string();
    if (kRefused.count(name)) {
      EXPECT_THROW(LoadPictureFile(e.path().string()), PictureError) << name;
      continue;
    }
    Bitmap b;
    ASSERT_NO_THROW(b = LoadPictureFile(e.path().string())) << name;
    ++opened;
    std::int64_t marked = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) marked += !IsWhite(b, x, y);
    if (kBlank.count(name))
      EXPECT_EQ(marked, 0) << name << " now draws: take it off the blank list";
    else
      EXPECT_GT(marked, 0) << name << " is blank";
  }
  EXPECT_GE(opened, 12);
  // The kept files include a refused and a blank one, so both lists are tried.
  EXPECT_TRUE(fs::exists(dir / "test-156.emf"));
  EXPECT_TRUE(fs::exists(dir / "test-030.emf"));
}

TEST(MetafileCorpus, DamagedFilesAreRefusedOrDrawn) {
  const fs::path dir = test::CorpusDir() / "emf-corrupted";
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".emf") continue;
    ++files;
    try {
      const Bitmap b = LoadPictureFile(e.path().string());
      EXPECT_FALSE(b.Empty()) << e.path();
    } catch (const PictureError&) {
    }
  }
  EXPECT_GE(files, 19);
}

// Truncated and bit-flipped copies of small corpus files, and of our own output.
TEST(MetafileCorpus, TruncatedAndFlippedCopiesAreRefusedOrDrawn) {
  std::vector<std::vector<std::uint8_t>> originals;
  for (const char* name : {"test-007.emf", "test-023.emf", "test-027.emf", "test-065.emf", "EA-test-file-101.emf",
                           "test-104.emf"})
    originals.push_back(Slurp(test::CorpusDir() / "emf" / name));
  std::stringstream wmf;
  ASSERT_TRUE(WriteWmfStream(test::Noise(9, 5, 1), wmf));
  const std::string w = wmf.str();
  originals.emplace_back(w.begin(), w.end());
  std::uint32_t s = 12345;
  auto next = [&] { return s = s * 1664525u + 1013904223u; };
  int refused = 0, drawn = 0;
  auto attempt = [&](const std::vector<std::uint8_t>& bytes) {
    MetafileLimits limits;
    limits.maxPixels = 4'000'000;
    try {
      RenderMetafile(bytes.data(), bytes.size(), limits);
      ++drawn;
    } catch (const MetafileError&) {
      ++refused;
    }
  };
  for (const auto& o : originals) {
    ASSERT_FALSE(o.empty());
    for (int k = 1; k <= 12; ++k) attempt(std::vector<std::uint8_t>(o.begin(), o.begin() + o.size() * k / 13));
    for (int k = 0; k < 40; ++k) {
      std::vector<std::uint8_t> f = o;
      for (int flips = 0; flips < 1 + k % 4; ++flips) f[next() % f.size()] ^= static_cast<std::uint8_t>(1u << (next() % 8));
      attempt(f);
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(drawn, 0);
}

// Records whose counts, offsets or sizes lie: each is skipped and the picture
// stays white, without reading past the record or allocating what it claims.
TEST(MetafileCorpus, LyingRecordsAreSkipped) {
  test::RecordWriter hugeDib;  // STRETCHDIBITS of a 1e6 x 1e6 bitmap with 4 bytes of rows
  hugeDib.U32(81).U32(80 + 40 + 4).I32(0).I32(0).I32(9).I32(9).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1);
  hugeDib.U32(80).U32(40).U32(120).U32(4).U32(0).U32(0x00CC0020).I32(10).I32(10);
  hugeDib.U32(40).I32(1'000'000).I32(1'000'000).U16(1).U16(24).U32(0).U32(0).I32(0).I32(0).U32(0).U32(0).U32(0);
  test::RecordWriter bigText;  // EXTTEXTOUTW claiming 2^30 characters
  bigText.U32(84).U32(76).I32(0).I32(0).I32(0).I32(0).U32(1).U32(0).U32(0).I32(5).I32(5).U32(1u << 30).U32(76);
  bigText.U32(0).I32(0).I32(0).I32(0).I32(0).U32(0);
  std::vector<std::vector<std::uint8_t>> manySaves;
  for (int i = 0; i < 5000; ++i) manySaves.push_back(Emr(33, {}));
  manySaves.push_back(Emr(34, {-4999}));
  struct Case {
    const char* what;
    std::vector<std::vector<std::uint8_t>> records;
  };
  const Case cases[] = {
      {"polygon claiming 2^30 points", RedFill({Emr(3, {0, 0, 9, 9, 1 << 30, 1, 1})})},
      {"poly-polygon whose counts exceed its points",
       RedFill({Emr(8, {0, 0, 9, 9, 2, 3, 2, 2, 0, 0, 5, 0, 5, 5})})},
      {"clip region claiming 2^28 rectangles", RedFill({Emr(75, {48, 5, 32, 1, 1 << 28, 16, 0, 0, 9, 9, 0, 0, 9, 9}),
                                                        Emr(43, {0, 0, 0, 0})})},
      {"bitmap far larger than its rows", {hugeDib.b}},
      {"text longer than its record", RedFill({bigText.b})},
      {"a transform of infinities", RedFill({Emr(35, {0x7F800000, 0, 0, 0x7F800000, 0, 0}), Emr(43, {0, 0, 50, 50})})},
      {"a rectangle beyond any picture", RedFill({Emr(43, {-2'000'000'000, -2'000'000'000, 2'000'000'000, 2'000'000'000})})},
      {"5000 saved states", manySaves},
  };
  for (const Case& c : cases) {
    const Bitmap b = Render(MakeEmf(2540, 2540, c.records));
    int marked = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) marked += !IsWhite(b, x, y);
    EXPECT_EQ(marked, 0) << c.what;
  }
}

// A file that paints the whole picture over and over ends within its budget.
TEST(MetafileCorpus, RepaintingIsBounded) {
  std::vector<std::vector<std::uint8_t>> records = RedFill({});
  for (int i = 0; i < 200000; ++i) records.push_back(Emr(43, {0, 0, 1000, 1000}));
  // Then a green square: by now the budget (a few hundred coats) is spent.
  records.push_back(Emr(39, {2, 0, 0x00FF00, 0}));
  records.push_back(Emr(37, {2}));
  records.push_back(Emr(43, {400, 400, 600, 600}));
  const auto emf = MakeEmf(26458, 26458, records);  // 1000 x 1000 pixels
  const Bitmap b = Render(emf);
  ASSERT_EQ(b.Width(), 1000);
  EXPECT_TRUE(IsRed(b, 500, 500)) << "the first fills are drawn, the last is not";
}

// Inputs the fuzzer found troublesome (run under the sanitizers to matter):
// escapement-int-min.emf turned a font's escapement of INT_MIN negative.
TEST(MetafileCorpus, FuzzFindingsStayFixed) {
  const fs::path dir = fs::path(RV_METAFILE_TEST_DATA) / "fuzz";
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) {
    const auto bytes = Slurp(e.path());
    ++files;
    MetafileLimits limits;
    limits.maxPixels = 4'000'000;
    try {
      RenderMetafile(bytes.data(), bytes.size(), limits);
    } catch (const MetafileError&) {
    }
  }
  EXPECT_GE(files, 1);
}

// ---- Writing ----

class MetafileFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = TempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(MetafileFiles, RoundTripsArePixelExact) {
  for (const char* name : {"a.emf", "b.EMF", "c.Emf", "d.wmf", "e.WMF", "f.wMf"}) {
    for (const auto& [w, h] : {std::pair{37, 23}, std::pair{1, 1}, std::pair{64, 3}}) {
      const Bitmap src = test::Noise(w, h, static_cast<std::uint32_t>(w * 7 + h));
      WritePictureFile(src, Path(name));
      const auto bytes = Slurp(Path(name));
      EXPECT_EQ(DetectMetafile(bytes.data(), bytes.size()),
                IsWmfName(name) ? MetafileKind::Wmf : MetafileKind::Emf) << name;
      const Bitmap back = LoadPictureFile(Path(name));
      EXPECT_TRUE(SameColors(back, src)) << name << " " << w << "x" << h;
      EXPECT_TRUE(SameColors(LoadMetafileFile(Path(name)), src)) << name;
    }
  }
}

TEST_F(MetafileFiles, PlaceableHeaderCarriesItsChecksum) {
  std::stringstream out;
  ASSERT_TRUE(WriteWmfStream(test::Noise(10, 7, 2), out));
  const std::string s = out.str();
  auto word = [&](int i) { return static_cast<std::uint16_t>(static_cast<std::uint8_t>(s[2 * i]) | (static_cast<std::uint8_t>(s[2 * i + 1]) << 8)); };
  std::uint16_t x = 0;
  for (int i = 0; i < 10; ++i) x ^= word(i);
  EXPECT_EQ(word(10), x);
  EXPECT_EQ(word(7), 96) << "units per inch";
  EXPECT_EQ(word(5), 10);
  EXPECT_EQ(word(6), 7);
  // The standard header's size is the file's length in words.
  const std::uint32_t words = word(11 + 3) | (static_cast<std::uint32_t>(word(11 + 4)) << 16);
  EXPECT_EQ(2 * words + 22, s.size());
}

TEST_F(MetafileFiles, AMetafileUnderAnotherNameOpensByItsContent) {
  const Bitmap src = test::Noise(12, 9, 5);
  WritePictureFile(src, Path("x.emf"));
  fs::rename(Path("x.emf"), Path("picture.jpg"));
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("picture.jpg")), src));
  WritePictureFile(src, Path("y.wmf"));
  fs::rename(Path("y.wmf"), Path("y.dat"));
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("y.dat")), src));
}

TEST_F(MetafileFiles, DamagedOrMissingMetafilesRaisePictureError) {
  std::ofstream(Path("cut.emf"), std::ios::binary).write("\x01\0\0\0\x6c\0\0\0", 8);
  EXPECT_THROW(LoadMetafileFile(Path("cut.emf")), PictureError);
  EXPECT_THROW(LoadMetafileFile(Path("missing.emf")), PictureError);
  std::ofstream(Path("text.wmf")) << "hello";
  EXPECT_THROW(LoadMetafileFile(Path("text.wmf")), PictureError);
  // A broken record chain after a sound header.
  auto emf = MakeEmf(2540, 2540, {Emr(43, {0, 0, 10, 10})});
  emf[88 + 4] = 7;  // the rectangle's size is no multiple of four
  std::ofstream(Path("chain.emf"), std::ios::binary).write(reinterpret_cast<const char*>(emf.data()), static_cast<std::streamsize>(emf.size()));
  EXPECT_THROW(LoadPictureFile(Path("chain.emf")), PictureError);
}

TEST_F(MetafileFiles, WmfBeyondItsSixteenBitLimitIsNotWritten) {
  const Bitmap wide(32768, 1);
  EXPECT_THROW(WritePictureFile(wide, Path("wide.wmf")), PictureError);
  EXPECT_FALSE(fs::exists(Path("wide.wmf")));
}

std::string ConvertCommand() { return fs::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert"; }

TEST_F(MetafileFiles, ImageMagickDrawsOurWmf) {
  // Colour blocks, so that the other reader's resampling cannot blur the check.
  Bitmap src(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      src.Set(x, y, x < 32 ? (y < 24 ? MakePixel(200, 30, 30) : MakePixel(30, 200, 30))
                           : (y < 24 ? MakePixel(30, 30, 200) : MakePixel(240, 220, 20)));
  WritePictureFile(src, Path("our.wmf"));
  const std::string cmd = ConvertCommand() + " -density 96 " + Path("our.wmf") + " " + Path("out.png") + " 2>" +
                          Path("convert.txt");
  ASSERT_EQ(std::system(cmd.c_str()), 0) << "ImageMagick could not read the WMF";
  QImage img(QString::fromStdString(Path("out.png")));
  ASSERT_FALSE(img.isNull());
  img = img.convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.width(), 64);
  EXPECT_EQ(img.height(), 48);
  for (const auto& [x, y] : {std::pair{10, 10}, std::pair{50, 10}, std::pair{10, 40}, std::pair{50, 40}}) {
    const QRgb got = img.pixel(x * img.width() / 64, y * img.height() / 48);
    const Pixel want = src.At(x, y);
    EXPECT_NEAR(qRed(got), PixelRed(want), 8) << x << "," << y;
    EXPECT_NEAR(qGreen(got), PixelGreen(want), 8) << x << "," << y;
    EXPECT_NEAR(qBlue(got), PixelBlue(want), 8) << x << "," << y;
  }
}

// ---- The batch command ----

int RunBatch(const std::string& args) {
  const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY " + std::string(RV_BATCH_EXE) + " " + args + " >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(MetafileFiles, BatchCommandReadsAndWritesMetafiles) {
  const Bitmap src = test::Noise(21, 13, 9);
  WritePictureFile(src, Path("in.png"));
  ASSERT_EQ(RunBatch(Path("in.png") + " " + Path("out.emf")), 0);
  ASSERT_EQ(RunBatch(Path("out.emf") + " " + Path("out.Wmf")), 0);
  ASSERT_EQ(RunBatch(Path("out.Wmf") + " " + Path("back.bmp")), 0);
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("back.bmp")), src));
  // A corpus drawing with text, through the command.
  ASSERT_EQ(RunBatch((test::CorpusDir() / "emf" / "EA-test-file-101.emf").string() + " " + Path("ea.png")), 0);
  const Bitmap ea = LoadPictureFile(Path("ea.png"));
  EXPECT_TRUE(SameColors(ea, LoadPictureFile((test::CorpusDir() / "emf" / "EA-test-file-101.emf").string())))
      << "the command draws as the editor does, text included";
  std::ofstream(Path("bad.emf"), std::ios::binary) << std::string(100, '\x01');
  EXPECT_NE(RunBatch(Path("bad.emf") + " " + Path("x.png")), 0);
}

}  // namespace
}  // namespace rv

int main(int argc, char** argv) {
  // Text records need fonts, and fonts need the GUI application.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
