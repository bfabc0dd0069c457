#include "document/metafile/MetafileWriter.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <vector>

namespace rv {

namespace {

class Bytes {
 public:
  void U16(std::uint32_t v) {
    b_.push_back(static_cast<std::uint8_t>(v));
    b_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  const std::vector<std::uint8_t>& Data() const { return b_; }
  std::vector<std::uint8_t>& Data() { return b_; }
  std::size_t Size() const { return b_.size(); }

 private:
  std::vector<std::uint8_t> b_;
};

constexpr std::uint32_t kSrcCopy = 0x00CC0020;

std::uint64_t Stride24(int width) { return (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3}; }

// BITMAPINFOHEADER of a bottom-up 24-bit DIB.
void InfoHeader(Bytes& b, const Bitmap& p) {
  b.U32(40);
  b.I32(p.Width());
  b.I32(p.Height());
  b.U16(1);
  b.U16(24);
  b.U32(0);  // BI_RGB
  b.U32(static_cast<std::uint32_t>(Stride24(p.Width()) * p.Height()));
  b.I32(3780);  // 96 dpi in pixels per metre
  b.I32(3780);
  b.U32(0);
  b.U32(0);
}

// The rows, bottom row first, each padded to four bytes.
bool WriteRows(const Bitmap& p, std::ostream& out) {
  std::vector<char> row(Stride24(p.Width()), 0);
  for (int y = p.Height() - 1; y >= 0; --y) {
    const Pixel* src = p.Row(y);
    for (int x = 0; x < p.Width(); ++x) {
      row[3 * x] = static_cast<char>(PixelBlue(src[x]));
      row[3 * x + 1] = static_cast<char>(PixelGreen(src[x]));
      row[3 * x + 2] = static_cast<char>(PixelRed(src[x]));
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  return static_cast<bool>(out);
}

bool Put(std::ostream& out, const Bytes& b) {
  out.write(reinterpret_cast<const char*>(b.Data().data()), static_cast<std::streamsize>(b.Size()));
  return static_cast<bool>(out);
}

}  // namespace

bool WriteEmfStream(const Bitmap& p, std::ostream& out) {
  if (p.Empty()) return false;
  const std::uint64_t bits = Stride24(p.Width()) * p.Height();
  constexpr std::uint32_t kHeaderSize = 108, kBlitFixed = 80, kInfo = 40, kEofSize = 20;
  const std::uint64_t blitSize = kBlitFixed + kInfo + bits;
  const std::uint64_t total = kHeaderSize + blitSize + kEofSize;
  if (total > 0xFFFFFFFFull) return false;
  const std::int32_t w = p.Width(), h = p.Height();
  // The frame, in 0.01 mm, is the picture's size at 96 dpi.
  const auto frame = [](int px) { return static_cast<std::int32_t>(std::lround(px * 2540.0 / 96)); };

  Bytes b;
  b.U32(1);  // EMR_HEADER
  b.U32(kHeaderSize);
  b.I32(0), b.I32(0), b.I32(w - 1), b.I32(h - 1);            // bounds, device pixels, inclusive
  b.I32(0), b.I32(0), b.I32(frame(w)), b.I32(frame(h));      // frame
  b.U32(0x464D4520);                                         // " EMF"
  b.U32(0x10000);                                            // version
  b.U32(static_cast<std::uint32_t>(total));
  b.U32(3);                                                  // records
  b.U16(1);                                                  // handles (index 0 is reserved)
  b.U16(0);
  b.U32(0), b.U32(0), b.U32(0);                              // description, palette
  b.I32(1920), b.I32(1080);                                  // reference device: a 96 dpi screen
  b.I32(508), b.I32(286);                                    // its size in millimetres
  b.U32(0), b.U32(0), b.U32(0);                              // no pixel format, no OpenGL
  b.I32(508000), b.I32(285750);                              // and in micrometres, exactly 96 dpi

  b.U32(81);  // EMR_STRETCHDIBITS
  b.U32(static_cast<std::uint32_t>(blitSize));
  b.I32(0), b.I32(0), b.I32(w - 1), b.I32(h - 1);  // bounds
  b.I32(0), b.I32(0);                              // destination
  b.I32(0), b.I32(0), b.I32(w), b.I32(h);          // source rectangle
  b.U32(kBlitFixed), b.U32(kInfo);                 // offBmi, cbBmi
  b.U32(kBlitFixed + kInfo), b.U32(static_cast<std::uint32_t>(bits));
  b.U32(0);                                        // DIB_RGB_COLORS
  b.U32(kSrcCopy);
  b.I32(w), b.I32(h);                              // destination size
  InfoHeader(b, p);
  if (!Put(out, b) || !WriteRows(p, out)) return false;

  Bytes e;
  e.U32(14);  // EMR_EOF
  e.U32(kEofSize);
  e.U32(0), e.U32(16), e.U32(kEofSize);
  return Put(out, e);
}

bool WriteWmfStream(const Bitmap& p, std::ostream& out) {
  if (p.Empty() || p.Width() > 32767 || p.Height() > 32767) return false;
  const std::uint64_t bits = Stride24(p.Width()) * p.Height();
  const std::uint64_t blitBytes = 28 + 40 + bits;
  const std::uint64_t blitWords = blitBytes / 2;
  constexpr std::uint32_t kSmallRecordWords = 5, kMapModeWords = 4, kEofWords = 3;
  const std::uint64_t totalWords = 9 + kMapModeWords + 2 * kSmallRecordWords + blitWords + kEofWords;
  if (totalWords > 0xFFFFFFFFull) return false;
  const std::uint16_t w = static_cast<std::uint16_t>(p.Width()), h = static_cast<std::uint16_t>(p.Height());

  Bytes b;
  const std::uint16_t placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, w, h, 96, 0, 0};
  std::uint16_t checksum = 0;
  for (std::uint16_t word : placeable) checksum ^= word, b.U16(word);
  b.U16(checksum);

  b.U16(1);       // in a file
  b.U16(9);       // header words
  b.U16(0x300);   // version
  b.U32(static_cast<std::uint32_t>(totalWords));
  b.U16(0);       // objects
  b.U32(static_cast<std::uint32_t>(blitWords));  // largest record
  b.U16(0);

  b.U32(kMapModeWords), b.U16(0x0103), b.U16(8);      // SETMAPMODE MM_ANISOTROPIC
  b.U32(kSmallRecordWords), b.U16(0x020B), b.U16(0), b.U16(0);  // SETWINDOWORG (y, x)
  b.U32(kSmallRecordWords), b.U16(0x020C), b.U16(h), b.U16(w);  // SETWINDOWEXT (y, x)

  b.U32(static_cast<std::uint32_t>(blitWords));
  b.U16(0x0F43);  // STRETCHDIB
  b.U32(kSrcCopy);
  b.U16(0);       // DIB_RGB_COLORS
  b.U16(h), b.U16(w), b.U16(0), b.U16(0);  // source height, width, y, x
  b.U16(h), b.U16(w), b.U16(0), b.U16(0);  // destination height, width, y, x
  InfoHeader(b, p);
  if (!Put(out, b) || !WriteRows(p, out)) return false;

  Bytes e;
  e.U32(kEofWords), e.U16(0);
  return Put(out, e);
}

bool IsWmfName(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".wmf";
}

bool WriteMetafile(const Bitmap& picture, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const bool ok = IsWmfName(path) ? WriteWmfStream(picture, out) : WriteEmfStream(picture, out);
  out.close();
  return ok && static_cast<bool>(out);
}

}  // namespace rv
