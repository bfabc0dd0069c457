// Reading picture files: our direct readers, the general decoder behind them,
// and refusing what would show incomplete.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/PictureFiles.h"
#include "document/io/BmpWriter.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("rv-pf-" + std::to_string(::getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& n) const { return (dir_ / n).string(); }
  static int Sh(const std::string& cmd) { return std::system(cmd.c_str()); }
  void Truncate(const std::string& from, const std::string& to, std::uintmax_t keep) const {
    std::ifstream in(from, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(to, std::ios::binary) << data.substr(0, keep);
  }
  fs::path dir_;
};

TEST_F(PictureFiles, BitmapVariantsFromAPeerReadExactly) {
  // Odd width (row padding), 24 and 32 bits, bottom-up and top-down, 8 bits with a palette.
  const Bitmap src = test::Noise(13, 7, 21);
  ASSERT_TRUE(WriteBmp24(src, Path("ours.bmp")));
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("ours.bmp")), src));
  ASSERT_EQ(Sh("convert " + Path("ours.bmp") + " -define bmp:format=bmp3 -type TrueColorAlpha BMP3:" +
               Path("b32.bmp")), 0);
  ASSERT_EQ(Sh("convert " + Path("ours.bmp") + " -flip -define bmp:top-down=true BMP3:" + Path("td.bmp")), 0);
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("b32.bmp")), src));
  const Bitmap topDown = LoadPictureFile(Path("td.bmp"));
  // Whether the peer honoured top-down or not, the rows must come out as it meant them: flipped.
  EXPECT_EQ(topDown.At(0, 0) & 0xFFFFFF, src.At(0, 6) & 0xFFFFFF);
  ASSERT_EQ(Sh("convert " + Path("ours.bmp") + " -colors 16 -type Palette BMP3:" + Path("p8.bmp")), 0);
  EXPECT_EQ(LoadPictureFile(Path("p8.bmp")).Width(), 13);
}

TEST_F(PictureFiles, JpegKindsDecode) {
  const Bitmap src = test::Uniform(40, 30, {200, 100, 50});
  ASSERT_TRUE(WriteBmp24(src, Path("s.bmp")));
  ASSERT_EQ(Sh("convert " + Path("s.bmp") + " -quality 100 " + Path("base.jpg")), 0);
  ASSERT_EQ(Sh("convert " + Path("s.bmp") + " -interlace JPEG " + Path("prog.jpg")), 0);
  ASSERT_EQ(Sh("convert " + Path("s.bmp") + " -colorspace Gray " + Path("grey.jpg")), 0);
  ASSERT_EQ(Sh("convert " + Path("s.bmp") + " -colorspace CMYK " + Path("cmyk.jpg")), 0);
  for (const char* name : {"base.jpg", "prog.jpg"}) {
    const Bitmap b = LoadPictureFile(Path(name));
    const Rgb c = test::RgbAt(b, 20, 15);
    EXPECT_NEAR(c.r, 200, 3) << name;
    EXPECT_NEAR(c.g, 100, 3) << name;
    EXPECT_NEAR(c.b, 50, 3) << name;
    EXPECT_EQ(b.At(3, 3) >> 24, 0xFFu) << name;
  }
  const Rgb g = test::RgbAt(LoadPictureFile(Path("grey.jpg")), 5, 5);
  EXPECT_EQ(g.r, g.g);
  EXPECT_EQ(g.g, g.b);
  EXPECT_EQ(LoadPictureFile(Path("cmyk.jpg")).Width(), 40);
}

TEST_F(PictureFiles, RefusesWhatWouldShowIncomplete) {
  const Bitmap src = test::Noise(300, 200, 5);
  ASSERT_TRUE(WriteBmp24(src, Path("full.bmp")));
  ASSERT_EQ(Sh("convert " + Path("full.bmp") + " " + Path("full.jpg")), 0);
  ASSERT_EQ(Sh("convert " + Path("full.bmp") + " -colors 64 -compress None BMP3:" + Path("p8.bmp")), 0);
  Truncate(Path("full.bmp"), Path("cut.bmp"), fs::file_size(Path("full.bmp")) / 2);
  Truncate(Path("full.jpg"), Path("cut.jpg"), fs::file_size(Path("full.jpg")) / 2);
  Truncate(Path("p8.bmp"), Path("cut8.bmp"), fs::file_size(Path("p8.bmp")) / 2);
  std::ofstream(Path("empty.png")).close();
  std::ofstream(Path("junk.jpg"), std::ios::binary) << std::string("\xFF\xD8\xFF\xE0 not really", 15);
  for (const char* name : {"cut.bmp", "cut.jpg", "cut8.bmp", "empty.png", "junk.jpg", "missing.gif"})
    EXPECT_THROW(LoadPictureFile(Path(name)), PictureError) << name;
  EXPECT_THROW(LoadPictureFile(dir_.string()), PictureError);
}

}  // namespace
}  // namespace rv
