// Files, folders and other programs for the saving tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "engine/Bitmap.h"

namespace rv::test {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("rv-save-" + std::to_string(::getpid()) + "-" + (info ? std::string(info->name()) : std::string("x")));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  const fs::path& Dir() const { return dir_; }

 private:
  fs::path dir_;
};

inline std::string Slurp(const std::string& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Command {
  int code;
  std::string out;
  std::string err;
};

// Runs a shell command, its output captured in files beside the test's own.
inline Command Shell(const std::string& cmd, const TempFolder& dir) {
  const std::string out = dir.Path("cmd.out"), err = dir.Path("cmd.err");
  const int status = std::system((cmd + " >" + out + " 2>" + err).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
}

// The peers are test dependencies (scripts/install-deps.sh --test); a missing
// one is a broken machine, not a reason to pass quietly.
inline bool HaveProgram(const char* name) {
  return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// A smooth picture like a photograph: gradients and soft shapes.
inline Bitmap Smooth(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dx = x - w / 2, dy = y - h / 3;
      const int glow = std::max(0, 120 - (dx * dx + dy * dy) / 40);
      b.Set(x, y, MakePixel(std::min(255, x * 255 / w + glow / 2), std::min(255, y * 255 / h + glow / 3),
                            std::min(255, 200 - (x + y) * 100 / (w + h) + glow / 4)));
    }
  return b;
}

inline int SquaredDistance(Pixel a, Pixel b) {
  const int r = PixelRed(a) - PixelRed(b), g = PixelGreen(a) - PixelGreen(b), bl = PixelBlue(a) - PixelBlue(b);
  return r * r + g * g + bl * bl;
}

inline int NearestSquaredDistance(const std::vector<Pixel>& palette, Pixel p) {
  int best = std::numeric_limits<int>::max();
  for (Pixel q : palette) best = std::min(best, SquaredDistance(p, q));
  return best;
}

}  // namespace rv::test

namespace rv::test {

// Binary PPM, written and read here so that the peers compare our files with
// a reference that none of our writers made.
inline void WritePpm(const Bitmap& b, const std::string& path) {
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << b.Width() << " " << b.Height() << "\n255\n";
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.At(x, y);
      const char c[3] = {static_cast<char>(PixelRed(p)), static_cast<char>(PixelGreen(p)),
                         static_cast<char>(PixelBlue(p))};
      f.write(c, 3);
    }
}

inline Bitmap ReadPpm(const std::string& text) {
  std::istringstream in(text);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  if (magic != "P6" || max != 255 || w <= 0 || h <= 0) return {};
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char c[3];
      in.read(reinterpret_cast<char*>(c), 3);
      b.Set(x, y, MakePixel(c[0], c[1], c[2]));
    }
  return in ? b : Bitmap{};
}

// Largest per-channel difference and the mean absolute difference.
struct Difference {
  int max = 0;
  double mean = 0;
};
inline Difference Compare(const Bitmap& a, const Bitmap& b) {
  Difference d;
  long long sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Pixel p = a.At(x, y), q = b.At(x, y);
      for (int v : {PixelRed(p) - PixelRed(q), PixelGreen(p) - PixelGreen(q), PixelBlue(p) - PixelBlue(q)}) {
        d.max = std::max(d.max, std::abs(v));
        sum += std::abs(v);
      }
    }
  d.mean = static_cast<double>(sum) / (3.0 * a.Width() * a.Height());
  return d;
}

inline std::uint32_t Le32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

}  // namespace rv::test
