// The batch command's geometry commands, alignments with their crop, the
// picture and texture overlays and the controls the menu commands set.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/PictureFiles.h"
#include "document/io/BmpWriter.h"
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

class BatchGeometry : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rv-batchgeo-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Exit code and standard error of one run.
  std::pair<int, std::string> Run(const std::string& args) const {
    const std::string err = Path("stderr.txt");
    const std::string cmd = "env -u DISPLAY -u QT_QPA_PLATFORM " + std::string(RV_BATCH_EXE) + " " + args + " >" +
                            Path("stdout.txt") + " 2>" + err;
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(err)};
  }
  static std::string Slurp(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  std::string Fixture(const Bitmap& b, const std::string& name = "in.bmp") const {
    EXPECT_TRUE(WriteBmp24(b, Path(name)));
    return Path(name);
  }
  // Runs INPUT -> out.bmp and reads the result back.
  Bitmap Output(const std::string& input, const std::string& args) const {
    const auto [code, err] = Run(input + " " + Path("out.bmp") + " " + args);
    EXPECT_EQ(code, 0) << args << ": " << err;
    return code == 0 ? LoadPictureFile(Path("out.bmp")) : Bitmap();
  }

  fs::path dir_;
};

TEST_F(BatchGeometry, MirrorsAndTurnsAsTheMenuCommands) {
  const Bitmap src = test::Noise(9, 5, 1);
  const std::string in = Fixture(src);
  for (const GeometryCommand& g : GeometryCommands()) {
    if (!g.Apply) continue;
    EXPECT_TRUE(SameColors(Output(in, std::string("--filter ") + g.Stem), g.Apply(src))) << g.Stem;
  }
}

TEST_F(BatchGeometry, ResizeTakesTheDialogsFields) {
  const Bitmap src = test::Noise(20, 10, 2);
  const std::string in = Fixture(src);
  EXPECT_TRUE(SameColors(Output(in, "--filter Resize --set Width=8 --set Height=3"), ResampleBilinear(src, 8, 3)));
  // One field alone: the other follows the whole-percent ratio, unless Prop is clear.
  EXPECT_EQ(Output(in, "--filter Resize --set Width=10").Height(), 5);
  EXPECT_EQ(Output(in, "--filter Resize --set Height=4").Width(), 8);
  const Bitmap free = Output(in, "--filter Resize --set Prop=0 --set Width=10");
  EXPECT_EQ(free.Width(), 10);
  EXPECT_EQ(free.Height(), 10);
  EXPECT_TRUE(SameColors(Output(in, "--filter Resize"), src));
}

TEST_F(BatchGeometry, AlignmentCropsWhileAutoFramIsTicked) {
  const Bitmap src = test::Noise(20, 12, 3);
  const std::string in = Fixture(src);
  const Bitmap sheared = test::RunFull({"Width", {{"Power", 5}}}, src);
  const Bitmap cropped = Output(in, "--filter Width --set Power=5");
  EXPECT_EQ(cropped.Height(), 7);
  EXPECT_TRUE(SameColors(cropped, sheared.Copy(0, 5, 20, 7)));
  EXPECT_TRUE(SameColors(Output(in, "--filter Width --set Power=5 --set AutoFram=0"), sheared));
  const Bitmap columns = Output(in, "--filter Height --set Power=-4");
  EXPECT_EQ(columns.Width(), 16);
  EXPECT_TRUE(SameColors(columns, test::RunFull({"Height", {{"Power", -4}}}, src).Copy(0, 0, 16, 12)));
  // A shear as long as the picture leaves no band: the aligned picture stays whole.
  EXPECT_TRUE(SameColors(Output(in, "--filter Width --set Power=12"), test::RunFull({"Width", {{"Power", 12}}}, src)));
}

TEST_F(BatchGeometry, GradientCentresStartAtThePicturesMiddle) {
  const Bitmap src = test::Noise(300, 9, 4);
  const std::string in = Fixture(src);
  // White (the secondary colour) at column 150; Wid reaches past the form's 255.
  const Bitmap centred = Output(in, "--filter GradientWidth");
  EXPECT_EQ(test::RgbAt(centred, 150, 4), (Rgb{255, 255, 255}));
  EXPECT_NE(test::RgbAt(centred, 280, 4), (Rgb{255, 255, 255}));
  EXPECT_EQ(test::RgbAt(Output(in, "--filter GradientWidth --set Wid=280"), 280, 4), (Rgb{255, 255, 255}));
  const Bitmap radial = Output(in, "--filter GradientPoint --secondary 102030");
  EXPECT_EQ(test::RgbAt(radial, 150, 4), (Rgb{0x10, 0x20, 0x30}));
  EXPECT_EQ(Run(in + " " + Path("o.bmp") + " --filter GradientWidth --set Wid=301").first, 2);
}

TEST_F(BatchGeometry, OverlaysComeFromTheOverlayFile) {
  const Bitmap src = test::Noise(12, 10, 5);
  const std::string in = Fixture(src);
  const Bitmap small = test::Noise(3, 2, 6);
  const std::string ov = Fixture(small, "ov.bmp");
  const Bitmap placed = Output(in, "--filter Imposition --overlay " + ov + " --set OsieX=4 --set OsieY=7");
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 4 && x < 7 && y >= 7 && y < 9;
      EXPECT_EQ(test::RgbAt(placed, x, y), test::RgbAt(inside ? small : src, inside ? x - 4 : x, inside ? y - 7 : y));
    }
  // Stretched to the picture at (0, 0) it covers everything.
  const Bitmap fitted = Output(in, "--filter Imposition --overlay " + ov + " --set AutoDopasowanie=1");
  EXPECT_TRUE(SameColors(fitted, ResampleBilinear(small, 12, 10)));
  // A uniform texture of any size changes nothing.
  const std::string flat = Fixture(test::Uniform(5, 5, {90, 10, 200}), "flat.bmp");
  EXPECT_TRUE(SameColors(Output(in, "--filter Texture --overlay " + flat + " --set Power=255"), src));
  const Bitmap textured = Output(in, "--filter Texture --overlay " + ov);
  test::Run t{"Texture"};
  const Bitmap stretched = ResampleBilinear(small, 12, 10);
  t.ctx.Overlay = &stretched;
  t.ctx.OverlayMean = MeasureTextureMean(stretched);
  EXPECT_TRUE(SameColors(textured, test::RunFull(t, src)));
}

struct UsageCase {
  const char* args;
  int code;
  const char* message;
};

TEST_F(BatchGeometry, RefusesWhatTheCommandsCannotTake) {
  const std::string in = Fixture(test::Noise(6, 4, 7));
  Fixture(test::Noise(3, 2, 8), "ov.bmp");
  std::ofstream(Path("broken.bmp")) << "BM not a picture";
  const UsageCase cases[] = {
      {"--filter Resize --set Width=0", 2, "above 0"},
      {"--filter Resize --set Depth=3", 2, "unknown control 'Depth'"},
      {"--filter RotateRight --tryb 3", 2, "takes no"},
      {"--filter FlipVertical --set Power=1", 2, "no controls"},
      {"--filter Texture", 2, "--overlay FILE"},
      {"--filter Contrast --overlay @DIR@/ov.bmp", 2, "--overlay is for"},
      {"--overlay @DIR@/ov.bmp", 2, "need --filter"},
      {"--filter Imposition --overlay @DIR@/ov.bmp --set OsieX=-4", 2, "outside -3..6"},
      {"--filter Imposition --overlay @DIR@/missing.bmp", 1, "cannot read the overlay"},
      {"--filter Texture --overlay @DIR@/broken.bmp", 1, "cannot read the overlay"},
  };
  for (const UsageCase& c : cases) {
    std::string args = c.args;
    const auto at = args.find("@DIR@");
    if (at != std::string::npos) args.replace(at, 5, dir_.string());
    const auto [code, err] = Run(in + " " + Path("o.bmp") + " " + args);
    EXPECT_EQ(code, c.code) << args;
    EXPECT_NE(err.find(c.message), std::string::npos) << args << ": " << err;
    EXPECT_FALSE(fs::exists(Path("o.bmp"))) << args;
  }
}

TEST_F(BatchGeometry, ListShowsTheCommandsAndTheirControls) {
  ASSERT_EQ(Run("--list").first, 0);
  const std::string text = Slurp(Path("stdout.txt"));
  for (const GeometryCommand& g : GeometryCommands()) EXPECT_NE(text.find(g.Stem), std::string::npos) << g.Stem;
  EXPECT_NE(text.find("AutoDopasowanie"), std::string::npos);
  ASSERT_EQ(Run("--list --json").first, 0);
  const std::string json = Slurp(Path("stdout.txt"));
  EXPECT_NE(json.find("{\"stem\": \"RotateLeft\", \"geometry\": true, \"menu\": \"W lewo\""), std::string::npos);
  EXPECT_NE(json.find("\"name\": \"AutoDopasowanie\", \"kind\": \"checkbox\""), std::string::npos);
  EXPECT_NE(json.find("\"stem\": \"Texture\""), std::string::npos);
}

}  // namespace
}  // namespace rv
