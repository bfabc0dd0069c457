// A save that cannot complete reports an error and leaves any old file as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "document/PictureFiles.h"
#include "document/SaveTestSupport.h"
#include "support/FilterTestSupport.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

const char* const kFormats[] = {"bmp", "gif", "ico", "png", "jpg"};

// Each format's old file, and a picture whose file is well over 64 KiB in
// every format (noise does not compress); icons are limited to 256 x 256.
const Bitmap& Big() {
  static const Bitmap b = test::Noise(400, 300, 6);
  return b;
}
const Bitmap& BigIcon() {
  static const Bitmap b = test::Noise(256, 256, 6);
  return b;
}
const Bitmap& PictureFor(const std::string& ext) { return ext == "ico" ? BigIcon() : Big(); }

// Only the old files are in the folder: no temporary file was left behind.
void ExpectOnlyOldFiles(const fs::path& dir) {
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(name.rfind("old.", 0), 0u) << "left behind: " << name;
  }
}

// A small tmpfs mounted for the test; needs the right to mount (root in CI).
class Tmpfs {
 public:
  Tmpfs(const std::string& where, const std::string& options) : where_(where) {
    fs::create_directories(where);
    mounted_ = ::mount("tmpfs", where.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~Tmpfs() {
    if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  bool ReadOnly() { return ::mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

 private:
  std::string where_;
  bool mounted_ = false;
  std::string error_;
};

TEST(SaveFailure, ANameThatIsAFolderIsAnError) {
  test::TempFolder dir;
  for (const char* ext : kFormats) {
    const std::string path = dir.Path(std::string("folder.") + ext);
    fs::create_directories(path);
    fs::create_directories(path + "/inside");
    EXPECT_THROW(WritePictureFile(test::Noise(4, 4, 1), path), PictureError) << ext;
    EXPECT_TRUE(fs::is_directory(path + "/inside")) << ext;
  }
}

TEST(SaveFailure, AFolderThatCannotBeCreatedIsAnError) {
  // The parent is a file (this holds for root too) or does not exist.
  test::TempFolder dir;
  std::ofstream(dir.Path("old.bmp")) << "old";
  for (const char* ext : kFormats) {
    EXPECT_THROW(WritePictureFile(test::Noise(4, 4, 1), dir.Path(std::string("old.bmp/x.") + ext)), PictureError);
    EXPECT_THROW(WritePictureFile(test::Noise(4, 4, 1), dir.Path(std::string("missing/x.") + ext)), PictureError);
  }
  EXPECT_EQ(test::Slurp(dir.Path("old.bmp")), "old");
  ExpectOnlyOldFiles(dir.Dir());
}

TEST(SaveFailure, AFolderWithoutWritePermissionKeepsTheOldFile) {
  test::TempFolder dir;
  const std::string ro = dir.Path("ro");
  std::optional<Tmpfs> mount;
  if (::geteuid() == 0) {
    // Permission bits do not stop root; a read-only file system does.
    mount.emplace(ro, "size=1m");
    if (!mount->Mounted()) GTEST_SKIP() << "root cannot mount a tmpfs here (" << mount->Error() << ")";
  } else {
    fs::create_directories(ro);
  }
  for (const char* ext : kFormats) std::ofstream(ro + "/old." + ext) << "old " << ext;
  if (mount) {
    ASSERT_TRUE(mount->ReadOnly()) << std::strerror(errno);
  } else {
    ::chmod(ro.c_str(), 0555);
  }
  for (const char* ext : kFormats) {
    try {
      WritePictureFile(PictureFor(ext), ro + "/old." + ext);
      ADD_FAILURE() << ext << " was written";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(ro), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::Slurp(ro + "/old." + ext), std::string("old ") + ext);
  }
  if (!mount) ::chmod(ro.c_str(), 0755);
  ExpectOnlyOldFiles(ro);
}

TEST(SaveFailure, AFullDiskKeepsTheOldFile) {
  test::TempFolder dir;
  const std::string small = dir.Path("small");
  Tmpfs mount(small, "size=64k");
  if (!mount.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (" << mount.Error() << "); "
                                     << "FileSizeLimitKeepsTheOldFile covers the same path";
  for (const char* ext : kFormats) {
    const std::string path = small + "/old." + ext;
    std::ofstream(path) << "old " << ext;
    try {
      WritePictureFile(PictureFor(ext), path);
      ADD_FAILURE() << ext << " was written";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << ext << ": " << e.what();
    }
    EXPECT_EQ(test::Slurp(path), std::string("old ") + ext);
  }
  ExpectOnlyOldFiles(small);
  // The same disk still takes a picture that fits.
  WritePictureFile(test::Noise(10, 10, 1), small + "/old.bmp");
  EXPECT_EQ(LoadPictureFile(small + "/old.bmp").Width(), 10);
}

TEST(SaveFailure, FileSizeLimitKeepsTheOldFile) {
  // Writes cut short by a file size limit (EFBIG) run the same failure path
  // as a full disk, for any user.
  test::TempFolder dir;
  for (const char* ext : kFormats) {
    const std::string path = dir.Path(std::string("old.") + ext);
    std::ofstream(path) << "old " << ext;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{32768, 32768};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      try {
        WritePictureFile(PictureFor(ext), path);
      } catch (const PictureError&) {
        ::_exit(0);
      }
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ext << " did not report the failure";
    EXPECT_EQ(test::Slurp(path), std::string("old ") + ext);
  }
  ExpectOnlyOldFiles(dir.Dir());
}

}  // namespace
}  // namespace rv
