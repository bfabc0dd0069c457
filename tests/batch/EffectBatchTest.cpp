// The random effect filters through the batch command: a seed reproduces the
// run exactly, as the same run in the process does; the ranges the dialogs
// take from the picture hold for --set too.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

class EffectBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("rv-effect-batch-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  int Run(const std::string& args, std::string* err = nullptr) const {
    const std::string e = Path("stderr.txt");
    const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(RV_BATCH_EXE) +
                            " " + args + " >/dev/null 2>" + e;
    const int status = std::system(cmd.c_str());
    if (err) {
      std::ifstream f(e);
      std::stringstream s;
      s << f.rdbuf();
      *err = s.str();
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path dir_;
};

TEST_F(EffectBatch, SeedReproducesTheRandomFilters) {
  const Bitmap src = test::Noise(61, 23, 4);
  const std::string in = Path("in.bmp");
  ASSERT_TRUE(WriteBmp24(src, in));
  for (const char* stem : {"Noise", "Dif", "Wind", "WetPaper"}) {
    SCOPED_TRACE(stem);
    const std::string args = std::string(" --filter ") + stem + " --seed 4321";
    std::string err;
    ASSERT_EQ(Run(in + " " + Path("a.bmp") + args, &err), 0) << err;
    ASSERT_EQ(Run(in + " " + Path("b.bmp") + args), 0);
    const Bitmap a = LoadPictureFile(Path("a.bmp"));
    EXPECT_TRUE(SameColors(a, LoadPictureFile(Path("b.bmp"))));
    SeedRandom(4321);
    EXPECT_TRUE(SameColors(a, test::RunFull({stem}, src)));
    EXPECT_FALSE(SameColors(a, src));
  }
}

TEST_F(EffectBatch, ShiftAndVignetteTakeTheirRangesFromThePicture) {
  const Bitmap src = test::Noise(500, 3, 5);
  const std::string in = Path("in.bmp");
  ASSERT_TRUE(WriteBmp24(src, in));
  // -500 lies outside the dialog's first range -400..400 but inside -W..W.
  std::string err;
  ASSERT_EQ(Run(in + " " + Path("s.bmp") + " --filter Shift --set PosX=-500", &err), 0) << err;
  const Bitmap s = LoadPictureFile(Path("s.bmp"));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(test::RgbAt(s, 0, y), test::RgbAt(src, 499, y));
  EXPECT_NE(Run(in + " " + Path("t.bmp") + " --filter Shift --set PosX=501"), 0);
  // The vignette's centre may be anywhere along the 500 columns.
  ASSERT_EQ(Run(in + " " + Path("v.bmp") + " --filter Vignette --set Wid=480", &err), 0) << err;
}

}  // namespace
}  // namespace rv
