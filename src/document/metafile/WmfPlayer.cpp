#include <QStringDecoder>

#include <cmath>
#include <vector>

#include "document/metafile/MetafileReader.h"
#include "document/metafile/Players.h"
#include "document/metafile/UemfChecks.h"

namespace rv::meta {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

QColor ColorAt(ByteView r, std::size_t off) { return QColor(r.U8(off), r.U8(off + 1), r.U8(off + 2)); }
// Most WMF records store their parameters last to first: (y, x), (bottom, right, top, left).
QPointF YX(ByteView r, std::size_t off) { return QPointF(r.I16(off + 2), r.I16(off)); }
QRectF BRTL(ByteView r, std::size_t off) {
  return QRectF(QPointF(r.I16(off + 6), r.I16(off + 4)), QPointF(r.I16(off + 2), r.I16(off)));
}

bool Points16(ByteView r, std::size_t off, std::uint64_t count, QPolygonF& out) {
  if (!r.HasArray(off, count, 4)) return false;
  out.clear();
  for (std::uint64_t i = 0; i < count; ++i) out.append(QPointF(r.I16(off + 4 * i), r.I16(off + 4 * i + 2)));
  return true;
}

void SetMono(GdiObject& o) {
  o.kind = GdiObject::Brush;
  o.brush.kind = GdiBrush::Solid;
  o.brush.color = Qt::gray;
}

void PlayRecord(GdiPlayer& p, std::uint16_t fn, ByteView r, const DibOptions& dib) {
  DcState& dc = p.Dc();
  auto create = [&](GdiObject o) { p.CreateObject(p.LowestFreeSlot(), std::move(o)); };
  switch (fn) {
    case 0x0201: dc.bkColor = ColorAt(r, 6); return;
    case 0x0102: dc.opaqueBackground = r.U16(6) == 2; return;
    case 0x0104: dc.rop2 = r.U16(6); return;
    case 0x0106: dc.windingFill = r.U16(6) == 2; return;
    case 0x0107: dc.smoothStretch = r.U16(6) == 4; return;
    case 0x0108: dc.textCharExtra = r.I16(6); return;
    case 0x0209: dc.textColor = ColorAt(r, 6); return;
    case 0x020B: dc.windowOrg = YX(r, 6); return;
    case 0x020C: dc.windowExt = YX(r, 6); return;
    case 0x020F: dc.windowOrg += YX(r, 6); return;
    case 0x0410: return p.ScaleWindowExt(r.I16(12), r.I16(10), r.I16(8), r.I16(6));
    // The picture is fitted through the window; viewport and mapping-mode
    // records would only move it off the target, as when a program plays the file.
    case 0x0103: case 0x020D: case 0x020E: case 0x0211: case 0x0412: return;
    case 0x0213: return p.LineTo(YX(r, 6));
    case 0x0214: return p.MoveTo(YX(r, 6));
    case 0x0415: return p.ExcludeClipRect(BRTL(r, 6));
    case 0x0416: return p.IntersectClipRect(BRTL(r, 6));
    case 0x0220: return p.OffsetClip(YX(r, 6));
    case 0x0817: return p.ArcShape(BRTL(r, 14), YX(r, 10), YX(r, 6), 0);
    case 0x0830: return p.ArcShape(BRTL(r, 14), YX(r, 10), YX(r, 6), 1);
    case 0x081A: return p.ArcShape(BRTL(r, 14), YX(r, 10), YX(r, 6), 2);
    case 0x0418: return p.Ellipse(BRTL(r, 6));
    case 0x041B: return p.Rectangle(BRTL(r, 6));
    case 0x061C: return p.RoundRect(BRTL(r, 10), r.I16(8), r.I16(6));
    case 0x061D: return p.PatBlt(QRectF(r.I16(16), r.I16(14), r.I16(12), r.I16(10)), r.U32(6));
    case 0x001E: return p.SaveDc();
    case 0x0127: return p.RestoreDc(r.I16(6));
    case 0x041F: return p.SetPixel(YX(r, 10), ColorAt(r, 6));
    case 0x0324:
    case 0x0325: {
      QPolygonF pts;
      if (!Points16(r, 8, r.U16(6), pts)) return;
      return fn == 0x0324 ? p.Polygon(pts) : p.Polyline(pts);
    }
    case 0x0538: {
      const std::uint16_t n = r.U16(6);
      if (!r.HasArray(8, n, 2)) return;
      std::size_t at = 8 + 2 * static_cast<std::size_t>(n);
      std::vector<QPolygonF> polys;
      for (std::uint16_t i = 0; i < n; ++i) {
        QPolygonF poly;
        const std::uint16_t count = r.U16(8 + 2 * i);
        if (!Points16(r, at, count, poly)) return;
        at += 4 * static_cast<std::size_t>(count);
        polys.push_back(std::move(poly));
      }
      return p.PolyPolygon(polys);
    }
    case 0x012D: return p.SelectObject(r.U16(6));
    case 0x01F0: return p.DeleteObject(r.U16(6));
    case 0x012E: dc.textAlign = r.U16(6); return;
    case 0x012C: return p.SelectClipRegion({}, 5, true);
    case 0x02FA: {
      GdiObject o;
      o.kind = GdiObject::Pen;
      const std::uint16_t style = r.U16(6);
      o.pen.style = style & 0xF;
      o.pen.cap = (style & 0xF00) == 0x100 ? Qt::SquareCap : (style & 0xF00) == 0x200 ? Qt::FlatCap : Qt::RoundCap;
      o.pen.join = (style & 0xF000) == 0x1000 ? Qt::BevelJoin : (style & 0xF000) == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin;
      o.pen.width = std::abs(r.I16(8));
      o.pen.color = ColorAt(r, 12);
      return create(o);
    }
    case 0x02FC: {
      GdiObject o;
      o.kind = GdiObject::Brush;
      const std::uint16_t style = r.U16(6);
      o.brush.color = ColorAt(r, 8);
      if (style == 1) o.brush.kind = GdiBrush::Null;
      if (style == 2) o.brush.kind = GdiBrush::Hatched, o.brush.hatch = r.U16(12);
      return create(o);
    }
    case 0x0142: {
      GdiObject o;
      o.kind = GdiObject::Brush;
      DibOptions d = dib;
      d.paletteIndices = r.U16(8) == 1;
      o.brush.pattern = DecodePackedDib(r.Sub(10, r.Size()), d);
      o.brush.kind = o.brush.pattern.isNull() ? GdiBrush::Solid : GdiBrush::Pattern;
      if (o.brush.pattern.isNull()) o.brush.color = Qt::gray;
      return create(o);
    }
    case 0x02FB: {
      GdiObject o;
      o.kind = GdiObject::Font;
      o.font.height = r.I16(6);
      o.font.width = r.I16(8);
      o.font.escapement = r.I16(10);
      o.font.weight = r.I16(14);
      o.font.italic = r.U8(16);
      o.font.underline = r.U8(17);
      o.font.strikeOut = r.U8(18);
      o.font.charSet = r.U8(19);
      std::size_t len = 0;
      while (len < 32 && r.Has(24 + len, 1) && r.U8(24 + len) != 0) ++len;
      o.font.face = DecodeAnsi(r.Sub(24, len), 0);
      return create(o);
    }
    case 0x00F7: case 0x06FF: case 0x00F8: case 0x02FD: case 0x06FE: {
      GdiObject o;
      o.kind = GdiObject::Other;
      return create(o);
    }
    case 0x01F9: {
      GdiObject o;
      SetMono(o);
      return create(o);
    }
    case 0x0521: {
      const std::uint16_t n = r.U16(6);
      const std::size_t after = 8 + ((static_cast<std::size_t>(n) + 1) & ~std::size_t{1});
      if (!r.Has(8, n) || !r.Has(after, 4)) return;
      return p.Text(YX(r, after), DecodeAnsi(r.Sub(8, n), dc.font.charSet), {}, 0, std::nullopt);
    }
    case 0x0A32: {
      const QPointF at = YX(r, 6);
      const std::uint16_t n = r.U16(10), options = r.U16(12);
      std::size_t pos = 14;
      std::optional<QRectF> rect;
      if (options & 0x6) {
        rect = QRectF(QPointF(r.I16(14), r.I16(16)), QPointF(r.I16(18), r.I16(20)));
        pos = 22;
      }
      if (!r.Has(pos, n)) return;
      const QString text = DecodeAnsi(r.Sub(pos, n), dc.font.charSet);
      const std::size_t dxAt = pos + ((static_cast<std::size_t>(n) + 1) & ~std::size_t{1});
      std::vector<double> dx;
      if (r.HasArray(dxAt, n, 2))
        for (std::uint16_t i = 0; i < n; ++i) dx.push_back(r.I16(dxAt + 2 * i));
      return p.Text(at, text, dx, options, rect);
    }
    case 0x0940:
    case 0x0B41: {
      const bool stretch = fn == 0x0B41;
      // Without a bitmap (a pattern block) the record is one word longer before the target.
      const bool noBitmap = r.Size() == 2 * static_cast<std::size_t>((fn >> 8) + 3);
      const std::uint32_t rop = r.U32(6);
      const std::size_t base = stretch ? 14 : 10;  // ySrc
      const double srcH = stretch ? r.I16(10) : 0, srcW = stretch ? r.I16(12) : 0;
      const double ySrc = r.I16(base), xSrc = r.I16(base + 2);
      const std::size_t d = base + 4 + (noBitmap ? 2 : 0);
      const double h = r.I16(d), w = r.I16(d + 2), yDest = r.I16(d + 4), xDest = r.I16(d + 6);
      const QRectF dest(xDest, yDest, w, h);
      if (noBitmap) return p.PatBlt(dest, rop);
      const QImage img = DecodePackedDib(r.Sub(d + 8, r.Size()), dib);
      if (img.isNull()) return;
      return p.DrawImage(dest, img, QRectF(xSrc, ySrc, stretch ? srcW : std::fabs(w), stretch ? srcH : std::fabs(h)),
                         rop);
    }
    case 0x0F43: {
      DibOptions d = dib;
      d.paletteIndices = r.U16(10) == 1;
      const ByteView packed = r.Sub(28, r.Size());
      const QImage img = DecodePackedDib(packed, d);
      if (img.isNull()) return;
      const bool bottomUp = packed.U32(0) == 12 || packed.I32(8) > 0;
      const double srcH = r.I16(12), srcW = r.I16(14), ySrc = r.I16(16), xSrc = r.I16(18);
      const QRectF dest(r.I16(26), r.I16(24), r.I16(22), r.I16(20));
      const QRectF src(xSrc, bottomUp ? img.height() - ySrc - srcH : ySrc, srcW, srcH);
      return p.DrawImage(dest, img, src, r.U32(6));
    }
    case 0x0D33: {
      DibOptions d = dib;
      d.paletteIndices = r.U16(6) == 1;
      const ByteView packed = r.Sub(24, r.Size());
      const QImage img = DecodePackedDib(packed, d);
      if (img.isNull()) return;
      const bool bottomUp = packed.U32(0) == 12 || packed.I32(8) > 0;
      const double ySrc = r.I16(12), xSrc = r.I16(14), h = r.I16(16), w = r.I16(18);
      const double top = bottomUp ? img.height() - ySrc - h : ySrc;
      return p.DrawImage(QRectF(r.I16(22), r.I16(20), w, h), img, QRectF(xSrc, top, w, h), 0x00CC0020);
    }
    default: return;
  }
}

}  // namespace

bool ReadWmfHeader(ByteView f, WmfHeader& h) {
  std::size_t at = 0;
  if (f.U32(0) == kPlaceableKey) {
    if (!f.Has(0, 22)) return false;
    h.placeable = true;
    h.box = QRectF(QPointF(f.I16(6), f.I16(8)), QPointF(f.I16(10), f.I16(12)));
    h.unitsPerInch = f.U16(14);
    at = 22;
  }
  const std::uint16_t type = f.U16(at), headerWords = f.U16(at + 2), version = f.U16(at + 4);
  if (!f.Has(at, 18) || (type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
    return false;
  h.recordsStart = at + 18;
  if (!h.placeable) {
    // A plain file takes its size from its window.
    bool org = false, ext = false;
    std::size_t off = h.recordsStart;
    while (off + 6 <= f.Size() && !ext) {
      const std::uint64_t bytes = 2 * static_cast<std::uint64_t>(f.U32(off));
      const std::uint16_t fn = f.U16(off + 4);
      if (bytes < 6 || bytes > f.Size() - off || fn == 0) break;
      if (fn == 0x020B && !org && bytes >= 10) h.windowOrg = YX(f, off + 6), org = true;
      if (fn == 0x020C && bytes >= 10) h.windowExt = YX(f, off + 6), ext = true;
      off += bytes;
    }
    h.hasWindow = ext;
  }
  return true;
}

void PlayWmf(ByteView f, const WmfHeader& h, GdiPlayer& p, const DibOptions& dib) {
  std::size_t off = h.recordsStart;
  while (off + 6 <= f.Size()) {
    const std::uint64_t bytes = 2 * static_cast<std::uint64_t>(f.U32(off));
    const std::uint16_t fn = f.U16(off + 4);
    if (bytes < 6 || bytes > f.Size() - off) throw MetafileError("damaged record at byte " + std::to_string(off));
    if (fn == 0) return;
    const ByteView r = f.Sub(off, static_cast<std::size_t>(bytes));
    if (WmfRecordSafeSize(r.Data(), f.Data() + f.Size()) != 0) PlayRecord(p, fn, r, dib);
    off += static_cast<std::size_t>(bytes);
  }
}

QString DecodeAnsi(ByteView bytes, int charSet) {
  const char* name = nullptr;
  switch (charSet) {
    case 238: name = "windows-1250"; break;  // EASTEUROPE_CHARSET
    case 204: name = "windows-1251"; break;
    case 161: name = "windows-1253"; break;
    case 162: name = "windows-1254"; break;
    case 186: name = "windows-1257"; break;
    default: name = "windows-1252"; break;
  }
  const QByteArray raw(reinterpret_cast<const char*>(bytes.Data()), static_cast<qsizetype>(bytes.Size()));
  QStringDecoder decoder(name);
  if (decoder.isValid()) return decoder.decode(raw);
  return QString::fromLatin1(raw);
}

}  // namespace rv::meta
