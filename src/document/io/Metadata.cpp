#include "document/io/Metadata.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>

namespace rv {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kTagImageWidth = 0x0100;
constexpr std::uint16_t kTagImageLength = 0x0101;
constexpr std::uint16_t kTagStripOffsets = 0x0111;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagStripByteCounts = 0x0117;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;
constexpr std::uint16_t kTagXmp = 700;
constexpr std::uint16_t kTagExifIfd = 34665;
constexpr std::uint16_t kTagGpsIfd = 34853;
constexpr std::uint16_t kTagIcc = 34675;
constexpr std::uint16_t kTagInteropIfd = 40965;
constexpr std::uint16_t kTagExifVersion = 0x9000;
constexpr std::uint16_t kTagPixelX = 0xA002;
constexpr std::uint16_t kTagPixelY = 0xA003;

constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kUndefined = 7;

bool IsSubIfdTag(std::uint16_t tag) { return tag == kTagExifIfd || tag == kTagGpsIfd || tag == kTagInteropIfd; }

std::uint32_t TypeSize(std::uint16_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;
    case 3: case 8: return 2;
    case 4: case 9: case 11: case 13: return 4;
    case 5: case 10: case 12: return 8;
    default: return 0;
  }
}

// Random access to the bytes of a TIFF structure: a block in memory or a file.
class Source {
 public:
  virtual ~Source() = default;
  virtual bool Read(std::uint64_t offset, void* to, std::size_t n) = 0;
  bool little = true;

  std::optional<std::uint16_t> U16(std::uint64_t off) {
    std::uint8_t b[2];
    if (!Read(off, b, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(little ? b[0] | b[1] << 8 : b[0] << 8 | b[1]);
  }
  std::optional<std::uint32_t> U32(std::uint64_t off) {
    std::uint8_t b[4];
    if (!Read(off, b, 4)) return std::nullopt;
    return little ? std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                        std::uint32_t{b[3]} << 24
                  : std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 |
                        std::uint32_t{b[3]};
  }
  // The byte order from the header; the first IFD's offset.
  std::optional<std::uint32_t> Header() {
    std::uint8_t h[4];
    if (!Read(0, h, 4)) return std::nullopt;
    if (h[0] == 'I' && h[1] == 'I' && h[2] == 42 && h[3] == 0)
      little = true;
    else if (h[0] == 'M' && h[1] == 'M' && h[2] == 0 && h[3] == 42)
      little = false;
    else
      return std::nullopt;
    return U32(4);
  }
};

class MemorySource : public Source {
 public:
  explicit MemorySource(const Bytes& b) : b_(b) {}
  bool Read(std::uint64_t offset, void* to, std::size_t n) override {
    if (offset > b_.size() || n > b_.size() - offset) return false;
    std::memcpy(to, b_.data() + offset, n);
    return true;
  }

 private:
  const Bytes& b_;
};

class FileSource : public Source {
 public:
  explicit FileSource(std::ifstream& f) : f_(f) {
    f_.seekg(0, std::ios::end);
    size_ = static_cast<std::uint64_t>(f_.tellg());
  }
  bool Read(std::uint64_t offset, void* to, std::size_t n) override {
    if (offset > size_ || n > size_ - offset) return false;
    f_.clear();
    f_.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(f_.read(static_cast<char*>(to), static_cast<std::streamsize>(n)));
  }

 private:
  std::ifstream& f_;
  std::uint64_t size_ = 0;
};

struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint64_t at = 0;        // where the 12-byte entry sits
  std::uint32_t valueAt = 0;   // where its value lies (inside the entry when small)
  std::uint64_t Bytes() const { return std::uint64_t{TypeSize(type)} * count; }
  bool Inline() const { return Bytes() <= 4; }
};

struct Ifd {
  std::uint32_t at = 0;
  std::vector<Entry> entries;
  std::uint32_t count = 0;  // entries in the file, unknown types included
  std::uint32_t next = 0;
  std::uint64_t End() const { return std::uint64_t{at} + 2 + 12 * std::uint64_t{count} + 4; }
  const Entry* Find(std::uint16_t tag) const {
    for (const Entry& e : entries)
      if (e.tag == tag) return &e;
    return nullptr;
  }
};

constexpr std::uint32_t kMaxEntries = 1000;

std::optional<Ifd> ReadIfd(Source& s, std::uint32_t at) {
  const auto n = s.U16(at);
  if (!n || *n > kMaxEntries) return std::nullopt;
  Ifd ifd;
  ifd.at = at;
  ifd.count = *n;
  for (std::uint32_t i = 0; i < *n; ++i) {
    const std::uint64_t e = std::uint64_t{at} + 2 + 12 * i;
    const auto tag = s.U16(e), type = s.U16(e + 2);
    const auto count = s.U32(e + 4), value = s.U32(e + 8);
    if (!tag || !type || !count || !value) return std::nullopt;
    Entry entry{*tag, *type, *count, e, 0};
    if (TypeSize(*type) == 0) continue;  // unknown types are skipped, as readers do
    entry.valueAt = entry.Inline() ? static_cast<std::uint32_t>(e + 8) : *value;
    ifd.entries.push_back(entry);
  }
  const auto next = s.U32(std::uint64_t{at} + 2 + 12 * *n);
  if (!next) return std::nullopt;
  ifd.next = *next;
  return ifd;
}

// The first value of a SHORT or LONG entry.
std::optional<std::uint32_t> Number(Source& s, const Entry& e, std::uint32_t index = 0) {
  if (index >= e.count) return std::nullopt;
  if (e.type == kShort) return s.U16(std::uint64_t{e.valueAt} + 2 * index);
  if (e.type == kLong || e.type == 13) return s.U32(std::uint64_t{e.valueAt} + 4 * index);
  return std::nullopt;
}

std::optional<Bytes> Value(Source& s, const Entry& e, std::uint64_t limit) {
  if (e.Bytes() > limit) return std::nullopt;
  Bytes b(static_cast<std::size_t>(e.Bytes()));
  if (!b.empty() && !s.Read(e.valueAt, b.data(), b.size())) return std::nullopt;
  return b;
}

// --- Editing an EXIF block in place ------------------------------------------

class Editor {
 public:
  explicit Editor(Bytes& b, bool little) : b_(b), little_(little) {}
  void Put16(std::uint64_t off, std::uint32_t v) {
    if (little_) {
      b_[off] = v & 0xFF;
      b_[off + 1] = (v >> 8) & 0xFF;
    } else {
      b_[off] = (v >> 8) & 0xFF;
      b_[off + 1] = v & 0xFF;
    }
  }
  void Put32(std::uint64_t off, std::uint32_t v) {
    if (little_) {
      for (int i = 0; i < 4; ++i) b_[off + i] = (v >> (8 * i)) & 0xFF;
    } else {
      for (int i = 0; i < 4; ++i) b_[off + i] = (v >> (8 * (3 - i))) & 0xFF;
    }
  }
  // Rewrites an entry as one value of the type, held inside the entry.
  void SetEntry(std::uint64_t entryAt, std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
    Put16(entryAt, tag);
    Put16(entryAt + 2, type);
    Put32(entryAt + 4, 1);
    Put32(entryAt + 8, 0);
    if (type == kShort)
      Put16(entryAt + 8, value);
    else
      Put32(entryAt + 8, value);
  }

 private:
  Bytes& b_;
  bool little_;
};

struct NewEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint8_t value[4];  // the value as it is to be stored (byte order applied)
};

// A copy of the IFD with the extra entries, in tag order, appended at the end
// of the block; the values of the old entries stay where they are, so every
// offset stays right. Returns the new IFD's offset.
std::uint32_t AppendIfd(Bytes& b, bool little, const Ifd& ifd, const std::vector<NewEntry>& extra) {
  auto replaced = [&extra](std::uint16_t tag) {
    for (const NewEntry& n : extra)
      if (n.tag == tag) return true;
    return false;
  };
  if (b.size() % 2) b.push_back(0);
  const auto at = static_cast<std::uint32_t>(b.size());
  struct Raw {
    std::uint16_t tag;
    std::uint8_t bytes[12];
  };
  std::vector<Raw> all;
  for (const Entry& e : ifd.entries) {
    if (replaced(e.tag)) continue;
    Raw r{e.tag, {}};
    std::memcpy(r.bytes, b.data() + e.at, 12);
    all.push_back(r);
  }
  Editor ed(b, little);
  for (const NewEntry& n : extra) {
    Raw r{n.tag, {}};
    Bytes tmp(12);
    Editor t(tmp, little);
    t.Put16(0, n.tag);
    t.Put16(2, n.type);
    t.Put32(4, n.count);
    std::memcpy(tmp.data() + 8, n.value, 4);
    std::memcpy(r.bytes, tmp.data(), 12);
    all.push_back(r);
  }
  std::stable_sort(all.begin(), all.end(), [](const Raw& a, const Raw& c) { return a.tag < c.tag; });
  b.resize(b.size() + 2 + 12 * all.size() + 4, 0);
  ed.Put16(at, static_cast<std::uint32_t>(all.size()));
  for (std::size_t i = 0; i < all.size(); ++i) std::memcpy(b.data() + at + 2 + 12 * i, all[i].bytes, 12);
  ed.Put32(at + 2 + 12 * all.size(), 0);
  return at;
}

NewEntry LongEntry(bool little, std::uint16_t tag, std::uint32_t v) {
  NewEntry n{tag, kLong, 1, {}};
  Bytes tmp(4);
  Editor(tmp, little).Put32(0, v);
  std::memcpy(n.value, tmp.data(), 4);
  return n;
}

struct Range {
  std::uint64_t from, to;
};

}  // namespace

int ExifOrientation(const std::vector<std::uint8_t>& exif) {
  MemorySource s(exif);
  const auto first = s.Header();
  if (!first) return 1;
  const auto ifd0 = ReadIfd(s, *first);
  if (!ifd0) return 1;
  const Entry* e = ifd0->Find(kTagOrientation);
  if (!e) return 1;
  const auto v = Number(s, *e);
  return v && *v >= 1 && *v <= 8 ? static_cast<int>(*v) : 1;
}

std::vector<std::uint8_t> ExifForSaving(const std::vector<std::uint8_t>& exif, int width, int height) {
  Bytes out = exif;
  MemorySource s(out);
  const auto first = s.Header();
  if (!first) return {};
  std::optional<Ifd> ifd0 = ReadIfd(s, *first);
  if (!ifd0) return {};
  Editor ed(out, s.little);
  const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);

  // What stays: the IFDs reached from IFD0 and the values they point at.
  std::vector<Range> kept;
  auto keep = [&](const Ifd& ifd) {
    kept.push_back({ifd.at, ifd.End()});
    for (const Entry& e : ifd.entries)
      if (!e.Inline()) kept.push_back({e.valueAt, e.valueAt + e.Bytes()});
  };
  keep(*ifd0);
  std::optional<Ifd> exifIfd;
  std::vector<Ifd> others;
  for (const Entry& e : ifd0->entries) {
    if (e.tag != kTagExifIfd && e.tag != kTagGpsIfd) continue;
    const auto off = Number(s, e);
    std::optional<Ifd> sub = off ? ReadIfd(s, *off) : std::nullopt;
    if (!sub) continue;
    keep(*sub);
    if (e.tag == kTagExifIfd) {
      if (const Entry* interop = sub->Find(kTagInteropIfd))
        if (const auto io = Number(s, *interop))
          if (std::optional<Ifd> i = ReadIfd(s, *io)) keep(*i);
      exifIfd = sub;
    }
  }
  std::uint64_t keptEnd = 8;
  for (const Range& r : kept) keptEnd = std::max(keptEnd, r.to);
  if (keptEnd > out.size()) return {};

  // The thumbnail: IFD1 and the picture it points at.
  std::vector<Range> thumb;
  if (ifd0->next) {
    if (std::optional<Ifd> ifd1 = ReadIfd(s, ifd0->next)) {
      thumb.push_back({ifd1->at, ifd1->End()});
      for (const Entry& e : ifd1->entries)
        if (!e.Inline()) thumb.push_back({e.valueAt, e.valueAt + e.Bytes()});
      const Entry* off = ifd1->Find(kTagThumbnailOffset);
      const Entry* len = ifd1->Find(kTagThumbnailLength);
      if (off && len) {
        const auto o = Number(s, *off), l = Number(s, *len);
        if (o && l) thumb.push_back({*o, std::uint64_t{*o} + *l});
      }
      const Entry* strips = ifd1->Find(kTagStripOffsets);
      const Entry* counts = ifd1->Find(kTagStripByteCounts);
      if (strips && counts)
        for (std::uint32_t i = 0; i < strips->count && i < counts->count && i < 4096; ++i) {
          const auto o = Number(s, *strips, i), l = Number(s, *counts, i);
          if (o && l) thumb.push_back({*o, std::uint64_t{*o} + *l});
        }
    }
  }
  ed.Put32(ifd0->End() - 4, 0);

  for (const Entry& e : ifd0->entries) {
    if (e.tag == kTagOrientation) ed.SetEntry(e.at, e.tag, kShort, 1);
    if (e.tag == kTagImageWidth) ed.SetEntry(e.at, e.tag, kLong, w);
    if (e.tag == kTagImageLength) ed.SetEntry(e.at, e.tag, kLong, h);
  }
  if (exifIfd)
    for (const Entry& e : exifIfd->entries) {
      if (e.tag == kTagPixelX) ed.SetEntry(e.at, e.tag, kLong, w);
      if (e.tag == kTagPixelY) ed.SetEntry(e.at, e.tag, kLong, h);
    }

  // The thumbnail's bytes go: cut off when they follow everything kept (the
  // usual layout), blanked otherwise.
  bool thumbLast = !thumb.empty();
  for (const Range& r : thumb) thumbLast = thumbLast && r.from >= keptEnd;
  if (thumbLast) {
    out.resize(static_cast<std::size_t>(keptEnd));
  } else {
    for (const Range& r : thumb) {
      bool overlaps = r.to > out.size();
      for (const Range& k : kept) overlaps = overlaps || (r.from < k.to && k.from < r.to);
      if (!overlaps) std::fill(out.begin() + static_cast<std::ptrdiff_t>(r.from),
                               out.begin() + static_cast<std::ptrdiff_t>(r.to), 0);
    }
  }

  // Pixel dimensions the block does not state yet are added in a new copy of
  // the EXIF IFD (and of IFD0, when it has no EXIF IFD at all).
  const bool little = s.little;
  if (exifIfd) {
    std::vector<NewEntry> extra;
    if (!exifIfd->Find(kTagPixelX)) extra.push_back(LongEntry(little, kTagPixelX, w));
    if (!exifIfd->Find(kTagPixelY)) extra.push_back(LongEntry(little, kTagPixelY, h));
    if (!extra.empty()) {
      const std::uint32_t at = AppendIfd(out, little, *exifIfd, extra);
      const Entry* pointer = ifd0->Find(kTagExifIfd);
      Editor(out, little).SetEntry(pointer->at, kTagExifIfd, kLong, at);
    }
  } else {
    Ifd empty;
    NewEntry version{kTagExifVersion, kUndefined, 4, {'0', '2', '3', '2'}};
    const std::uint32_t exifAt = AppendIfd(out, little, empty, {version, LongEntry(little, kTagPixelX, w),
                                                                 LongEntry(little, kTagPixelY, h)});
    // Entries of the old IFD0 are read from their old place (still there).
    const std::uint32_t ifd0At = AppendIfd(out, little, *ifd0, {LongEntry(little, kTagExifIfd, exifAt)});
    Editor(out, little).Put32(4, ifd0At);
  }
  return out;
}

namespace {

std::string ReplaceXmpValue(std::string xmp, const std::string& name, const std::string& value) {
  // Attribute form: name="v" (or 'v').
  for (std::size_t at = 0; (at = xmp.find(name, at)) != std::string::npos; at += name.size()) {
    std::size_t p = at + name.size();
    if (at > 0 && (std::isalnum(static_cast<unsigned char>(xmp[at - 1])) || xmp[at - 1] == ':')) continue;
    if (p < xmp.size() && xmp[p] == '=' && p + 1 < xmp.size() && (xmp[p + 1] == '"' || xmp[p + 1] == '\'')) {
      const char q = xmp[p + 1];
      const std::size_t end = xmp.find(q, p + 2);
      if (end == std::string::npos) break;
      xmp.replace(p + 2, end - (p + 2), value);
    } else if (at > 0 && xmp[at - 1] == '<' && p < xmp.size() && xmp[p] == '>') {
      const std::size_t end = xmp.find("</" + name + ">", p + 1);
      if (end == std::string::npos) break;
      xmp.replace(p + 1, end - (p + 1), value);
    }
  }
  return xmp;
}

}  // namespace

std::string XmpForSaving(const std::string& xmp, int width, int height) {
  std::string out = ReplaceXmpValue(xmp, "tiff:Orientation", "1");
  out = ReplaceXmpValue(out, "exif:PixelXDimension", std::to_string(width));
  out = ReplaceXmpValue(out, "exif:PixelYDimension", std::to_string(height));
  out = ReplaceXmpValue(out, "tiff:ImageWidth", std::to_string(width));
  return ReplaceXmpValue(out, "tiff:ImageLength", std::to_string(height));
}

bool IccIsRgb(const std::vector<std::uint8_t>& icc) {
  return icc.size() >= 132 && std::memcmp(icc.data() + 36, "acsp", 4) == 0 && std::memcmp(icc.data() + 16, "RGB ", 4) == 0;
}

PictureMetadata MetadataForSaving(const PictureMetadata& source, int width, int height) {
  PictureMetadata m;
  if (!source.Exif.empty()) m.Exif = ExifForSaving(source.Exif, width, height);
  if (IccIsRgb(source.Icc)) m.Icc = source.Icc;
  if (!source.Xmp.empty()) m.Xmp = XmpForSaving(source.Xmp, width, height);
  return m;
}

// --- WebP and TIFF files ------------------------------------------------------

namespace {

constexpr std::uint64_t kMaxBlock = 64u << 20;  // far above any real profile or packet

void StripExifPrefix(Bytes& exif) {
  static const std::uint8_t prefix[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (exif.size() >= 6 && std::memcmp(exif.data(), prefix, 6) == 0) exif.erase(exif.begin(), exif.begin() + 6);
}

bool ReadWebpMetadata(std::ifstream& f, PictureMetadata& out) {
  std::uint8_t h[12];
  f.seekg(0);
  if (!f.read(reinterpret_cast<char*>(h), 12)) return false;
  if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "WEBP", 4) != 0) return false;
  for (int chunks = 0; chunks < 10000; ++chunks) {
    std::uint8_t c[8];
    if (!f.read(reinterpret_cast<char*>(c), 8)) break;
    const std::uint32_t size = std::uint32_t{c[4]} | std::uint32_t{c[5]} << 8 | std::uint32_t{c[6]} << 16 |
                               std::uint32_t{c[7]} << 24;
    const bool exif = std::memcmp(c, "EXIF", 4) == 0, icc = std::memcmp(c, "ICCP", 4) == 0,
               xmp = std::memcmp(c, "XMP ", 4) == 0;
    if ((exif || icc || xmp) && size <= kMaxBlock) {
      Bytes data(size);
      if (!f.read(reinterpret_cast<char*>(data.data()), size)) break;
      if (exif) {
        StripExifPrefix(data);
        out.Exif = std::move(data);
      } else if (icc) {
        out.Icc = std::move(data);
      } else {
        out.Xmp.assign(data.begin(), data.end());
      }
      if (size % 2) f.seekg(1, std::ios::cur);
    } else {
      f.seekg(static_cast<std::streamoff>(size + size % 2), std::ios::cur);
    }
  }
  return true;
}

// A TIFF structure of its own, in the byte order of the source, from the
// descriptive tags of a TIFF file's first page with its EXIF and GPS IFDs.
class ExifBuilder {
 public:
  ExifBuilder(Source& s) : s_(s) {}

  Bytes Build(const Ifd& page) {
    std::vector<Item> top;
    static const std::uint16_t kDescriptive[] = {270, 271, 272, kTagOrientation, 282, 283, 296, 305, 306, 315, 33432};
    for (const Entry& e : page.entries) {
      if (std::find(std::begin(kDescriptive), std::end(kDescriptive), e.tag) != std::end(kDescriptive)) {
        if (auto v = Value(s_, e, kMaxBlock)) top.push_back({e.tag, e.type, e.count, std::move(*v), {}});
      } else if (e.tag == kTagExifIfd || e.tag == kTagGpsIfd) {
        if (auto sub = SubIfd(e, 0)) top.push_back({e.tag, kLong, 1, {}, std::move(*sub)});
      }
    }
    if (top.empty()) return {};
    Bytes out = {static_cast<std::uint8_t>(s_.little ? 'I' : 'M'), static_cast<std::uint8_t>(s_.little ? 'I' : 'M'),
                 0, 0, 0, 0, 0, 0};
    Editor ed(out, s_.little);
    ed.Put16(2, 42);
    ed.Put32(4, 8);
    Write(out, top);
    return out;
  }

 private:
  struct Item {
    std::uint16_t tag, type;
    std::uint32_t count;
    Bytes value;
    std::vector<Item> sub;  // the entries of a sub-IFD this item points at
  };

  std::optional<std::vector<Item>> SubIfd(const Entry& pointer, int depth) {
    const auto off = Number(s_, pointer);
    if (!off || depth > 2) return std::nullopt;
    const auto ifd = ReadIfd(s_, *off);
    if (!ifd) return std::nullopt;
    std::vector<Item> items;
    for (const Entry& e : ifd->entries) {
      if (IsSubIfdTag(e.tag)) {
        if (auto sub = SubIfd(e, depth + 1)) items.push_back({e.tag, kLong, 1, {}, std::move(*sub)});
      } else if (auto v = Value(s_, e, kMaxBlock)) {
        items.push_back({e.tag, e.type, e.count, std::move(*v), {}});
      }
    }
    return items;
  }

  // The IFD at the end of out, its values after it, its sub-IFDs after those.
  std::uint32_t Write(Bytes& out, std::vector<Item>& items) {
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.tag < b.tag; });
    if (out.size() % 2) out.push_back(0);
    const auto at = static_cast<std::uint32_t>(out.size());
    out.resize(out.size() + 2 + 12 * items.size() + 4, 0);
    Editor(out, s_.little).Put16(at, static_cast<std::uint32_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
      Item& it = items[i];
      const std::uint64_t e = at + 2 + 12 * i;
      Editor ed(out, s_.little);
      ed.Put16(e, it.tag);
      ed.Put16(e + 2, it.type);
      ed.Put32(e + 4, it.count);
      if (!it.sub.empty() || IsSubIfdTag(it.tag)) continue;
      if (it.value.size() <= 4) {
        std::memcpy(out.data() + e + 8, it.value.data(), it.value.size());
      } else {
        if (out.size() % 2) out.push_back(0);
        Editor(out, s_.little).Put32(e + 8, static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), it.value.begin(), it.value.end());
      }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (!IsSubIfdTag(items[i].tag)) continue;
      const std::uint32_t sub = Write(out, items[i].sub);
      Editor(out, s_.little).Put32(at + 2 + 12 * i + 8, sub);
    }
    return at;
  }

  Source& s_;
};

bool ReadTiffMetadata(std::ifstream& f, PictureMetadata& out) {
  FileSource s(f);
  const auto first = s.Header();
  if (!first) return false;
  const auto page = ReadIfd(s, *first);
  if (!page) return true;
  if (const Entry* e = page->Find(kTagIcc))
    if (auto v = Value(s, *e, kMaxBlock)) out.Icc = std::move(*v);
  if (const Entry* e = page->Find(kTagXmp))
    if (auto v = Value(s, *e, kMaxBlock)) out.Xmp.assign(v->begin(), v->end());
  out.Exif = ExifBuilder(s).Build(*page);
  return true;
}

}  // namespace

bool ReadContainerMetadata(const std::string& path, PictureMetadata& out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  std::uint8_t h[4] = {};
  if (!f.read(reinterpret_cast<char*>(h), 4)) return false;
  if (std::memcmp(h, "RIFF", 4) == 0) return ReadWebpMetadata(f, out);
  if ((h[0] == 'I' && h[1] == 'I') || (h[0] == 'M' && h[1] == 'M')) return ReadTiffMetadata(f, out);
  return false;
}

}  // namespace rv
