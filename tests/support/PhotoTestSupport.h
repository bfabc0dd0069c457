// Photographs for the tests: ImageMagick and exiftool make them, read them
// back and tell how they ought to look.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Bitmap.h"

namespace rv::test {

inline int Sh(const std::string& cmd) { return std::system(cmd.c_str()); }

// The command's standard output, trailing line breaks removed.
inline std::string Output(const std::string& cmd) {
  std::string out;
  if (std::FILE* p = ::popen(cmd.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    ::pclose(p);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// One tag as exiftool reads it, as a number where it is one ("" when absent).
inline std::string ExifTool(const std::string& file, const std::string& tag) {
  return Output("exiftool -s3 -n -" + tag + " '" + file + "'");
}

// What exiftool's validation finds wrong with the file's structure (offsets,
// directories, chunk order); tags that a full camera file would have and that
// a picture never had are not counted.
inline std::string StructureWarnings(const std::string& file) {
  const std::string all = Output("exiftool -validate -warning -a -s3 '" + file + "'");
  std::string found;
  std::size_t at = 0;
  while (at <= all.size()) {
    const std::size_t end = std::min(all.find('\n', at), all.size());
    const std::string line = all.substr(at, end - at);
    if (!line.empty() && line != "OK" && line.find("Warning") == std::string::npos &&
        line.rfind("Missing required", 0) != 0)
      found += line + "\n";
    at = end + 1;
  }
  return found;
}

// ImageMagick's picture of the file after its operators, on white, as 8-bit RGB.
inline Bitmap MagickPicture(const std::string& file, const std::string& ops = "") {
  const std::string ppm = file + ".ref.ppm";
  if (Sh("convert '" + file + "' " + ops + " -background white -alpha remove -alpha off -depth 8 PPM:'" + ppm + "'"))
    return {};
  std::ifstream in(ppm, std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  if (magic != "P6" || w <= 0 || h <= 0 || max != 255) return {};
  Bitmap b(w, h);
  std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
  in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
      b.Set(x, y, MakePixel(p[0], p[1], p[2]));
    }
  std::remove(ppm.c_str());
  return b;
}

// The largest difference of one colour channel between two pictures of the
// same size, or 256 when the sizes differ.
inline int LargestDifference(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty()) return 256;
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const Pixel p = a.At(x, y), q = b.At(x, y);
      worst = std::max({worst, std::abs(PixelRed(p) - PixelRed(q)), std::abs(PixelGreen(p) - PixelGreen(q)),
                        std::abs(PixelBlue(p) - PixelBlue(q))});
    }
  return worst;
}

// A small, valid RGB display profile (ICC 2.1) named by its description.
inline std::vector<std::uint8_t> RgbProfile(const std::string& description, const char* colourSpace = "RGB ") {
  std::vector<std::uint8_t> p(128, 0);
  auto be32 = [](std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (24 - 8 * i));
  };
  auto add32 = [](std::vector<std::uint8_t>& v, std::uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (24 - 8 * i)));
  };
  auto fixed = [](double d) { return static_cast<std::uint32_t>(static_cast<std::int32_t>(d * 65536.0 + 0.5)); };
  be32(p, 8, 0x02100000);
  std::memcpy(&p[12], "mntr", 4);
  std::memcpy(&p[16], colourSpace, 4);
  std::memcpy(&p[20], "XYZ ", 4);
  std::memcpy(&p[36], "acsp", 4);
  be32(p, 68, fixed(0.9642));
  be32(p, 72, fixed(1.0));
  be32(p, 76, fixed(0.8249));
  struct Tag {
    const char* sig;
    std::vector<std::uint8_t> data;
  };
  auto xyz = [&](double x, double y, double z) {
    std::vector<std::uint8_t> d = {'X', 'Y', 'Z', ' ', 0, 0, 0, 0};
    add32(d, fixed(x));
    add32(d, fixed(y));
    add32(d, fixed(z));
    return d;
  };
  std::vector<std::uint8_t> desc = {'d', 'e', 's', 'c', 0, 0, 0, 0};
  add32(desc, static_cast<std::uint32_t>(description.size() + 1));
  desc.insert(desc.end(), description.begin(), description.end());
  desc.push_back(0);
  desc.resize(desc.size() + 4 + 4 + 2 + 1 + 67, 0);
  std::vector<std::uint8_t> text = {'t', 'e', 'x', 't', 0, 0, 0, 0, 'n', 'o', 'n', 'e', 0};
  const std::vector<std::uint8_t> curve = {'c', 'u', 'r', 'v', 0, 0, 0, 0, 0, 0, 0, 1, 0x02, 0x33};
  std::vector<Tag> tags = {{"desc", desc}, {"cprt", text}, {"wtpt", xyz(0.9642, 1.0, 0.8249)},
                           {"rXYZ", xyz(0.4361, 0.2225, 0.0139)}, {"gXYZ", xyz(0.3851, 0.7169, 0.0971)},
                           {"bXYZ", xyz(0.1431, 0.0606, 0.7141)}, {"rTRC", curve}, {"gTRC", curve}, {"bTRC", curve}};
  add32(p, static_cast<std::uint32_t>(tags.size()));
  std::size_t dataAt = p.size() + 12 * tags.size();
  std::vector<std::uint8_t> data;
  for (const Tag& t : tags) {
    p.insert(p.end(), t.sig, t.sig + 4);
    add32(p, static_cast<std::uint32_t>(dataAt + data.size()));
    add32(p, static_cast<std::uint32_t>(t.data.size()));
    data.insert(data.end(), t.data.begin(), t.data.end());
    while (data.size() % 4) data.push_back(0);
  }
  p.insert(p.end(), data.begin(), data.end());
  be32(p, 0, static_cast<std::uint32_t>(p.size()));
  return p;
}

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// What ImageMagick does to show a stored picture upright, by EXIF orientation.
inline const char* MagickTurn(int orientation) {
  static const char* const kOps[] = {"", "", "-flop", "-rotate 180", "-flip", "-transpose", "-rotate 90",
                                     "-transverse", "-rotate 270"};
  return kOps[orientation];
}

}  // namespace rv::test
