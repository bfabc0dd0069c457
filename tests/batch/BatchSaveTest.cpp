// The batch command's output formats and --depth, through the real executable.
#include <gtest/gtest.h>

#include "document/PictureFiles.h"
#include "document/SaveTestSupport.h"
#include "document/io/BmpWriter.h"
#include "document/io/ColorReduce.h"
#include "support/FilterTestSupport.h"
#include "support/PhotoTestSupport.h"

namespace rv {
namespace {

class BatchSave : public ::testing::Test {
 protected:
  test::Command Run(const std::string& args) {
    return test::Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(RV_BATCH_EXE) + " " + args,
                       dir);
  }
  std::string Input(const Bitmap& b, const std::string& name = "in.bmp") {
    EXPECT_TRUE(WriteBmp24(b, dir.Path(name)));
    return dir.Path(name);
  }
  test::TempFolder dir;
};

TEST_F(BatchSave, WritesWhatTheEditorsWritersWrite) {
  // Same writers, same bytes, for every format and depth.
  const Bitmap src = test::Noise(31, 17, 5);
  const std::string in = Input(src);
  struct Case {
    const char* name;
    const char* args;
    int quality, depth;
  };
  const Case cases[] = {{"a.bmp", "", 100, 24},           {"b.bmp", "--depth 8", 100, 8},
                        {"c.BMP", "--depth 16", 100, 16}, {"d.bmp", "--depth 32", 100, 32},
                        {"e.gif", "", 100, 24},           {"f.Gif", "--depth 8", 100, 24},
                        {"g.ico", "--depth 32", 100, 24}, {"h.png", "", 100, 24},
                        {"i.jpg", "--quality 75", 75, 24}, {"j.JPEG", "", 100, 24},
                        {"k.webp", "--quality 80", 80, 24}, {"l.WEBP", "", 100, 24},
                        {"m.tif", "", 100, 24},           {"n.TIFF", "", 100, 24}};
  for (const Case& c : cases) {
    const auto r = Run(in + " " + dir.Path(c.name) + " " + c.args);
    ASSERT_EQ(r.code, 0) << c.name << ": " << r.err;
    const std::string ref = dir.Path(std::string("ref-") + c.name);
    WritePictureFile(src, ref, c.quality, c.depth);
    EXPECT_EQ(test::Slurp(dir.Path(c.name)), test::Slurp(ref)) << c.name;
  }
  // And the files hold what they should.
  EXPECT_TRUE(SameColors(LoadPictureFile(dir.Path("d.bmp")), src));
  EXPECT_TRUE(SameColors(LoadPictureFile(dir.Path("g.ico")), src));
  EXPECT_EQ(static_cast<unsigned char>(test::Slurp(dir.Path("b.bmp"))[28]), 8);
  EXPECT_EQ(static_cast<unsigned char>(test::Slurp(dir.Path("c.BMP"))[28]), 16);
  EXPECT_EQ(test::Slurp(dir.Path("e.gif")).substr(0, 4), "GIF8");
  const IndexedPicture reduced = ReduceColors(src);
  const Bitmap gif = LoadPictureFile(dir.Path("e.gif"));
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) ASSERT_EQ(gif.At(x, y) | 0xFF000000u, reduced.Palette[reduced.At(x, y)]);
}

TEST_F(BatchSave, PhotographsComeUprightAndKeepTheirMetadata) {
  // Stored sideways (orientation 6) with a thumbnail; turned once more by the command.
  const std::string in = dir.Path("camera.jpg");
  ASSERT_TRUE(WriteBmp24(test::Noise(40, 30, 2), dir.Path("s.bmp")));
  ASSERT_EQ(test::Sh("convert " + dir.Path("s.bmp") + " " + in), 0);
  ASSERT_EQ(test::Sh("convert -size 8x6 xc:blue " + dir.Path("t.jpg")), 0);
  ASSERT_EQ(test::Sh("exiftool -q -overwrite_original -n -Make=Fujifilm -Orientation=6 -ExifImageWidth=40 "
                     "-ExifImageHeight=30 '-ThumbnailImage<=" + dir.Path("t.jpg") + "' -XMP-dc:Title=Wakacje " + in),
            0);
  for (const char* out : {"o.jpg", "o.png"}) {
    const auto r = Run(in + " " + dir.Path(out) + " --filter RotateRight");
    ASSERT_EQ(r.code, 0) << r.err;
    const Bitmap pic = LoadPictureFile(dir.Path(out));
    EXPECT_EQ(pic.Width(), 40) << "upright (30 x 40), then turned right";
    const std::string f = dir.Path(out);
    EXPECT_EQ(test::Output("exiftool -s3 -n -Make " + f), "Fujifilm") << out;
    EXPECT_EQ(test::Output("exiftool -s3 -n -Orientation " + f), "1") << out;
    EXPECT_EQ(test::Output("exiftool -s3 -n -ExifImageWidth -ExifImageHeight " + f), "40\n30") << out;
    EXPECT_EQ(test::Output("exiftool -s3 -ThumbnailLength " + f), "") << out;
    EXPECT_EQ(test::Output("exiftool -s3 -XMP-dc:Title " + f), "Wakacje") << out;
  }
  // Converted to a format without metadata, and from a file without any.
  ASSERT_EQ(Run(in + " " + dir.Path("o.bmp")).code, 0);
  ASSERT_EQ(Run(dir.Path("o.bmp") + " " + dir.Path("plain.jpg")).code, 0);
  EXPECT_EQ(test::Output("exiftool -s3 -Make " + dir.Path("plain.jpg")), "");
}

TEST_F(BatchSave, DepthMistakesAreUsageErrors) {
  const std::string in = Input(test::Noise(4, 4, 1));
  struct Case {
    const char* output;
    const char* depth;
    const char* message;
  };
  const Case cases[] = {{"o.bmp", "12", "--depth: 12 is not 8, 16, 24 or 32"},
                        {"o.bmp", "64", "outside 8..32"},
                        {"o.bmp", "abc", "not a whole number"},
                        {"o.gif", "24", "a GIF holds 8 bits per pixel"},
                        {"o.ico", "8", "an icon is written at 32 bits per pixel"},
                        {"o.png", "8", "--depth applies to .bmp, .gif and .ico output"},
                        {"o.jpg", "24", "--depth applies to .bmp, .gif and .ico output"}};
  for (const Case& c : cases) {
    const auto r = Run(in + " " + dir.Path(c.output) + " --depth " + c.depth);
    EXPECT_EQ(r.code, 2) << c.output << " " << c.depth;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(test::fs::exists(dir.Path(c.output)));
  }
  EXPECT_EQ(Run(in + " " + dir.Path("o.bmp") + " --depth").code, 2);
  const auto unknown = Run(in + " " + dir.Path("o.wbmp"));
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("unknown output format"), std::string::npos);
  const auto help = Run("--help");
  EXPECT_NE(help.out.find("--depth BITS"), std::string::npos);
  EXPECT_NE(help.out.find(".gif, .ico"), std::string::npos);
}

TEST_F(BatchSave, ALargeIconIsRefusedAndNothingWritten) {
  const std::string in = Input(test::Noise(300, 10, 1));
  std::ofstream(dir.Path("old.ico")) << "old";
  const auto r = Run(in + " " + dir.Path("old.ico"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("an icon holds at most 256 x 256 pixels"), std::string::npos) << r.err;
  EXPECT_EQ(test::Slurp(dir.Path("old.ico")), "old");
}

}  // namespace
}  // namespace rv
