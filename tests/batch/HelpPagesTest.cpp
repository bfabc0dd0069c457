// The help pages the batch command writes from the registry, and the copies
// committed under docs/.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/BatchCommand.h"
#include "document/PictureFiles.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class HelpPages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("rv-help-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    std::ostringstream out, err;
    code_ = RunBatch({"--help-pages", dir_.string(), "--sample", RV_SAMPLES_DIR "/coffee.png", "--overlay",
                      RV_SAMPLES_DIR "/rocket.jpg"},
                     out, err);
    err_ = err.str();
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  static inline fs::path dir_;
  static inline int code_ = -1;
  static inline std::string err_;
};

TEST_F(HelpPages, EveryFilterHasAPageWithItsPlaceControlsAndPictures) {
  ASSERT_EQ(code_, 0) << err_;
  const std::string index = Slurp(dir_ / "filtry.html");
  const Bitmap before = LoadPictureFile((dir_ / "filtry" / "przed.jpg").string());
  EXPECT_EQ(before.Width(), 160);
  for (const FilterDecl* d : AllFilters()) {
    SCOPED_TRACE(d->Stem);
    const std::string page = Slurp(dir_ / "filtry" / (std::string(d->Stem) + ".html"));
    ASSERT_FALSE(page.empty());
    EXPECT_NE(index.find("href=\"filtry/" + std::string(d->Stem) + ".html\""), std::string::npos);
    ASSERT_NE(*d->Menu, '\0');
    for (const char* text : {d->Menu, d->MenuCaption, d->DialogCaption, d->HistoryLabel, d->Description})
      EXPECT_NE(page.find(text), std::string::npos) << text;
    for (const ControlDecl& c : d->Controls) {
      EXPECT_NE(page.find("<code>" + std::string(c.Name) + "</code>"), std::string::npos) << c.Name;
      if (*c.Caption) {
        EXPECT_NE(page.find(std::string("„") + c.Caption + "”"), std::string::npos) << c.Name;
      }
      if (c.Kind == ControlKind::TrackBar) {
        EXPECT_NE(page.find("<td>" + std::to_string(c.Min) + ".." + std::to_string(c.Max) + "</td><td>" +
                            std::to_string(c.Default) + "</td>"),
                  std::string::npos)
            << c.Name;
      }
    }
    EXPECT_EQ(page.find("Przezroczystość:") != std::string::npos, d->HasTransparency);
    EXPECT_EQ(page.find("„Rodzaj:”") != std::string::npos, d->HasTypeBox);
    EXPECT_EQ(page.find("nie ma podglądu") != std::string::npos, !d->HasPreview());
    // The after picture is the filter's run on the before picture.
    const std::string picture = std::string(d->Stem) + ".jpg";
    EXPECT_NE(page.find("src=\"" + picture + "\""), std::string::npos);
    const Bitmap after = LoadPictureFile((dir_ / "filtry" / picture).string());
    EXPECT_TRUE(after.Height() == before.Height() || after.Width() == before.Width());
  }
  // Nothing but the pages, their pictures and the before picture is left.
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir_ / "filtry")) {
    EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
    ++files;
  }
  EXPECT_EQ(files, 2 * static_cast<int>(AllFilters().size()) + 1);
}

TEST_F(HelpPages, RangesThatTheCommandSetsAreNamedAsSuch) {
  ASSERT_EQ(code_, 0) << err_;
  const std::string vignette = Slurp(dir_ / "filtry" / "Vignette.html");
  EXPECT_NE(vignette.find("<code>Wid</code>"), std::string::npos);
  EXPECT_NE(vignette.find("zakres i położenie ustawia polecenie z rozmiaru obrazu"), std::string::npos);
  const std::string shift = Slurp(dir_ / "filtry" / "Shift.html");
  EXPECT_NE(shift.find("zakres ustawia polecenie z rozmiaru obrazu"), std::string::npos);
  EXPECT_NE(shift.find("--set PosX=40"), std::string::npos);
}

TEST_F(HelpPages, CommittedPagesAreTheGeneratedOnes) {
  ASSERT_EQ(code_, 0) << err_;
  const fs::path docs = fs::path(RV_SAMPLES_DIR) / ".." / "docs";
  EXPECT_EQ(Slurp(docs / "filtry.html"), Slurp(dir_ / "filtry.html")) << "run scripts/help-pages.sh";
  for (const FilterDecl* d : AllFilters()) {
    const std::string name = std::string(d->Stem) + ".html";
    EXPECT_EQ(Slurp(docs / "filtry" / name), Slurp(dir_ / "filtry" / name)) << name << ": run scripts/help-pages.sh";
    EXPECT_TRUE(fs::exists(docs / "filtry" / (std::string(d->Stem) + ".jpg"))) << d->Stem;
  }
}

TEST(HelpPagesUsage, NeedsAFolderAndASample) {
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"--help-pages"}, out, err), 2);
  EXPECT_EQ(RunBatch({"--help-pages", "/tmp/x"}, out, err), 2);
  EXPECT_EQ(RunBatch({"--help-pages", "/tmp/x", "--sample"}, out, err), 2);
  const fs::path dir = fs::temp_directory_path() / ("rv-help-missing-" + std::to_string(::getpid()));
  EXPECT_EQ(RunBatch({"--help-pages", dir.string(), "--sample", (dir / "none.png").string()}, out, err), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace rv
