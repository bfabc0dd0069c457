#include <QStringDecoder>

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "document/metafile/MetafileReader.h"
#include "document/metafile/Players.h"
#include "document/metafile/UemfChecks.h"

namespace rv::meta {

namespace {

enum EmrType : std::uint32_t {
  kHeader = 1, kPolyBezier, kPolygon, kPolyline, kPolyBezierTo, kPolylineTo, kPolyPolyline, kPolyPolygon,
  kSetWindowExtEx, kSetWindowOrgEx, kSetViewportExtEx, kSetViewportOrgEx, kSetBrushOrgEx, kEof, kSetPixelV,
  kSetMapperFlags, kSetMapMode, kSetBkMode, kSetPolyFillMode, kSetRop2, kSetStretchBltMode, kSetTextAlign,
  kSetColorAdjustment, kSetTextColor, kSetBkColor, kOffsetClipRgn, kMoveToEx, kSetMetaRgn, kExcludeClipRect,
  kIntersectClipRect, kScaleViewportExtEx, kScaleWindowExtEx, kSaveDc, kRestoreDc, kSetWorldTransform,
  kModifyWorldTransform, kSelectObject, kCreatePen, kCreateBrushIndirect, kDeleteObject, kAngleArc, kEllipse,
  kRectangle, kRoundRect, kArc, kChord, kPie, kSelectPalette, kCreatePalette, kSetPaletteEntries, kResizePalette,
  kRealizePalette, kExtFloodFill, kLineTo, kArcTo, kPolyDraw, kSetArcDirection, kSetMiterLimit, kBeginPath,
  kEndPath, kCloseFigure, kFillPath, kStrokeAndFillPath, kStrokePath, kFlattenPath, kWidenPath, kSelectClipPath,
  kAbortPath, kComment = 70, kFillRgn, kFrameRgn, kInvertRgn, kPaintRgn, kExtSelectClipRgn, kBitBlt, kStretchBlt,
  kMaskBlt, kPlgBlt, kSetDiBitsToDevice, kStretchDiBits, kExtCreateFontIndirectW, kExtTextOutA, kExtTextOutW,
  kPolyBezier16, kPolygon16, kPolyline16, kPolyBezierTo16, kPolylineTo16, kPolyPolyline16, kPolyPolygon16,
  kPolyDraw16, kCreateMonoBrush, kCreateDibPatternBrushPt, kExtCreatePen, kSmallTextOut = 108, kAlphaBlend = 114,
  kTransparentBlt = 116, kGradientFill = 118,
};

QColor ColorAt(ByteView r, std::size_t off) { return QColor(r.U8(off), r.U8(off + 1), r.U8(off + 2)); }
QPointF PointL(ByteView r, std::size_t off) { return QPointF(r.I32(off), r.I32(off + 4)); }
QPointF PointS(ByteView r, std::size_t off) { return QPointF(r.I16(off), r.I16(off + 2)); }
QRectF RectL(ByteView r, std::size_t off) { return QRectF(PointL(r, off), PointL(r, off + 8)); }

// count points of 8 (32-bit) or 4 (16-bit) bytes at off; false when they do not fit.
bool Points(ByteView r, std::size_t off, std::uint64_t count, bool small, QPolygonF& out) {
  if (!r.HasArray(off, count, small ? 4 : 8)) return false;
  out.clear();
  out.reserve(static_cast<qsizetype>(count));
  for (std::uint64_t i = 0; i < count; ++i)
    out.append(small ? PointS(r, off + 4 * i) : PointL(r, off + 8 * i));
  return true;
}

bool PolyPoints(ByteView r, bool small, std::vector<QPolygonF>& out) {
  const std::uint32_t nPolys = r.U32(24), total = r.U32(28);
  if (!r.HasArray(32, nPolys, 4)) return false;
  const std::size_t pointsAt = 32 + 4 * static_cast<std::size_t>(nPolys);
  if (!r.HasArray(pointsAt, total, small ? 4 : 8)) return false;
  std::uint64_t used = 0;
  for (std::uint32_t i = 0; i < nPolys; ++i) {
    const std::uint32_t n = r.U32(32 + 4 * i);
    if (n > total - used) return false;
    QPolygonF poly;
    Points(r, pointsAt + (small ? 4 : 8) * used, n, small, poly);
    used += n;
    out.push_back(std::move(poly));
  }
  return true;
}

QString Utf16(ByteView r, std::size_t off, std::uint64_t chars) {
  if (!r.HasArray(off, chars, 2)) return {};
  QString s;
  s.reserve(static_cast<qsizetype>(chars));
  for (std::uint64_t i = 0; i < chars; ++i) s.append(QChar(r.U16(off + 2 * i)));
  return s;
}

std::vector<QRectF> RegionRects(ByteView r, std::size_t off, std::uint32_t size) {
  std::vector<QRectF> rects;
  const ByteView rgn = r.Sub(off, size);
  if (rgn.Size() < 32) return rects;
  const std::uint32_t count = rgn.U32(8);
  if (!rgn.HasArray(32, count, 16)) return rects;
  for (std::uint32_t i = 0; i < count; ++i) rects.push_back(RectL(rgn, 32 + 16 * i));
  return rects;
}

// The DIB of a record: header block and rows given by offsets and sizes.
QImage RecordDib(ByteView r, std::uint32_t offBmi, std::uint32_t cbBmi, std::uint32_t offBits, std::uint32_t cbBits,
                 std::uint32_t usage, DibOptions o, bool* bottomUp = nullptr) {
  if (cbBmi == 0 || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits)) return {};
  const ByteView info = r.Sub(offBmi, cbBmi);
  o.paletteIndices = usage == 1;
  if (bottomUp) *bottomUp = info.U32(0) == 12 || info.I32(8) > 0;
  return DecodeDib(info, r.Sub(offBits, cbBits), o);
}

GdiBrush LogBrush(ByteView r, std::size_t off) {
  GdiBrush b;
  const std::uint32_t style = r.U32(off);
  b.color = ColorAt(r, off + 4);
  if (style == 1) b.kind = GdiBrush::Null;
  if (style == 2) b.kind = GdiBrush::Hatched, b.hatch = static_cast<int>(r.U32(off + 8));
  return b;
}

void PenStyle(std::uint32_t style, GdiPen& p) {
  p.style = static_cast<int>(style & 0xF);
  switch (style & 0xF00) {
    case 0x100: p.cap = Qt::SquareCap; break;
    case 0x200: p.cap = Qt::FlatCap; break;
    default: p.cap = Qt::RoundCap; break;
  }
  switch (style & 0xF000) {
    case 0x1000: p.join = Qt::BevelJoin; break;
    case 0x2000: p.join = Qt::MiterJoin; break;
    default: p.join = Qt::RoundJoin; break;
  }
}

void ExtText(GdiPlayer& p, ByteView r, bool wide) {
  const QPointF ref = PointL(r, 36);
  const std::uint32_t chars = r.U32(44), offString = r.U32(48), options = r.U32(52);
  constexpr std::uint32_t kNoRect = 0x100, kGlyphIndex = 0x10, kPdy = 0x2000;
  std::optional<QRectF> rect;
  std::size_t offDxAt = 56;
  if (!(options & kNoRect)) rect = RectL(r, 56), offDxAt = 72;
  const std::uint32_t offDx = r.U32(offDxAt);
  if (chars > 65536) return;
  QString text;
  if (!(options & kGlyphIndex)) {
    if (wide) {
      text = Utf16(r, offString, chars);
    } else if (r.Has(offString, chars)) {
      text = DecodeAnsi(r.Sub(offString, chars), p.Dc().font.charSet);
    }
  }
  // Glyph indices name glyphs of a font we do not have; such text is left out.
  std::vector<double> dx;
  const int stride = (options & kPdy) ? 8 : 4;
  if (offDx && r.HasArray(offDx, chars, static_cast<std::size_t>(stride)))
    for (std::uint32_t i = 0; i < chars; ++i) dx.push_back(r.I32(offDx + static_cast<std::size_t>(stride) * i));
  p.Text(ref, text, dx, options, rect);
}

void PolyDraw(GdiPlayer& p, ByteView r, bool small) {
  const std::uint32_t n = r.U32(24);
  QPolygonF pts;
  if (!Points(r, 28, n, small, pts)) return;
  const std::size_t typesAt = 28 + static_cast<std::size_t>(n) * (small ? 4 : 8);
  if (!r.Has(typesAt, n)) return;
  for (std::uint32_t i = 0; i < n; ++i) {
    const int type = r.U8(typesAt + i);
    switch (type & 6) {
      case 6: p.MoveTo(pts[i]); break;
      case 2: p.LineTo(pts[i]); break;
      case 4:
        if (i + 2 < n) {
          p.PolyBezierTo(QPolygonF({pts[i], pts[i + 1], pts[i + 2]}));
          i += 2;
        }
        break;
      default: break;
    }
    if (type & 1) p.CloseFigure();
  }
}

void PlayRecord(GdiPlayer& p, std::uint32_t type, ByteView r, const DibOptions& dib) {
  DcState& dc = p.Dc();
  switch (type) {
    case kPolyBezier: case kPolygon: case kPolyline: case kPolyBezierTo: case kPolylineTo:
    case kPolyBezier16: case kPolygon16: case kPolyline16: case kPolyBezierTo16: case kPolylineTo16: {
      const bool small = type >= kPolyBezier16;
      QPolygonF pts;
      if (!Points(r, 28, r.U32(24), small, pts)) return;
      switch (small ? type - kPolyBezier16 + kPolyBezier : type) {
        case kPolyBezier: return p.PolyBezier(pts);
        case kPolygon: return p.Polygon(pts);
        case kPolyline: return p.Polyline(pts);
        case kPolyBezierTo: return p.PolyBezierTo(pts);
        default: return p.PolylineTo(pts);
      }
    }
    case kPolyPolyline: case kPolyPolygon: case kPolyPolyline16: case kPolyPolygon16: {
      std::vector<QPolygonF> polys;
      if (!PolyPoints(r, type >= kPolyPolyline16, polys)) return;
      return type == kPolyPolyline || type == kPolyPolyline16 ? p.PolyPolyline(polys) : p.PolyPolygon(polys);
    }
    case kPolyDraw: return PolyDraw(p, r, false);
    case kPolyDraw16: return PolyDraw(p, r, true);
    case kSetWindowExtEx: dc.windowExt = PointL(r, 8); return;
    case kSetWindowOrgEx: dc.windowOrg = PointL(r, 8); return;
    case kSetViewportExtEx: dc.viewportExt = PointL(r, 8); return;
    case kSetViewportOrgEx: dc.viewportOrg = PointL(r, 8); return;
    case kSetPixelV: return p.SetPixel(PointL(r, 8), ColorAt(r, 16));
    case kSetMapMode: return p.SetMapMode(static_cast<int>(r.U32(8)));
    case kSetBkMode: dc.opaqueBackground = r.U32(8) == 2; return;
    case kSetPolyFillMode: dc.windingFill = r.U32(8) == 2; return;
    case kSetRop2: dc.rop2 = static_cast<int>(r.U32(8)); return;
    case kSetStretchBltMode: dc.smoothStretch = r.U32(8) == 4; return;
    case kSetTextAlign: dc.textAlign = r.U32(8); return;
    case kSetTextColor: dc.textColor = ColorAt(r, 8); return;
    case kSetBkColor: dc.bkColor = ColorAt(r, 8); return;
    case kOffsetClipRgn: return p.OffsetClip(PointL(r, 8));
    case kMoveToEx: return p.MoveTo(PointL(r, 8));
    case kExcludeClipRect: return p.ExcludeClipRect(RectL(r, 8));
    case kIntersectClipRect: return p.IntersectClipRect(RectL(r, 8));
    case kScaleViewportExtEx: return p.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case kScaleWindowExtEx: return p.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case kSaveDc: return p.SaveDc();
    case kRestoreDc: return p.RestoreDc(r.I32(8));
    case kSetWorldTransform:
    case kModifyWorldTransform: {
      const QTransform t(r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28));
      return type == kSetWorldTransform ? p.SetWorldTransform(t) : p.ModifyWorldTransform(t, static_cast<int>(r.U32(32)));
    }
    case kSelectObject: return p.SelectObject(r.U32(8));
    case kDeleteObject: return p.DeleteObject(r.U32(8));
    case kCreatePen: {
      GdiObject o;
      o.kind = GdiObject::Pen;
      PenStyle(r.U32(12) & 0xF, o.pen);
      o.pen.width = r.I32(16) < 0 ? 0 : r.I32(16);
      o.pen.color = ColorAt(r, 24);
      return p.CreateObject(r.U32(8), o);
    }
    case kExtCreatePen: {
      GdiObject o;
      o.kind = GdiObject::Pen;
      const std::uint32_t style = r.U32(28);
      PenStyle(style, o.pen);
      o.pen.geometric = style & 0x10000;
      o.pen.width = o.pen.geometric ? r.U32(32) : 0;
      if (o.pen.width > 1e7) o.pen.width = 0;
      const std::uint32_t brushStyle = r.U32(36);
      o.pen.color = ColorAt(r, 40);
      if (brushStyle == 1) o.pen.style = 5;
      const std::uint32_t entries = r.U32(48);
      if (o.pen.style == 7 && entries <= 64 && r.HasArray(52, entries, 4))
        for (std::uint32_t i = 0; i < entries; ++i) o.pen.dashes.push_back(r.U32(52 + 4 * i));
      return p.CreateObject(r.U32(8), o);
    }
    case kCreateBrushIndirect: {
      GdiObject o;
      o.kind = GdiObject::Brush;
      o.brush = LogBrush(r, 12);
      return p.CreateObject(r.U32(8), o);
    }
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt: {
      GdiObject o;
      o.kind = GdiObject::Brush;
      o.brush.kind = GdiBrush::Pattern;
      o.brush.mono = type == kCreateMonoBrush;
      o.brush.pattern = RecordDib(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28), r.U32(12), dib);
      if (o.brush.pattern.isNull()) o.brush.kind = GdiBrush::Solid, o.brush.color = Qt::gray;
      return p.CreateObject(r.U32(8), o);
    }
    case kExtCreateFontIndirectW: {
      GdiObject o;
      o.kind = GdiObject::Font;
      o.font.height = r.I32(12);
      o.font.width = r.I32(16);
      o.font.escapement = r.I32(20);
      o.font.weight = r.I32(28);
      o.font.italic = r.U8(32);
      o.font.underline = r.U8(33);
      o.font.strikeOut = r.U8(34);
      o.font.charSet = r.U8(35);
      QString face = Utf16(r, 40, 32);
      const qsizetype nul = face.indexOf(QChar(0));
      if (nul >= 0) face.truncate(nul);
      o.font.face = face;
      return p.CreateObject(r.U32(8), o);
    }
    case kAngleArc: return p.AngleArc(PointL(r, 8), r.U32(16), r.F32(20), r.F32(24));
    case kEllipse: return p.Ellipse(RectL(r, 8));
    case kRectangle: return p.Rectangle(RectL(r, 8));
    case kRoundRect: return p.RoundRect(RectL(r, 8), r.I32(24), r.I32(28));
    case kArc: return p.ArcShape(RectL(r, 8), PointL(r, 24), PointL(r, 32), 0);
    case kChord: return p.ArcShape(RectL(r, 8), PointL(r, 24), PointL(r, 32), 1);
    case kPie: return p.ArcShape(RectL(r, 8), PointL(r, 24), PointL(r, 32), 2);
    case kArcTo: return p.ArcShape(RectL(r, 8), PointL(r, 24), PointL(r, 32), 3);
    case kLineTo: return p.LineTo(PointL(r, 8));
    case kSetArcDirection: dc.clockwiseArcs = r.U32(8) == 2; return;
    case kSetMiterLimit: {
      const std::uint32_t v = r.U32(8);
      dc.miterLimit = v < 1000 ? v : r.F32(8);
      if (!std::isfinite(dc.miterLimit)) dc.miterLimit = 10;
      return;
    }
    case kBeginPath: return p.BeginPath();
    case kEndPath: return p.EndPath();
    case kCloseFigure: return p.CloseFigure();
    case kFillPath: return p.FillPath();
    case kStrokeAndFillPath: return p.StrokeAndFillPath();
    case kStrokePath: return p.StrokePath();
    case kSelectClipPath: return p.SelectClipPath(static_cast<int>(r.U32(8)));
    case kAbortPath: return p.AbortPath();
    case kFillRgn: {
      const auto o = p.ObjectAt(r.U32(28));
      if (!o || o->kind != GdiObject::Brush) return;
      return p.FillRegion(RegionRects(r, 32, r.U32(24)), o->brush);
    }
    case kFrameRgn: {
      const auto o = p.ObjectAt(r.U32(28));
      if (!o || o->kind != GdiObject::Brush) return;
      return p.FrameRegion(RegionRects(r, 40, r.U32(24)), o->brush, r.I32(32), r.I32(36));
    }
    case kPaintRgn: return p.FillRegion(RegionRects(r, 28, r.U32(24)), dc.brush);
    case kExtSelectClipRgn: {
      const std::uint32_t size = r.U32(8);
      const int mode = static_cast<int>(r.U32(12));
      if (size < 32) return p.SelectClipRegion({}, mode, true);
      return p.SelectClipRegion(RegionRects(r, 16, size), mode, false);
    }
    case kBitBlt:
    case kStretchBlt:
    case kAlphaBlend:
    case kTransparentBlt: {
      const QRectF dest(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
      const std::uint32_t rop = r.U32(40);
      if (type == kBitBlt && r.U32(88) == 0) return p.PatBlt(dest, rop);
      const QImage img = RecordDib(r, r.U32(84), r.U32(88), r.U32(92), r.U32(96), r.U32(80),
                                   [&] { DibOptions o = dib; o.keepAlpha = type == kAlphaBlend; return o; }());
      if (img.isNull()) return;
      const double w = type == kBitBlt ? dest.width() : r.I32(100), h = type == kBitBlt ? dest.height() : r.I32(104);
      const QRectF src(r.I32(44), r.I32(48), std::fabs(w), std::fabs(h));
      if (type == kAlphaBlend) return p.DrawImageAlpha(dest, img, src, r.U8(42), r.U8(43) & 1);
      if (type == kTransparentBlt) return p.DrawImageTransparent(dest, img, src, ColorAt(r, 40).rgb());
      return p.DrawImage(dest, img, src, rop);
    }
    case kStretchDiBits: {
      bool bottomUp = true;
      const QImage img = RecordDib(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60), r.U32(64), dib, &bottomUp);
      if (img.isNull()) return;
      const double ySrc = r.I32(36), cy = r.I32(44);
      const QRectF src(r.I32(32), bottomUp ? img.height() - ySrc - cy : ySrc, r.I32(40), cy);
      return p.DrawImage(QRectF(r.I32(24), r.I32(28), r.I32(72), r.I32(76)), img, src, r.U32(68));
    }
    case kSetDiBitsToDevice: {
      // The rows hold scans iStartScan .. iStartScan + cScans of a taller bitmap.
      const std::uint32_t offBmi = r.U32(48), cbBmi = r.U32(52), startScan = r.U32(68), scans = r.U32(72);
      if (cbBmi < 12 || !r.Has(offBmi, cbBmi) || scans == 0 || scans > 1'000'000 || startScan > 1'000'000) return;
      std::vector<std::uint8_t> info(r.Data() + offBmi, r.Data() + offBmi + cbBmi);
      const bool core = r.U32(offBmi) == 12;
      const bool bottomUp = core || r.I32(offBmi + 8) > 0;
      if (!core && info.size() >= 12) {
        const std::int32_t h = bottomUp ? static_cast<std::int32_t>(scans) : -static_cast<std::int32_t>(scans);
        std::memcpy(info.data() + 8, &h, 4);
      }
      DibOptions o = dib;
      o.paletteIndices = r.U32(64) == 1;
      const QImage img = DecodeDib(ByteView(info.data(), info.size()), r.Sub(r.U32(56), r.U32(60)), o);
      if (img.isNull() || !r.Has(r.U32(56), r.U32(60))) return;
      const double xSrc = r.I32(32), ySrc = r.I32(36), cx = r.I32(40), cy = r.I32(44);
      const double top = bottomUp ? static_cast<double>(startScan) + scans - ySrc - cy : ySrc - startScan;
      return p.DrawImage(QRectF(r.I32(24), r.I32(28), cx, cy), img, QRectF(xSrc, top, cx, cy), 0x00CC0020);
    }
    case kExtTextOutA: return ExtText(p, r, false);
    case kExtTextOutW: return ExtText(p, r, true);
    case kSmallTextOut: {
      const std::uint32_t chars = r.U32(16), options = r.U32(20);
      std::size_t at = 36;
      std::optional<QRectF> rect;
      if (!(options & 0x100)) rect = RectL(r, 36), at = 52;
      QString text;
      if (chars > 65536) return;
      if (options & 0x200) {
        if (r.Has(at, chars)) text = DecodeAnsi(r.Sub(at, chars), dc.font.charSet);
      } else {
        text = Utf16(r, at, chars);
      }
      if (options & 0x10) text.clear();
      return p.Text(PointL(r, 8), text, {}, options, rect);
    }
    case kGradientFill: {
      const std::uint32_t nVer = r.U32(24), nObj = r.U32(28), mode = r.U32(32);
      if (!r.HasArray(36, nVer, 16) || nVer > 100000) return;
      auto vertex = [&](std::uint32_t i, QPointF& pt, QColor& c) {
        if (i >= nVer) return false;
        const std::size_t at = 36 + 16 * static_cast<std::size_t>(i);
        pt = PointL(r, at);
        c = QColor(r.U16(at + 8) >> 8, r.U16(at + 10) >> 8, r.U16(at + 12) >> 8);
        return true;
      };
      const std::size_t objAt = 36 + 16 * static_cast<std::size_t>(nVer);
      const std::size_t objSize = mode == 2 ? 12 : 8;
      if (!r.HasArray(objAt, nObj, objSize)) return;
      for (std::uint32_t k = 0; k < nObj; ++k) {
        const std::size_t at = objAt + objSize * k;
        QPointF a, b, c;
        QColor ca, cb, cc;
        if (mode == 2) {
          if (!vertex(r.U32(at), a, ca) || !vertex(r.U32(at + 4), b, cb) || !vertex(r.U32(at + 8), c, cc)) continue;
          const QColor avg((ca.red() + cb.red() + cc.red()) / 3, (ca.green() + cb.green() + cc.green()) / 3,
                           (ca.blue() + cb.blue() + cc.blue()) / 3);
          p.GradientTriangle(QPolygonF({a, b, c}), avg);
        } else {
          if (!vertex(r.U32(at), a, ca) || !vertex(r.U32(at + 4), b, cb)) continue;
          p.GradientRect(QRectF(a, b), ca, cb, mode == 1);
        }
      }
      return;
    }
    default:
      // Comments (EMF+ among them), palettes, colour management and the rest
      // change nothing we draw.
      return;
  }
}

// Record types that the player reads and that libuemf knows how to check.
bool Played(std::uint32_t type) {
  return (type >= kPolyBezier && type <= kAbortPath && type != kSetMapperFlags && type != kSetColorAdjustment &&
          type != kSetMetaRgn && type != kExtFloodFill && type != kFlattenPath && type != kWidenPath &&
          (type < kSelectPalette || type > kRealizePalette) && type != kSetBrushOrgEx) ||
         (type >= kFillRgn && type <= kCreateDibPatternBrushPt && type != kInvertRgn && type != kMaskBlt &&
          type != kPlgBlt) ||
         type == kExtCreatePen || type == kSmallTextOut || type == kAlphaBlend || type == kTransparentBlt ||
         type == kGradientFill;
}

}  // namespace

bool ReadEmfHeader(ByteView f, EmfHeader& h) {
  const std::uint32_t size = f.U32(4);
  if (f.U32(0) != kHeader || size < 88 || size > f.Size() || f.U32(40) != 0x464D4520) return false;
  h.bounds = RectL(f, 8);
  h.frame = RectL(f, 24);
  const double devX = f.I32(72), devY = f.I32(76);
  double mmX = f.I32(80), mmY = f.I32(84);
  // Extension 2 gives the reference size in micrometres, more precisely.
  const std::uint32_t nDesc = f.U32(60), offDesc = f.U32(64);
  const std::uint32_t cbPixelFormat = f.U32(88), offPixelFormat = f.U32(92);
  if (size >= 108 && (nDesc == 0 || offDesc >= 108) && (cbPixelFormat == 0 || offPixelFormat >= 108)) {
    const double umX = f.I32(100), umY = f.I32(104);
    if (umX > 0 && umY > 0) mmX = umX / 1000, mmY = umY / 1000;
  }
  if (devX > 0 && devY > 0 && mmX > 0 && mmY > 0) {
    h.pxPerMmX = devX / mmX;
    h.pxPerMmY = devY / mmY;
  }
  if (!(h.pxPerMmX > 0.01 && h.pxPerMmX < 1e5 && h.pxPerMmY > 0.01 && h.pxPerMmY < 1e5))
    h.pxPerMmX = h.pxPerMmY = 96 / 25.4;
  return true;
}

void PlayEmf(ByteView f, GdiPlayer& p, const DibOptions& dib) {
  std::size_t off = f.U32(4);
  while (off + 8 <= f.Size()) {
    const std::uint32_t type = f.U32(off), size = f.U32(off + 4);
    if (size < 8 || size % 4 != 0 || size > f.Size() - off)
      throw MetafileError("damaged record at byte " + std::to_string(off));
    const ByteView r = f.Sub(off, size);
    if (type == kEof) return;
    if (Played(type) && EmfRecordSafe(r.Data())) PlayRecord(p, type, r, dib);
    off += size;
  }
}

}  // namespace rv::meta
