#include "document/metafile/Dib.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <bit>
#include <vector>

namespace rv::meta {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                        kBiAlphaBitfields = 6;

struct Header {
  std::int64_t width = 0, height = 0;  // height < 0: rows stored top-down
  int bpp = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  std::size_t tableOffset = 0;  // colour table from the start of info
  std::size_t tableEntries = 0;
  std::size_t entrySize = 4;
  std::size_t bitsOffset = 0;  // where rows begin in a packed DIB
};

bool ReadHeader(ByteView info, const DibOptions& o, Header& h) {
  const std::uint32_t size = info.U32(0);
  std::uint64_t clrUsed = 0;
  if (size == 12) {
    if (!info.Has(0, 12)) return false;
    h.width = info.U16(4);
    h.height = info.U16(6);
    h.bpp = info.U16(10);
    h.entrySize = 3;
    h.tableOffset = 12;
  } else if (size >= 40 && size <= 1024) {
    if (!info.Has(0, size)) return false;
    h.width = info.I32(4);
    h.height = info.I32(8);
    h.bpp = info.U16(14);
    h.compression = info.U32(16);
    clrUsed = info.U32(32);
    h.tableOffset = size;
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
      const int n = h.compression == kBiAlphaBitfields ? 4 : 3;
      if (size == 40) {
        if (!info.Has(40, 4 * n)) return false;
        h.tableOffset += 4 * n;
      }
      for (int i = 0; i < n; ++i) h.masks[i] = info.U32(40 + 4 * i);
    } else if (size >= 56) {
      h.masks[3] = info.U32(52);
    }
  } else {
    return false;
  }
  if (o.paletteIndices) h.entrySize = 2;
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return false;
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width > 1'000'000 || rows > 1'000'000 || h.width * rows > o.maxPixels) return false;
  if (h.compression == kBiJpeg || h.compression == kBiPng) {
    h.tableEntries = 0;
  } else if (h.bpp == 1 || h.bpp == 4 || h.bpp == 8) {
    const std::uint64_t full = std::uint64_t{1} << h.bpp;
    h.tableEntries = static_cast<std::size_t>(clrUsed == 0 || clrUsed > full ? full : clrUsed);
  } else if (h.bpp == 16 || h.bpp == 24 || h.bpp == 32) {
    if (clrUsed > 4096) return false;
    h.tableEntries = static_cast<std::size_t>(clrUsed);  // optional table, skipped
  } else {
    return false;
  }
  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  if (rle && (h.height < 0 || (h.compression == kBiRle8 && h.bpp != 8) || (h.compression == kBiRle4 && h.bpp != 4)))
    return false;
  if ((h.compression == kBiBitfields && h.bpp != 16 && h.bpp != 32) ||
      (h.compression != kBiRgb && h.compression != kBiBitfields && h.compression != kBiAlphaBitfields && !rle &&
       h.compression != kBiJpeg && h.compression != kBiPng))
    return false;
  h.bitsOffset = h.tableOffset + h.tableEntries * h.entrySize;
  return true;
}

std::vector<QRgb> ReadTable(ByteView info, const Header& h, const DibOptions& o) {
  std::vector<QRgb> table;
  if (h.bpp > 8) return table;
  table.resize(std::size_t{1} << h.bpp, qRgb(0, 0, 0));
  for (std::size_t i = 0; i < h.tableEntries && i < table.size(); ++i) {
    const std::size_t at = h.tableOffset + i * h.entrySize;
    if (!info.Has(at, h.entrySize)) break;
    if (o.paletteIndices) {
      // No palette is realised when playing: show the index as a grey level.
      const int v = info.U16(at) & 0xFF;
      table[i] = qRgb(v, v, v);
    } else {
      table[i] = qRgb(info.U8(at + 2), info.U8(at + 1), info.U8(at));
    }
  }
  return table;
}

// Value of a masked channel scaled to 0..255.
int MaskedChannel(std::uint32_t v, std::uint32_t mask) {
  if (!mask) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t max = mask >> shift;
  return static_cast<int>((static_cast<std::uint64_t>((v & mask) >> shift) * 255 + max / 2) / max);
}

QImage DecodeRle(ByteView bits, const Header& h, const std::vector<QRgb>& table) {
  const int w = static_cast<int>(h.width), rows = static_cast<int>(h.height);
  QImage img(w, rows, QImage::Format_RGB32);
  if (img.isNull()) return {};
  img.fill(table.empty() ? qRgb(0, 0, 0) : table[0]);
  const bool four = h.compression == kBiRle4;
  int x = 0, y = 0;  // y counts from the bottom row
  std::size_t i = 0;
  auto put = [&](int index) {
    if (x < w && y < rows) reinterpret_cast<QRgb*>(img.scanLine(rows - 1 - y))[x] = table[index & (table.size() - 1)];
    ++x;
  };
  while (i + 1 < bits.Size() && y < rows) {
    const int count = bits.U8(i), value = bits.U8(i + 1);
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < w; ++k) put(four ? (k % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      x += bits.U8(i);
      y += bits.U8(i + 1);
      i += 2;
    } else {
      const int n = value;
      const std::size_t bytes = four ? (static_cast<std::size_t>(n) + 1) / 2 : static_cast<std::size_t>(n);
      if (!bits.Has(i, bytes)) break;
      for (int k = 0; k < n; ++k) {
        const int b = bits.U8(i + (four ? k / 2 : k));
        put(four ? (k % 2 ? b & 15 : b >> 4) : b);
      }
      i += (bytes + 1) & ~std::size_t{1};
    }
  }
  return img;
}

QImage DecodeEmbedded(ByteView bits, const DibOptions& o) {
  QByteArray bytes(reinterpret_cast<const char*>(bits.Data()), static_cast<qsizetype>(bits.Size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid() || static_cast<std::int64_t>(size.width()) * size.height() > o.maxPixels) return {};
  QImage img;
  if (!reader.read(&img)) return {};
  return img.convertToFormat(o.keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

}  // namespace

QImage DecodeDib(ByteView info, ByteView bits, const DibOptions& o) {
  Header h;
  if (!ReadHeader(info, o, h)) return {};
  if (h.compression == kBiJpeg || h.compression == kBiPng) return DecodeEmbedded(bits, o);
  const std::vector<QRgb> table = ReadTable(info, h, o);
  if (h.compression == kBiRle8 || h.compression == kBiRle4) return DecodeRle(bits, h, table);

  const int w = static_cast<int>(h.width);
  const bool topDown = h.height < 0;
  const int rows = static_cast<int>(topDown ? -h.height : h.height);
  const std::uint64_t stride = ((static_cast<std::uint64_t>(w) * h.bpp + 31) / 32) * 4;
  if (stride == 0 || static_cast<std::uint64_t>(rows) > bits.Size() / stride) return {};

  std::uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
  const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
  if (!fields && h.bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
  if (!fields && h.bpp == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0xFF000000;
  if (fields && h.compression == kBiBitfields) masks[3] = 0;

  const bool alpha = o.keepAlpha && h.bpp == 32 && masks[3] != 0;
  QImage img(w, rows, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (img.isNull()) return {};
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* src = bits.Data() + static_cast<std::size_t>(r) * stride;
    QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(topDown ? r : rows - 1 - r));
    switch (h.bpp) {
      case 1:
        for (int x = 0; x < w; ++x) dst[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < w; ++x) dst[x] = table[(src[x >> 1] >> (x & 1 ? 0 : 4)) & 15];
        break;
      case 8:
        for (int x = 0; x < w; ++x) dst[x] = table[src[x]];
        break;
      case 24:
        for (int x = 0; x < w; ++x) dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
        break;
      case 16:
      case 32:
        for (int x = 0; x < w; ++x) {
          const std::uint32_t v = h.bpp == 16 ? static_cast<std::uint32_t>(src[2 * x] | (src[2 * x + 1] << 8))
                                               : static_cast<std::uint32_t>(src[4 * x]) | (src[4 * x + 1] << 8) |
                                                     (src[4 * x + 2] << 16) |
                                                     (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
          dst[x] = qRgba(MaskedChannel(v, masks[0]), MaskedChannel(v, masks[1]), MaskedChannel(v, masks[2]),
                         alpha ? MaskedChannel(v, masks[3]) : 255);
        }
        break;
    }
  }
  return img;
}

QImage DecodePackedDib(ByteView packed, const DibOptions& o) {
  Header h;
  if (!ReadHeader(packed, o, h)) return {};
  return DecodeDib(packed, packed.Sub(h.bitsOffset, packed.Size()), o);
}

}  // namespace rv::meta
