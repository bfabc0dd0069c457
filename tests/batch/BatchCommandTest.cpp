// The batch command as scripts use it: the real executable, real files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/PictureFiles.h"
#include "document/io/BmpWriter.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

struct Result {
  int code;
  std::string out;
  std::string err;
};

class Batch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rv-batch-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs the command with no display and no Qt platform set.
  Result Run(const std::string& args) const {
    const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
    const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(RV_BATCH_EXE) + " " +
                            args + " >" + out + " 2>" + err;
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
  }

  static std::string Slurp(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }

  std::string Fixture(const Bitmap& b, const std::string& name = "in.bmp") const {
    const std::string p = Path(name);
    EXPECT_TRUE(WriteBmp24(b, p));
    return p;
  }

  fs::path dir_;
};

TEST_F(Batch, ListShowsEveryFilterWithItsControls) {
  const Result r = Run("--list");
  ASSERT_EQ(r.code, 0) << r.err;
  for (const FilterDecl* f : AllFilters()) EXPECT_NE(r.out.find(f->Stem), std::string::npos) << f->Stem;
  EXPECT_NE(r.out.find("TolerancjaR"), std::string::npos);
  EXPECT_NE(r.out.find("Kanał czerwony"), std::string::npos);
  const Result j = Run("--list --json");
  ASSERT_EQ(j.code, 0);
  EXPECT_NE(j.out.find("{\"name\": \"CanalR\", \"kind\": \"trackbar\", \"caption\": \"Kanał czerwony\", \"min\": 0, "
                       "\"max\": 255, \"default\": 127, \"group\": \"Scal\"}"),
            std::string::npos);
  EXPECT_EQ(j.out.front(), '[');
  EXPECT_EQ(Run("--help").code, 0);
}

TEST_F(Batch, ConvertsWithoutAFilter) {
  const Bitmap src = test::Noise(17, 9, 3);
  const std::string in = Fixture(src);
  ASSERT_EQ(Run(in + " " + Path("out.png")).code, 0);
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("out.png")), src));
  ASSERT_EQ(Run(Path("out.png") + " " + Path("back.BMP")).code, 0);
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("back.BMP")), src));
  ASSERT_EQ(Run(in + " " + Path("out.jpg") + " --quality 90").code, 0);
  EXPECT_EQ(LoadPictureFile(Path("out.jpg")).Width(), 17);
}

TEST_F(Batch, ReadsGifAndIconsWithTransparencyOnWhite) {
  // Left half opaque red, right half transparent, written by ImageMagick as a peer.
  const std::string png = Path("t.png");
  ASSERT_EQ(std::system(("convert -size 8x4 xc:none -fill red -draw 'rectangle 0,0 3,3' " + png).c_str()), 0);
  for (const std::string ext : {".gif", ".ico"}) {
    const std::string in = Path("t" + ext);
    ASSERT_EQ(std::system(("convert " + png + " " + in).c_str()), 0);
    const Result r = Run(in + " " + Path("t.bmp"));
    ASSERT_EQ(r.code, 0) << ext << ": " << r.err;
    const Bitmap out = LoadPictureFile(Path("t.bmp"));
    ASSERT_EQ(out.Width(), 8) << ext;
    EXPECT_EQ(test::RgbAt(out, 0, 0), (Rgb{255, 0, 0})) << ext;
    EXPECT_EQ(test::RgbAt(out, 7, 3), (Rgb{255, 255, 255})) << ext;
  }
}

TEST_F(Batch, ReadsTheSamplePhotograph) {
  const Result r = Run(std::string(RV_SAMPLES_DIR) + "/coffee.png " + Path("c.bmp") + " --filter Negativ");
  ASSERT_EQ(r.code, 0) << r.err;
  const Bitmap in = LoadPictureFile(std::string(RV_SAMPLES_DIR) + "/coffee.png");
  const Bitmap out = LoadPictureFile(Path("c.bmp"));
  ASSERT_EQ(out.Width(), 600);
  EXPECT_EQ(PixelRed(out.At(10, 10)), 255 - PixelRed(in.At(10, 10)));
}

TEST_F(Batch, RunsTheKernelExactlyAsTheEditorDoes) {
  const Bitmap src = test::Noise(40, 30, 7);
  const std::string in = Fixture(src);
  const Result r = Run(in + " " + Path("o.bmp") +
                       " --filter Contrast --set CanalR=200 --set ScalTolerant=0 --set TolerancjaG=30 "
                       "--tryb 'Mnożenie' --typebox 14 --przezroczystosc 70 --channel green");
  ASSERT_EQ(r.code, 0) << r.err;
  test::Run run{"Contrast", {{"CanalR", 200}, {"ScalTolerant", 0}, {"TolerancjaG", 30}}};
  run.ctx.Tryb = 3;
  run.ctx.TypeBox = 14;
  run.ctx.ActiveChannel = kChannelGreen;
  run.transparency = 70;
  EXPECT_TRUE(SameColors(LoadPictureFile(Path("o.bmp")), test::RunFull(run, src)));
}

TEST_F(Batch, LinkedControlsFollowTheDialog) {
  const Bitmap src = test::Uniform(2, 2, {100, 100, 100});
  const std::string in = Fixture(src);
  ASSERT_EQ(Run(in + " " + Path("a.bmp") + " --filter Light --set CanalR=50").code, 0);
  EXPECT_EQ(test::RgbAt(LoadPictureFile(Path("a.bmp")), 0, 0), (Rgb{150, 150, 150}));
  ASSERT_EQ(Run(in + " " + Path("b.bmp") + " --filter Light --set Scal=0 --set CanalR=50").code, 0);
  EXPECT_EQ(test::RgbAt(LoadPictureFile(Path("b.bmp")), 0, 0), (Rgb{150, 227, 227}));
}

TEST_F(Batch, ToolColoursAndMask) {
  Bitmap src(4, 1, MakePixel(0, 0, 0));
  const std::string in = Fixture(src);
  Bitmap grey(4, 1);
  const int levels[] = {0, 255, 128, 3};
  for (int x = 0; x < 4; ++x) grey.Set(x, 0, MakePixel(levels[x], levels[x], levels[x]));
  const std::string mask = Fixture(grey, "mask.bmp");
  const Result r = Run(in + " " + Path("o.bmp") + " --filter Fill --primary C86400 --mask " + mask);
  ASSERT_EQ(r.code, 0) << r.err;
  const Bitmap out = LoadPictureFile(Path("o.bmp"));
  // Mask values 0, 100, 50 (128 * 100 / 255) and 1.
  EXPECT_EQ(test::RgbAt(out, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(test::RgbAt(out, 1, 0), (Rgb{200, 100, 0}));
  EXPECT_EQ(test::RgbAt(out, 2, 0), (Rgb{100, 50, 0}));
  EXPECT_EQ(test::RgbAt(out, 3, 0), (Rgb{1, 0, 0}));
  // Threshold reads both colours.
  ASSERT_EQ(Run(in + " " + Path("h.bmp") + " --filter Hold --primary 010203 --secondary FFFFFF").code, 0);
  EXPECT_EQ(test::RgbAt(LoadPictureFile(Path("h.bmp")), 0, 0), (Rgb{1, 2, 3}));
}

TEST_F(Batch, SeedReproducesRozpuszczenie) {
  const Bitmap src = test::Noise(50, 20, 11);
  const std::string in = Fixture(src);
  const std::string args = " --filter Negativ --tryb Rozpuszczenie --typebox 1 --seed 777";
  ASSERT_EQ(Run(in + " " + Path("a.bmp") + args).code, 0);
  ASSERT_EQ(Run(in + " " + Path("b.bmp") + args).code, 0);
  const Bitmap a = LoadPictureFile(Path("a.bmp"));
  EXPECT_TRUE(SameColors(a, LoadPictureFile(Path("b.bmp"))));
  SeedRandom(777);
  test::Run run{"Negativ"};
  run.ctx.Tryb = 1;
  run.ctx.TypeBox = 1;
  EXPECT_TRUE(SameColors(a, test::RunFull(run, src)));
  ASSERT_EQ(Run(in + " " + Path("c.bmp") + " --filter Negativ --tryb 1 --typebox 1 --seed 778").code, 0);
  EXPECT_FALSE(SameColors(a, LoadPictureFile(Path("c.bmp"))));
}

struct UsageCase {
  const char* args;
  const char* message;
};

TEST_F(Batch, UsageErrorsExitTwoWithAClearMessage) {
  const std::string in = Fixture(test::Uniform(3, 3, {1, 2, 3}));
  Fixture(test::Uniform(4, 3, {0, 0, 0}), "wrong.bmp");
  const UsageCase cases[] = {
      {"--filter Nope", "unknown filter 'Nope'"},
      {"--filter Contrast --set Nope=1", "unknown control 'Nope'"},
      {"--filter Contrast --set CanalR=300", "CanalR: 300 is outside 0..255"},
      {"--filter Contrast --set CanalR=abc", "not a whole number"},
      {"--filter Contrast --tryb Nieznany", "unknown mode"},
      {"--filter Contrast --typebox 26", "unknown mode"},
      {"--filter Hold --tryb 3", "has no blend mode"},
      {"--filter Fill --typebox 3", "has no effect mode"},
      {"--filter Light --przezroczystosc 101", "outside 0..100"},
      {"--filter Light --channel cyan", "--channel"},
      {"--filter Light --mask @DIR@/wrong.bmp", "is 4 x 3, the picture 3 x 3"},
      {"--bogus", "unknown option"},
      {"--quality 101", "outside 0..100"},
      {"--primary 12345", "not a colour"},
  };
  for (const UsageCase& c : cases) {
    std::string args = c.args;
    const auto at = args.find("@DIR@");
    if (at != std::string::npos) args.replace(at, 5, dir_.string());
    const Result r = Run(in + " " + Path("o.bmp") + " " + args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << args << ": " << r.err;
    EXPECT_FALSE(fs::exists(Path("o.bmp"))) << args;
  }
  EXPECT_EQ(Run(in + " " + Path("o.heic")).code, 2);
  EXPECT_EQ(Run(in).code, 2);
}

TEST_F(Batch, FileErrorsExitOneAndLeaveNoPartialOutput) {
  const std::string in = Fixture(test::Uniform(3, 3, {1, 2, 3}));
  {
    std::ofstream g(Path("garbage.png"), std::ios::binary);
    g << "\x89PNG\r\n\x1a\n this is not a picture";
  }
  std::ofstream(Path("empty.jpg")).close();
  const std::string inputs[] = {Path("missing.bmp"), Path("garbage.png"), Path("empty.jpg"), dir_.string()};
  for (const std::string& bad : inputs) {
    const Result r = Run(bad + " " + Path("o.png"));
    EXPECT_EQ(r.code, 1) << bad;
    EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(Path("o.png")));
  }
  // Output into a missing folder, or onto a directory.
  EXPECT_EQ(Run(in + " " + Path("nofolder/o.png")).code, 1);
  fs::create_directories(Path("adir.png"));
  EXPECT_EQ(Run(in + " " + Path("adir.png")).code, 1);
  EXPECT_TRUE(fs::is_directory(Path("adir.png")));
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().filename().string().find(".XXX"), std::string::npos) << e.path();
}

TEST_F(Batch, FailedWriteKeepsTheOldFile) {
  if (::geteuid() == 0) {
    // root writes into read-only folders; use a folder that cannot hold new files instead
    const std::string in = Fixture(test::Uniform(3, 3, {1, 2, 3}));
    std::ofstream(Path("keep.bmp")) << "old";
    // A name whose temporary file cannot be created: the parent is a file.
    EXPECT_EQ(Run(in + " " + Path("keep.bmp") + "/x.bmp").code, 1);
    EXPECT_EQ(Slurp(Path("keep.bmp")), "old");
    return;
  }
  const std::string in = Fixture(test::Uniform(3, 3, {1, 2, 3}));
  fs::create_directories(Path("ro"));
  std::ofstream(Path("ro/keep.bmp")) << "old";
  ::chmod(Path("ro").c_str(), 0555);
  EXPECT_EQ(Run(in + " " + Path("ro/keep.bmp")).code, 1);
  ::chmod(Path("ro").c_str(), 0755);
  EXPECT_EQ(Slurp(Path("ro/keep.bmp")), "old");
}

TEST_F(Batch, RefusesAPictureClaimingAHugeSize) {
  // A BMP header claiming 100000 x 100000 with no pixels behind it.
  std::string h(54, '\0');
  auto put32 = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) h[static_cast<std::size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  h[0] = 'B';
  h[1] = 'M';
  put32(2, 54);
  put32(10, 54);
  put32(14, 40);
  put32(18, 100000);
  put32(22, 100000);
  h[26] = 1;
  h[28] = 24;
  std::ofstream(Path("huge.bmp"), std::ios::binary) << h;
  const Result r = Run(Path("huge.bmp") + " " + Path("o.png"));
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(fs::exists(Path("o.png")));
}

}  // namespace
}  // namespace rv
