// Photographs as cameras, phones, browsers and scanners write them: upright by
// their EXIF orientation, their metadata kept through a save, WebP and TIFF.
// ImageMagick and exiftool make the files and judge what we make.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include <png.h>

#include "document/PictureFiles.h"
#include "document/io/Metadata.h"
#include "document/io/Orientation.h"
#include "document/io/PngWriter.h"
#include "support/FilterTestSupport.h"
#include "support/PhotoTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;
using test::ExifTool;
using test::LargestDifference;
using test::MagickPicture;
using test::Sh;

class Photos : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("rv-photo-" + std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& n) const { return (dir_ / n).string(); }
  // A picture with no symmetry (every turn and mirror tells), 8 bits, as a PNG.
  std::string Source(int w = 37, int h = 23) const {
    const std::string p = Path("source.png");
    EXPECT_TRUE(WritePng(test::Noise(w, h, 11), p));
    return p;
  }
  fs::path dir_;
};

// --- Orientation --------------------------------------------------------------

TEST_F(Photos, AllEightOrientationsOfJpegAndTiffAsMagickAutoOrients) {
  const std::string src = Source();
  ASSERT_EQ(Sh("convert " + src + " -quality 100 -sampling-factor 1x1 " + Path("p.jpg")), 0);
  ASSERT_EQ(Sh("convert " + src + " " + Path("p.tif")), 0);
  for (const char* ext : {"jpg", "tif"})
    for (int o = 1; o <= 8; ++o) {
      const std::string f = Path("o" + std::to_string(o) + "." + ext);
      fs::copy_file(Path(std::string("p.") + ext), f);
      ASSERT_EQ(Sh("exiftool -q -overwrite_original -n -Orientation=" + std::to_string(o) + " " + f), 0);
      ASSERT_EQ(ExifTool(f, "Orientation"), std::to_string(o));
      const Bitmap ours = LoadPictureFile(f);
      const Bitmap theirs = MagickPicture(f, "-auto-orient");
      EXPECT_EQ(ours.Width(), o >= 5 ? 23 : 37) << ext << " " << o;
      // The same libjpeg decodes both; a wrong turn differs by far more.
      EXPECT_LE(LargestDifference(ours, theirs), 2) << ext << " orientation " << o;
    }
}

TEST_F(Photos, PngAndWebpOrientationsTurnAsTheTagSays) {
  // ImageMagick does not read these containers' EXIF; its own turns are the reference.
  const std::string src = Source();
  for (const char* ext : {"png", "webp"}) {
    const std::string plain = Path(std::string("p.") + ext);
    ASSERT_EQ(Sh("convert " + src + " -define webp:lossless=true " + plain), 0);
    for (int o = 1; o <= 8; ++o) {
      const std::string f = Path("o" + std::to_string(o) + "." + ext);
      fs::copy_file(plain, f);
      ASSERT_EQ(Sh("exiftool -q -q -overwrite_original -n -Orientation=" + std::to_string(o) + " " + f), 0);
      EXPECT_EQ(LargestDifference(LoadPictureFile(f), MagickPicture(src, test::MagickTurn(o))), 0)
          << ext << " orientation " << o;
    }
  }
}

TEST(Orientation, BandsAndBlocksGiveEveryPixelItsPlace) {
  // Sizes that end bands and 4 x 4 blocks early, and one that takes the aligned path.
  for (const auto& [w, h] : {std::pair{37, 35}, {40, 32}, {3, 1}, {1, 17}, {64, 48}}) {
    const Bitmap stored = test::Noise(w, h, 3);
    for (int o = 1; o <= 8; ++o) {
      const Bitmap up = OrientPicture(stored, o);
      const bool swap = o >= 5;
      ASSERT_EQ(up.Width(), swap ? h : w);
      ASSERT_EQ(up.Height(), swap ? w : h);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          int u = x, v = y;
          switch (o) {
            case 2: u = w - 1 - x; break;
            case 3: u = w - 1 - x; v = h - 1 - y; break;
            case 4: v = h - 1 - y; break;
            case 5: u = y; v = x; break;
            case 6: u = h - 1 - y; v = x; break;
            case 7: u = h - 1 - y; v = w - 1 - x; break;
            case 8: u = y; v = w - 1 - x; break;
          }
          ASSERT_EQ(up.At(u, v), stored.At(x, y)) << w << "x" << h << " orientation " << o << " at " << x << "," << y;
        }
    }
  }
}

// --- Metadata -------------------------------------------------------------------

class PhotoMetadata : public Photos {
 protected:
  // A camera's JPEG: stored sideways, with a thumbnail, a profile and XMP.
  std::string CameraJpeg() {
    const std::string f = Path("camera.jpg");
    EXPECT_EQ(Sh("convert " + Source(64, 48) + " -quality 95 " + f), 0);
    EXPECT_EQ(Sh("convert -size 16x12 xc:red " + Path("thumb.jpg")), 0);
    test::WriteFile(Path("profile.icc"), test::RgbProfile("Test RGB profile"));
    EXPECT_EQ(Sh("exiftool -q -overwrite_original -n -Make=Canon -Model='EOS 5D' "
                 "'-DateTimeOriginal=2021:05:06 07:08:09' -ExposureTime=0.004 -FNumber=5.6 -Orientation=6 "
                 "-ExifImageWidth=64 -ExifImageHeight=48 '-ThumbnailImage<=" + Path("thumb.jpg") + "' "
                 "'-ICC_Profile<=" + Path("profile.icc") + "' '-XMP-dc:Title=Zdjęcie z gór' "
                 "-XMP-tiff:Orientation=6 -XMP-exif:ExifImageWidth=64 " + f),
              0);
    EXPECT_EQ(ExifTool(f, "ThumbnailLength"), "291") << "the thumbnail went in";
    return f;
  }
};

TEST_F(PhotoMetadata, SavedJpegAndPngKeepExifIccAndXmpUprightAtTheirSize) {
  const std::string camera = CameraJpeg();
  PictureMetadata m;
  const Bitmap upright = LoadPictureFile(camera, &m);
  ASSERT_EQ(upright.Width(), 48);
  ASSERT_EQ(ExifOrientation(m.Exif), 6);
  for (const char* name : {"out.jpg", "out.PNG"}) {
    const std::string f = Path(name);
    const Bitmap smaller = upright.Copy(0, 0, 30, 20);
    WriteOptions o;
    o.Metadata = &m;
    WritePictureFile(smaller, f, o);
    EXPECT_EQ(ExifTool(f, "Make"), "Canon") << name;
    EXPECT_EQ(ExifTool(f, "Model"), "EOS 5D") << name;
    EXPECT_EQ(ExifTool(f, "DateTimeOriginal"), "2021:05:06 07:08:09") << name;
    EXPECT_EQ(ExifTool(f, "ExposureTime"), "0.004") << name;
    EXPECT_EQ(ExifTool(f, "FNumber"), "5.6") << name;
    EXPECT_EQ(ExifTool(f, "EXIF:Orientation"), "1") << name;
    EXPECT_EQ(ExifTool(f, "ExifImageWidth"), "30") << name;
    EXPECT_EQ(ExifTool(f, "ExifImageHeight"), "20") << name;
    EXPECT_EQ(ExifTool(f, "ThumbnailImage"), "") << name;
    EXPECT_EQ(test::Output("exiftool -s3 -IFD1:all '" + f + "'"), "") << name;
    EXPECT_EQ(ExifTool(f, "ProfileDescription"), "Test RGB profile") << name;
    EXPECT_EQ(ExifTool(f, "XMP-dc:Title"), "Zdjęcie z gór") << name;
    EXPECT_EQ(ExifTool(f, "XMP-tiff:Orientation"), "1") << name;
    EXPECT_EQ(ExifTool(f, "XMP-exif:ExifImageWidth"), "30") << name;
    EXPECT_EQ(test::Output("exiftool -validate -warning -s3 '" + f + "'"), "OK") << name;
    // Opened again, it is upright as it was saved.
    EXPECT_EQ(LoadPictureFile(f).Width(), 30) << name;
  }
  // A second reader agrees about the JPEG.
  const std::string im = test::Output("identify -verbose " + Path("out.jpg"));
  EXPECT_NE(im.find("exif:Make: Canon"), std::string::npos);
  EXPECT_NE(im.find("exif:PixelXDimension: 30"), std::string::npos);
  EXPECT_NE(im.find("icc:description: Test RGB profile"), std::string::npos);
}

TEST_F(PhotoMetadata, OtherFormatsAndNoSourceCarryNothing) {
  PictureMetadata m;
  const Bitmap pic = LoadPictureFile(CameraJpeg(), &m);
  WriteOptions with;
  with.Metadata = &m;
  for (const char* name : {"a.bmp", "a.webp", "a.tif"}) {
    WritePictureFile(pic, Path(name), with);
    EXPECT_EQ(ExifTool(Path(name), "Make"), "") << name;
  }
  for (const char* name : {"plain.jpg", "plain.png"}) {
    WritePictureFile(pic, Path(name), WriteOptions{});
    EXPECT_EQ(ExifTool(Path(name), "Make"), "") << name;
    EXPECT_EQ(ExifTool(Path(name), "ProfileDescription"), "") << name;
  }
}

TEST_F(PhotoMetadata, GreyAndCmykProfilesDoNotDescribeOurPixels) {
  PictureMetadata m;
  m.Icc = test::RgbProfile("grey", "GRAY");
  EXPECT_TRUE(MetadataForSaving(m, 4, 4).Icc.empty());
  m.Icc = test::RgbProfile("cmyk", "CMYK");
  EXPECT_TRUE(MetadataForSaving(m, 4, 4).Icc.empty());
  m.Icc = test::RgbProfile("rgb");
  EXPECT_EQ(MetadataForSaving(m, 4, 4).Icc, m.Icc);
}

// A little-endian EXIF block put together by hand: IFD0 with the entries
// given, then what follows.
std::vector<std::uint8_t> Block(std::vector<std::array<std::uint32_t, 4>> ifd0, std::uint32_t next,
                                const std::vector<std::uint8_t>& rest) {
  std::vector<std::uint8_t> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto u16 = [&b](std::uint32_t v) { b.push_back(v & 0xFF); b.push_back(v >> 8 & 0xFF); };
  auto u32 = [&b](std::uint32_t v) { for (int i = 0; i < 4; ++i) b.push_back(v >> (8 * i) & 0xFF); };
  u16(static_cast<std::uint32_t>(ifd0.size()));
  for (const auto& e : ifd0) {
    u16(e[0]);
    u16(e[1]);
    u32(e[2]);
    u32(e[3]);
  }
  u32(next);
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

TEST_F(Photos, ExifWithoutDimensionsGetsThem) {
  // IFD0 only (make "Leica", orientation 8): an EXIF IFD with the size is added.
  std::vector<std::uint8_t> s = {'L', 'e', 'i', 'c', 'a', 0};
  const auto exif = Block({{0x010F, 2, 6, 38}, {0x0112, 3, 1, 8}}, 0, s);
  const auto saved = ExifForSaving(exif, 300, 200);
  ASSERT_FALSE(saved.empty());
  PictureMetadata m;
  m.Exif = exif;
  WriteOptions o;
  o.Metadata = &m;
  WritePictureFile(test::Noise(300, 200, 1), Path("d.jpg"), o);
  EXPECT_EQ(ExifTool(Path("d.jpg"), "Make"), "Leica");
  EXPECT_EQ(ExifTool(Path("d.jpg"), "Orientation"), "1");
  EXPECT_EQ(ExifTool(Path("d.jpg"), "ExifImageWidth"), "300");
  EXPECT_EQ(ExifTool(Path("d.jpg"), "ExifImageHeight"), "200");
  EXPECT_EQ(test::StructureWarnings(Path("d.jpg")), "");
}

TEST_F(Photos, AThumbnailInTheMiddleIsBlankedNotLeftBehind) {
  // IFD1 and its picture lie before IFD0's string: they cannot be cut off.
  std::vector<std::uint8_t> rest;
  auto u16 = [&rest](std::uint32_t v) { rest.push_back(v & 0xFF); rest.push_back(v >> 8 & 0xFF); };
  auto u32 = [&rest](std::uint32_t v) { for (int i = 0; i < 4; ++i) rest.push_back(v >> (8 * i) & 0xFF); };
  // IFD0 ends at 8 + 2 + 24 + 4 = 38; IFD1 at 38 (2 entries, 30 bytes), thumbnail 68..75, string at 76.
  u16(2);
  u16(0x0201); u16(4); u32(1); u32(68);
  u16(0x0202); u16(4); u32(1); u32(8);
  u32(0);
  for (int i = 0; i < 8; ++i) rest.push_back(0xEE);
  for (char c : std::string("Sony\0\0", 6)) rest.push_back(static_cast<std::uint8_t>(c));
  const auto exif = Block({{0x010F, 2, 6, 76}, {0x0112, 3, 1, 3}}, 38, rest);
  const auto saved = ExifForSaving(exif, 10, 10);
  ASSERT_GE(saved.size(), 82u);
  for (std::size_t i = 68; i < 76; ++i) EXPECT_EQ(saved[i], 0) << i;
  EXPECT_EQ(std::string(saved.begin() + 76, saved.begin() + 80), "Sony");
  EXPECT_EQ(ExifOrientation(saved), 1);
  // IFD0 no longer leads anywhere.
  EXPECT_EQ(saved[34] | saved[35] | saved[36] | saved[37], 0);
}

TEST(ExifBlocks, DamagedOnesAreDroppedNotWritten) {
  EXPECT_TRUE(ExifForSaving({}, 1, 1).empty());
  EXPECT_TRUE(ExifForSaving({'I', 'I', 42, 0, 200, 0, 0, 0}, 1, 1).empty());
  EXPECT_TRUE(ExifForSaving({'X', 'X', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 1).empty());
  EXPECT_EQ(ExifOrientation({'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 6, 0, 0, 0, 0, 0, 0}),
            6);
  // An entry whose value lies past the end.
  EXPECT_TRUE(ExifForSaving(Block({{0x010F, 2, 60, 500}}, 0, {}), 1, 1).empty());
}

TEST(Xmp, OrientationAndSizeSetInBothForms) {
  const std::string xmp =
      "<rdf:Description tiff:Orientation=\"6\" exif:PixelXDimension='4000'>"
      "<exif:PixelYDimension>3000</exif:PixelYDimension><mytiff:Orientation>6</mytiff:Orientation>";
  EXPECT_EQ(XmpForSaving(xmp, 30, 20),
            "<rdf:Description tiff:Orientation=\"1\" exif:PixelXDimension='30'>"
            "<exif:PixelYDimension>20</exif:PixelYDimension><mytiff:Orientation>6</mytiff:Orientation>");
}

TEST_F(PhotoMetadata, WebpAndTiffMetadataIsReadToo) {
  const std::string src = Source(40, 30);
  ASSERT_EQ(Sh("convert " + src + " " + Path("s.webp")), 0);
  ASSERT_EQ(Sh("convert " + src + " " + Path("s.tif")), 0);
  test::WriteFile(Path("profile.icc"), test::RgbProfile("Scanner RGB"));
  for (const char* name : {"s.webp", "s.tif"}) {
    ASSERT_EQ(Sh("exiftool -q -overwrite_original -n -Make=Epson '-DateTimeOriginal=2020:01:02 03:04:05' "
                 "-Orientation=8 '-ICC_Profile<=" + Path("profile.icc") + "' '-XMP-dc:Title=Skan' " + Path(name)),
              0);
    PictureMetadata m;
    const Bitmap pic = LoadPictureFile(Path(name), &m);
    EXPECT_EQ(pic.Width(), 30) << name << " stands upright";
    WriteOptions o;
    o.Metadata = &m;
    const std::string out = Path(std::string(name) + ".jpg");
    WritePictureFile(pic, out, o);
    EXPECT_EQ(ExifTool(out, "Make"), "Epson") << name;
    EXPECT_EQ(ExifTool(out, "DateTimeOriginal"), "2020:01:02 03:04:05") << name;
    EXPECT_EQ(ExifTool(out, "Orientation"), "1") << name;
    EXPECT_EQ(ExifTool(out, "ExifImageWidth"), "30") << name;
    EXPECT_EQ(ExifTool(out, "ProfileDescription"), "Scanner RGB") << name;
    EXPECT_EQ(ExifTool(out, "XMP-dc:Title"), "Skan") << name;
    EXPECT_EQ(test::StructureWarnings(out), "") << name;
  }
}

// --- WebP and TIFF ---------------------------------------------------------------

TEST_F(Photos, WebpAndTiffRoundTripsThatMagickReads) {
  const Bitmap pic = test::Noise(45, 31, 7);
  for (const char* name : {"a.webp", "b.WEBP", "c.tif", "d.TIFF", "e.Tiff"}) {
    const std::string f = Path(name);
    WritePictureFile(pic, f);  // quality 100: a lossless WebP
    EXPECT_TRUE(SameColors(LoadPictureFile(f), pic)) << name;
    EXPECT_EQ(LargestDifference(MagickPicture(f), pic), 0) << name;
  }
  EXPECT_EQ(test::Output("identify -format %m " + Path("a.webp")), "WEBP");
  EXPECT_EQ(test::Output("identify -format %m:%C " + Path("c.tif")), "TIFF:LZW");
  // Lossy below 100: smaller, and close.
  const Bitmap smooth = MagickPicture(Source(200, 150), "-blur 0x3");
  WriteOptions lossy;
  lossy.Quality = 60;
  WritePictureFile(smooth, Path("lossy.webp"), lossy);
  WritePictureFile(smooth, Path("lossless.webp"));
  EXPECT_LT(fs::file_size(Path("lossy.webp")), fs::file_size(Path("lossless.webp")));
  EXPECT_LE(LargestDifference(LoadPictureFile(Path("lossy.webp")), smooth), 60);
  EXPECT_GT(LargestDifference(LoadPictureFile(Path("lossy.webp")), smooth), 0);
}

TEST_F(Photos, DamagedWebpAndTiffAreRefused) {
  const Bitmap pic = test::Noise(120, 90, 2);
  WritePictureFile(pic, Path("full.webp"));
  WritePictureFile(pic, Path("full.tif"));
  for (const char* name : {"full.webp", "full.tif"}) {
    const auto bytes = test::ReadFile(Path(name));
    test::WriteFile(Path(std::string("cut-") + name), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
    test::WriteFile(Path(std::string("short-") + name),
                    std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 16));
    // The first chunk's header (WebP's image chunk, TIFF's first directory offset) broken.
    const bool webp = std::string(name).ends_with(".webp");
    auto broken = bytes;
    for (std::size_t i = webp ? 12 : 4; i < (webp ? 16u : 8u); ++i) broken[i] ^= 0x5A;
    test::WriteFile(Path(std::string("bad-") + name), broken);
    for (const std::string prefix : {"cut-", "short-", "bad-"})
      EXPECT_THROW(LoadPictureFile(Path(prefix + name)), PictureError) << prefix << name;
  }
  EXPECT_THROW(WritePictureFile(Bitmap(16384, 2), Path("wide.webp")), PictureError);
}

// --- PNG through libpng -----------------------------------------------------------

// Writes a PNG of the colour type and bit depth with libpng itself, random
// samples, and (with trns) a transparent colour that every fifth pixel has.
void WriteKindOfPng(const std::string& path, int colour, int depth, bool trns, bool interlaced, std::uint32_t seed) {
  const int w = 29, h = 19;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, w, h, depth, colour, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::uint32_t s = seed;
  auto draw = [&s] {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
  };
  const int samples = colour == 0 || colour == 3 ? 1 : colour == 2 ? 3 : colour == 4 ? 2 : 4;
  const std::uint32_t top = (1u << depth) - 1;
  const std::uint32_t key = top / 3;  // the transparent grey, colour or palette index
  if (colour == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette(top + 1);
    for (png_color& c : palette) c = {static_cast<png_byte>(draw()), static_cast<png_byte>(draw()), static_cast<png_byte>(draw())};
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (trns) {
      std::vector<png_byte> alpha(palette.size());
      for (png_byte& a : alpha) a = static_cast<png_byte>(draw());
      alpha[key] = 0;
      png_set_tRNS(png, info, alpha.data(), static_cast<int>(alpha.size()), nullptr);
    }
  } else if (trns) {
    png_color_16 c{};
    c.gray = c.red = c.green = c.blue = static_cast<png_uint_16>(key);
    png_set_tRNS(png, info, nullptr, 0, &c);
  }
  png_write_info(png, info);
  std::vector<std::vector<png_byte>> rows(h, std::vector<png_byte>((w * samples * depth + 7) / 8 + 8, 0));
  for (int y = 0; y < h; ++y) {
    std::size_t bit = 0;
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < samples; ++c) {
        std::uint32_t v = draw() & top;
        if (trns && x % 5 == 0) v = key;
        if (depth == 16) {
          rows[y][bit / 8] = static_cast<png_byte>(v >> 8);
          rows[y][bit / 8 + 1] = static_cast<png_byte>(v);
        } else {
          rows[y][bit / 8] |= static_cast<png_byte>(v << (8 - depth - bit % 8));
        }
        bit += depth;
      }
  }
  std::vector<png_bytep> pointers;
  for (auto& r : rows) pointers.push_back(r.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

TEST_F(Photos, PngOfEveryColourTypeAndDepthAsMagickShowsIt) {
  struct Kind {
    int colour;
    std::vector<int> depths;
    bool trns;
  };
  const std::vector<Kind> kinds = {
      {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, false},   {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, true},
      {PNG_COLOR_TYPE_RGB, {8, 16}, false},            {PNG_COLOR_TYPE_RGB, {8, 16}, true},
      {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, false},   {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, true},
      {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}, false},     {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}, false},
  };
  int files = 0;
  for (const Kind& k : kinds)
    for (int depth : k.depths)
      for (bool interlaced : {false, true}) {
        const std::string f = Path("c" + std::to_string(k.colour) + "d" + std::to_string(depth) +
                                   (k.trns ? "t" : "") + (interlaced ? "i" : "") + ".png");
        WriteKindOfPng(f, k.colour, depth, k.trns, interlaced, static_cast<std::uint32_t>(++files));
        const Bitmap ours = LoadPictureFile(f);
        // Compositing rounds in its own way in each program: one level apart,
        // two where 16-bit alpha is rounded to 8 bits before it is laid on white.
        const bool alpha16 = depth == 16 && (k.colour & PNG_COLOR_MASK_ALPHA);
        EXPECT_LE(LargestDifference(ours, MagickPicture(f)), alpha16 ? 2 : 1) << f;
        if (k.trns) {
          EXPECT_EQ(ours.At(0, 3) & 0xFFFFFF, 0xFFFFFFu) << f << ": the transparent colour is on white";
        }
      }
  EXPECT_EQ(files, 52);
}

TEST_F(Photos, SixteenBitRgbWithATransparentColourHasNoStripes) {
  // 16-bit RGB with tRNS, written with libpng itself.
  const std::string f = Path("trns16.png");
  {
    std::FILE* file = std::fopen(f.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    const int w = 20, h = 10;
    png_set_IHDR(png, info, w, h, 16, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color_16 key{};
    key.red = 0x1234;
    key.green = 0x5678;
    key.blue = 0x9ABC;
    png_set_tRNS(png, info, nullptr, 0, &key);
    png_write_info(png, info);
    std::vector<std::uint8_t> row(w * 6);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        // Left half the transparent colour, right half a colour one step from it.
        const std::uint16_t c[3] = {key.red, key.green, static_cast<std::uint16_t>(key.blue + (x >= 10 ? 1 : 0))};
        for (int i = 0; i < 3; ++i) {
          row[x * 6 + i * 2] = c[i] >> 8;
          row[x * 6 + i * 2 + 1] = c[i] & 0xFF;
        }
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
  }
  const Bitmap ours = LoadPictureFile(f);
  EXPECT_EQ(LargestDifference(ours, MagickPicture(f)), 0);
  EXPECT_EQ(ours.At(3, 4) & 0xFFFFFF, 0xFFFFFFu) << "the transparent colour is on white";
  EXPECT_EQ(test::RgbAt(ours, 15, 4).r, 0x12) << "the other colour is itself";
}

TEST_F(Photos, DamagedPngIsRefused) {
  const std::string f = Path("full.png");
  ASSERT_TRUE(WritePng(test::Noise(200, 100, 9), f));
  const auto bytes = test::ReadFile(f);
  test::WriteFile(Path("cut.png"), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
  auto crc = bytes;
  crc[bytes.size() / 2] ^= 0x01;  // inside IDAT: its checksum no longer holds
  test::WriteFile(Path("crc.png"), crc);
  auto header = bytes;
  header[16] = 0xFF;  // a width beyond any picture
  test::WriteFile(Path("header.png"), header);
  for (const char* name : {"cut.png", "crc.png", "header.png"})
    EXPECT_THROW(LoadPictureFile(Path(name)), PictureError) << name;
  // Cut right after the pixels: nothing of the picture is missing.
  const std::size_t iend = bytes.size() - 12;
  test::WriteFile(Path("noend.png"), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + iend));
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("noend.png")), test::Noise(200, 100, 9)));
}

}  // namespace
}  // namespace rv
