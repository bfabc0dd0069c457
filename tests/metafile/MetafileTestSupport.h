// Building small metafiles record by record, and finding the corpus.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rv::test {

class RecordWriter {
 public:
  RecordWriter& U16(std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  RecordWriter& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  RecordWriter& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
  std::vector<std::uint8_t> b;
};

// An EMF of frameW x frameH (0.01 mm) on a 96 dpi reference device, with the
// given records (each already complete) and EMR_EOF.
inline std::vector<std::uint8_t> MakeEmf(int frameW, int frameH, const std::vector<std::vector<std::uint8_t>>& records) {
  RecordWriter h;
  h.U32(1).U32(88).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(frameW).I32(frameH);
  h.U32(0x464D4520).U32(0x10000).U32(0).U32(0).U16(4).U16(0).U32(0).U32(0).U32(0);
  h.I32(960).I32(960).I32(254).I32(254);
  std::vector<std::uint8_t> out = h.b;
  for (const auto& r : records) out.insert(out.end(), r.begin(), r.end());
  RecordWriter eof;
  eof.U32(14).U32(20).U32(0).U32(16).U32(20);
  out.insert(out.end(), eof.b.begin(), eof.b.end());
  return out;
}

// One EMF record: type, then 32-bit values.
inline std::vector<std::uint8_t> Emr(std::uint32_t type, const std::vector<std::int32_t>& values) {
  RecordWriter r;
  r.U32(type).U32(static_cast<std::uint32_t>(8 + 4 * values.size()));
  for (std::int32_t v : values) r.I32(v);
  return r.b;
}

// One WMF record: function, then 16-bit parameters.
inline std::vector<std::uint8_t> Wmr(std::uint16_t function, const std::vector<std::int16_t>& params) {
  RecordWriter r;
  r.U32(static_cast<std::uint32_t>(3 + params.size())).U16(function);
  for (std::int16_t v : params) r.U16(static_cast<std::uint16_t>(v));
  return r.b;
}

// A WMF: placeable with the box (0, 0)-(boxW, boxH) at inch units per inch, or plain.
inline std::vector<std::uint8_t> MakeWmf(bool placeable, int boxW, int boxH, int inch,
                                         const std::vector<std::vector<std::uint8_t>>& records) {
  RecordWriter w;
  if (placeable) {
    const std::uint16_t words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<std::uint16_t>(boxW),
                                     static_cast<std::uint16_t>(boxH), static_cast<std::uint16_t>(inch), 0, 0};
    std::uint16_t sum = 0;
    for (std::uint16_t v : words) sum ^= v, w.U16(v);
    w.U16(sum);
  }
  w.U16(1).U16(9).U16(0x300).U32(0).U16(8).U32(0).U16(0);
  for (const auto& r : records) w.b.insert(w.b.end(), r.begin(), r.end());
  const auto eof = Wmr(0, {});
  w.b.insert(w.b.end(), eof.begin(), eof.end());
  return w.b;
}

// The metafile corpus kept with the tests.
inline std::filesystem::path CorpusDir() { return RV_METAFILE_CORPUS; }

}  // namespace rv::test
