// Every writer's file read back by our own loader and by other programs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "document/PictureFiles.h"
#include "document/SaveTestSupport.h"
#include "document/io/BmpWriter.h"
#include "document/io/ColorReduce.h"
#include "document/io/SafeFile.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

using test::Shell;

class Writers : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* p : {"identify", "compare", "djpeg"})
      ASSERT_TRUE(test::HaveProgram(p)) << p << " is missing: run scripts/install-deps.sh --test";
  }
  // ImageMagick's count of pixels that differ from the reference (compare's AE metric).
  std::string Differing(const std::string& file, const Bitmap& expected) {
    const std::string ref = dir.Path("expected.ppm");
    test::WritePpm(expected, ref);
    const auto r = Shell("compare -metric AE '" + file + "' '" + ref + "' null:", dir);
    return r.err;  // compare prints the metric on stderr
  }
  std::string Identify(const std::string& file, const std::string& format) {
    const auto r = Shell("identify -format '" + format + "' '" + file + "'", dir);
    EXPECT_EQ(r.code, 0) << r.err;
    return r.out;
  }
  test::TempFolder dir;
};

// The picture as the 8-bit and GIF writers must store it.
Bitmap Reduced(const Bitmap& src) {
  const IndexedPicture r = ReduceColors(src);
  Bitmap out(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) out.Set(x, y, r.Palette[r.At(x, y)]);
  return out;
}

struct ExactCase {
  const char* name;
  int depth;
  const char* magick;  // ImageMagick's format name
};

TEST_F(Writers, ExactFormatsGiveBackEveryPixel) {
  // Odd width: rows of 24-bit data need padding. No writer may take the
  // fourth byte for anything: clear it on one row.
  Bitmap src = test::Noise(37, 23, 4);
  for (int x = 0; x < 37; ++x) src.Set(x, 5, src.At(x, 5) & 0x00FFFFFFu);
  const ExactCase cases[] = {{"a.bmp", 24, "BMP3"}, {"b.bmp", 32, "BMP3"}, {"c.png", 24, "PNG"}, {"d.ico", 24, "ICO"}};
  for (const ExactCase& c : cases) {
    const std::string path = dir.Path(c.name);
    WritePictureFile(src, path, 100, c.depth);
    EXPECT_TRUE(SameColors(LoadPictureFile(path), src)) << c.name;
    EXPECT_EQ(Identify(path, "%m %w %h"), std::string(c.magick) + " 37 23") << c.name;
    EXPECT_EQ(Differing(path, src), "0") << c.name;
  }
}

TEST_F(Writers, BitmapHeadersDeclareTheDepth) {
  const Bitmap src = test::Noise(13, 5, 9);
  for (int depth : {8, 16, 24, 32}) {
    const std::string path = dir.Path("d" + std::to_string(depth) + ".bmp");
    WritePictureFile(src, path, 100, depth);
    const std::string f = test::Slurp(path);
    ASSERT_GE(f.size(), 54u);
    EXPECT_EQ(f.substr(0, 2), "BM");
    EXPECT_EQ(test::Le32(f, 2), f.size()) << depth;
    EXPECT_EQ(static_cast<unsigned char>(f[28]), depth);
    const std::uint32_t palette = depth == 8 ? 13 * 5 : 0;  // 65 distinct colours fit in a palette
    EXPECT_EQ(test::Le32(f, 46), palette) << depth;
    const std::uint32_t stride = (13 * depth / 8 + 3) / 4 * 4;
    EXPECT_EQ(test::Le32(f, 10), 54 + 4 * palette) << depth;
    EXPECT_EQ(f.size(), 54 + 4 * palette + stride * 5) << depth;
    EXPECT_EQ(Identify(path, "%w %h"), "13 5");
  }
  // The depth is only for bitmaps and only these four.
  EXPECT_THROW(WritePictureFile(src, dir.Path("x.bmp"), 100, 12), PictureError);
  EXPECT_FALSE(test::fs::exists(dir.Path("x.bmp")));
}

TEST_F(Writers, PaletteFormatsStoreEachPixelsNearestPaletteColour) {
  for (const Bitmap& src : {test::Noise(40, 30, 8), test::Smooth(90, 60)}) {
    const Bitmap expected = Reduced(src);
    const std::vector<Pixel> palette = MedianCutPalette(src);
    ASSERT_EQ(palette.size(), 256u);
    for (int y = 0; y < src.Height(); ++y)
      for (int x = 0; x < src.Width(); ++x)
        ASSERT_EQ(test::SquaredDistance(src.At(x, y), expected.At(x, y)),
                  test::NearestSquaredDistance(palette, src.At(x, y)));
    for (const char* name : {"p.bmp", "p.gif"}) {
      const std::string path = dir.Path(name);
      WritePictureFile(src, path, 100, 8);
      EXPECT_TRUE(SameColors(LoadPictureFile(path), expected)) << name;
      EXPECT_EQ(Differing(path, expected), "0") << name;
      EXPECT_EQ(Identify(path, "%[type]"), "Palette") << name;
    }
    EXPECT_EQ(Identify(dir.Path("p.gif"), "%m %w %h %[interlace]"),
              "GIF " + std::to_string(src.Width()) + " " + std::to_string(src.Height()) + " None");
  }
  // Up to 256 colours survive exactly, down to a single one.
  Bitmap few(16, 16);
  for (int i = 0; i < 256; ++i) few.Set(i % 16, i / 16, MakePixel(i, (i * 37) & 255, 255 - i));
  for (const Bitmap& src : {few, test::Uniform(3, 2, {10, 20, 30})})
    for (const char* name : {"f.bmp", "f.gif"}) {
      WritePictureFile(src, dir.Path(name), 100, 8);
      EXPECT_TRUE(SameColors(LoadPictureFile(dir.Path(name)), src)) << name;
      EXPECT_EQ(Differing(dir.Path(name), src), "0") << name;
    }
}

TEST_F(Writers, SaveWithDepthWritesBitmapsAndGifs) {
  const Bitmap src = test::Noise(20, 10, 4);
  for (int depth : {8, 16, 24, 32}) {
    SaveWithDepth(src, dir.Path("s.Bmp"), depth);
    EXPECT_EQ(static_cast<unsigned char>(test::Slurp(dir.Path("s.Bmp"))[28]), depth);
    // The depth buttons do not apply to a GIF: always the palette picture.
    SaveWithDepth(src, dir.Path("s.GIF"), depth);
    EXPECT_TRUE(SameColors(LoadPictureFile(dir.Path("s.GIF")), Reduced(src))) << depth;
  }
  for (const char* name : {"s.jpg", "s.ico", "s.png", "s.tif"})
    EXPECT_THROW(SaveWithDepth(src, dir.Path(name), 24), UnsupportedFormatError) << name;
}

TEST_F(Writers, SixteenBitsKeepFiveBitsPerChannel) {
  // Every level in every channel. Widening v5 to (v5 << 3) | (v5 >> 2) gives
  // levels at most 9 apart, so the nearest is at most 4 away.
  Bitmap src(256, 3);
  for (int x = 0; x < 256; ++x) {
    src.Set(x, 0, MakePixel(x, 255 - x, (x * 3) & 255));
    src.Set(x, 1, MakePixel((x * 7) & 255, x, 255 - x));
    src.Set(x, 2, MakePixel(255 - x, (x * 5) & 255, x));
  }
  Bitmap widened(256, 3);
  auto widen = [](int v) { return (To5Bits(v) << 3) | (To5Bits(v) >> 2); };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 256; ++x) {
      const Pixel p = src.At(x, y);
      widened.Set(x, y, MakePixel(widen(PixelRed(p)), widen(PixelGreen(p)), widen(PixelBlue(p))));
    }
  EXPECT_LE(test::Compare(src, widened).max, 4);
  const std::string path = dir.Path("s.bmp");
  WritePictureFile(src, path, 100, 16);
  const Bitmap back = LoadPictureFile(path);
  EXPECT_LE(test::Compare(back, src).max, 4);
  EXPECT_TRUE(SameColors(back, widened));
  EXPECT_EQ(Differing(path, widened), "0");
}

TEST_F(Writers, SixteenBitFilesOpenAtFullScale) {
  // Hand-made 2 x 1 bitmaps as other programs write them: 5-5-5 without
  // compression and 5-6-5 bit fields, each white and then a full channel.
  auto file = [](std::uint32_t compression, std::uint16_t white, std::uint16_t full) {
    std::string f;
    auto put = [&](std::uint32_t v, int n) {
      for (int i = 0; i < n; ++i) f.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const std::uint32_t offset = compression ? 66 : 54;
    f += "BM";
    put(offset + 4, 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(2, 4);
    put(1, 4);
    put(1, 2);
    put(16, 2);
    put(compression, 4);
    put(4, 4);
    for (int i = 0; i < 4; ++i) put(0, 4);  // resolution and colour counts
    if (compression) {
      put(0xF800, 4);
      put(0x07E0, 4);
      put(0x001F, 4);
    }
    put(white, 2);
    put(full, 2);
    return f;
  };
  std::ofstream(dir.Path("555.bmp"), std::ios::binary) << file(0, 0x7FFF, 0x03E0);
  std::ofstream(dir.Path("565.bmp"), std::ios::binary) << file(3, 0xFFFF, 0x07E0);
  for (const char* name : {"555.bmp", "565.bmp"}) {
    const Bitmap b = LoadPictureFile(dir.Path(name));
    EXPECT_EQ(test::RgbAt(b, 0, 0), (Rgb{255, 255, 255})) << name;
    EXPECT_EQ(test::RgbAt(b, 1, 0), (Rgb{0, 255, 0})) << name;
  }
}

TEST_F(Writers, JpegIsBaselineColourAtTheGivenQuality) {
  const Bitmap src = test::Smooth(96, 64);
  for (int quality : {0, 1, 50, 75, 90, 100}) {
    const std::string path = dir.Path("q" + std::to_string(quality) + ".jpg");
    WritePictureFile(src, path, quality);
    // jpeg_set_quality treats 0 as 1; ImageMagick reads the quality back from the tables.
    EXPECT_EQ(Identify(path, "%m %w %h %Q %[interlace] %[colorspace]"),
              "JPEG 96 64 " + std::to_string(std::max(quality, 1)) + " None sRGB");
    const auto verbose = Shell("djpeg -verbose -verbose -ppm '" + path + "'", dir);
    ASSERT_EQ(verbose.code, 0) << verbose.err;
    // Baseline sequential frame (SOF0), three components.
    EXPECT_NE(verbose.err.find("Start Of Frame 0xc0: width=96, height=64, components=3"), std::string::npos)
        << verbose.err;
    EXPECT_EQ(verbose.err.find("Start Of Frame 0xc2"), std::string::npos);
    // Our loader and djpeg decode the same stream alike.
    const Bitmap ours = LoadPictureFile(path);
    const Bitmap theirs = test::ReadPpm(verbose.out);
    ASSERT_EQ(theirs.Width(), 96);
    EXPECT_LE(test::Compare(ours, theirs).max, 1) << quality;
  }
}

TEST_F(Writers, JpegStaysCloseToThePicture) {
  // The bounds, with a margin over what libjpeg-turbo 2.1 gives. A smooth
  // picture loses little: at quality 100 the tables are nearly all ones and
  // the loss is the colour conversion and the halved chroma resolution
  // (measured: largest 4, mean 0.50); at 75 quantisation adds a little
  // (largest 6, mean 0.98). A photograph's sharp colour edges lose more to
  // the halved chroma, so only its mean is bounded (measured 1.58 and 4.03).
  struct Bound {
    int quality, smoothMax;
    double smoothMean, photoMean;
  };
  const Bitmap smooth = test::Smooth(160, 120);
  const Bitmap photo = LoadPictureFile(std::string(RV_SAMPLES_DIR) + "/coffee.png");
  for (const Bound b : {Bound{100, 6, 0.8, 2.0}, Bound{75, 10, 1.5, 5.0}}) {
    WritePictureFile(smooth, dir.Path("s.jpg"), b.quality);
    const test::Difference d = test::Compare(LoadPictureFile(dir.Path("s.jpg")), smooth);
    EXPECT_LE(d.max, b.smoothMax) << b.quality;
    EXPECT_LE(d.mean, b.smoothMean) << b.quality;
    WritePictureFile(photo, dir.Path("p.jpg"), b.quality);
    EXPECT_LE(test::Compare(LoadPictureFile(dir.Path("p.jpg")), photo).mean, b.photoMean) << b.quality;
  }
}

struct MagicCase {
  const char* name;
  std::string magic;
};

TEST_F(Writers, ExtensionsMatchInAnyLetterCase) {
  const Bitmap src = test::Noise(8, 8, 1);
  const MagicCase cases[] = {{"a.JPG", "\xFF\xD8\xFF"}, {"b.Jpeg", "\xFF\xD8\xFF"}, {"c.BMP", "BM"},
                             {"d.Gif", "GIF8"},         {"e.ICO", std::string("\0\0\1\0", 4)},
                             {"f.PnG", "\x89PNG"},       {"g.WebP", "RIFF"},
                             {"h.TIF", "II*"},           {"i.Tiff", "II*"}};
  for (const MagicCase& c : cases) {
    WritePictureFile(src, dir.Path(c.name));
    EXPECT_EQ(test::Slurp(dir.Path(c.name)).substr(0, c.magic.size()), c.magic) << c.name;
    EXPECT_EQ(LoadPictureFile(dir.Path(c.name)).Width(), 8) << c.name;
  }
}

TEST_F(Writers, UnknownExtensionsWriteNothing) {
  const Bitmap src = test::Noise(4, 4, 1);
  for (const char* name : {"a.heic", "b.txt", "noextension", "d.jpg.old", "e."}) {
    EXPECT_THROW(WritePictureFile(src, dir.Path(name)), UnsupportedFormatError) << name;
    EXPECT_FALSE(IsWritableExtension(LowerExtension(name))) << name;
  }
  EXPECT_TRUE(test::fs::is_empty(dir.Dir()));
  for (const char* ext : {".JPEG", ".Gif", ".ico", ".PNG", ".bMp", ".WebP", ".TIF", ".tiff"}) EXPECT_TRUE(IsWritableExtension(ext)) << ext;
}

TEST_F(Writers, IconsHoldAtMost256By256) {
  const Bitmap largest = test::Noise(256, 256, 3);
  const std::string path = dir.Path("i.ico");
  WritePictureFile(largest, path);
  const std::string f = test::Slurp(path);
  EXPECT_EQ(f[6], 0);  // 256 is stored as 0 in the directory entry
  EXPECT_EQ(f[7], 0);
  EXPECT_EQ(static_cast<unsigned char>(f[12]), 32);
  EXPECT_TRUE(SameColors(LoadPictureFile(path), largest));
  EXPECT_EQ(Identify(path, "%m %w %h"), "ICO 256 256");
  for (const Bitmap& big : {Bitmap(257, 1), Bitmap(1, 257), Bitmap(600, 400)}) {
    EXPECT_THROW(WritePictureFile(big, path), IconTooLargeError) << big.Width();
    EXPECT_EQ(test::Slurp(path), f);
  }
  WritePictureFile(Bitmap(1, 1, MakePixel(1, 2, 3)), dir.Path("one.ico"));
  EXPECT_EQ(test::RgbAt(LoadPictureFile(dir.Path("one.ico")), 0, 0), (Rgb{1, 2, 3}));
}

TEST_F(Writers, OverwritesAnOldFileAndKeepsItsPermissions) {
  const std::string path = dir.Path("o.bmp");
  std::ofstream(path) << "old";
  ::chmod(path.c_str(), 0640);
  const Bitmap src = test::Noise(5, 5, 2);
  WritePictureFile(src, path);
  EXPECT_TRUE(SameColors(LoadPictureFile(path), src));
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Through a symbolic link: the file it points to is replaced, the link stays.
  test::fs::create_symlink(path, dir.Path("link.bmp"));
  const Bitmap other = test::Noise(6, 6, 3);
  WritePictureFile(other, dir.Path("link.bmp"));
  EXPECT_TRUE(test::fs::is_symlink(dir.Path("link.bmp")));
  EXPECT_TRUE(SameColors(LoadPictureFile(path), other));
  // The longest name a folder takes.
  const std::string longest = dir.Path(std::string(251, 'n') + ".png");
  WritePictureFile(other, longest);
  EXPECT_TRUE(SameColors(LoadPictureFile(longest), other));
  test::fs::remove(longest);
  std::size_t files = 0;
  for (const auto& e : test::fs::directory_iterator(dir.Dir())) files += e.path().filename().string()[0] != 'c';
  EXPECT_EQ(files, 2u);  // no temporary file left (cmd.* are the peers' output)
}

}  // namespace
}  // namespace rv
