#include "document/metafile/GdiPlayer.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QLineF>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace rv::meta {

namespace {

constexpr int kMaxSavedStates = 1024;
constexpr int kMaxClipRects = 4096;

bool Finite(double v) { return std::isfinite(v); }

double NormalizeDegrees(double a) {
  a = std::fmod(a, 360.0);
  if (a <= 0) a += 360.0;
  return a;
}

QRectF Normal(const QRectF& r) { return r.normalized(); }

}  // namespace

GdiPlayer::GdiPlayer(QImage& picture, double pxPerMmX, double pxPerMmY, const QTransform& toPicture)
    : picture_(picture), pxPerMmX_(pxPerMmX), pxPerMmY_(pxPerMmY), toPicture_(toPicture) {
  painter_.begin(&picture_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  // Fonts need the GUI application (the font database); without one, text is left out.
  textAvailable_ = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  limit_ = 4.0 * 1024 * 1024;
  // Every pixel may be painted a few hundred times over: layered drawings do that.
  budget_ = 256.0 * picture_.width() * picture_.height() + 64e6;
  dc_.font.face = QStringLiteral("Arial");
}

GdiPlayer::~GdiPlayer() { painter_.end(); }

// ---- Mapping ----

void GdiPlayer::SetMapMode(int mode) {
  if (mode < kMmText || mode > kMmAnisotropic) return;
  dc_.mapMode = mode;
}

void GdiPlayer::ScaleViewportExt(double xNum, double xDen, double yNum, double yDen) {
  if (xDen == 0 || yDen == 0) return;
  dc_.viewportExt = QPointF(dc_.viewportExt.x() * xNum / xDen, dc_.viewportExt.y() * yNum / yDen);
}

void GdiPlayer::ScaleWindowExt(double xNum, double xDen, double yNum, double yDen) {
  if (xDen == 0 || yDen == 0) return;
  dc_.windowExt = QPointF(dc_.windowExt.x() * xNum / xDen, dc_.windowExt.y() * yNum / yDen);
}

void GdiPlayer::ModifyWorldTransform(const QTransform& t, int mode) {
  switch (mode) {
    case 1: dc_.world = QTransform(); break;
    case 2: dc_.world = t * dc_.world; break;
    case 3: dc_.world = dc_.world * t; break;
    case 4: dc_.world = t; break;
    default: break;
  }
}

QTransform GdiPlayer::LogicalToPicture() const {
  double sx = 1, sy = 1;
  switch (dc_.mapMode) {
    case kMmLoMetric: sx = pxPerMmX_ * 0.1, sy = -pxPerMmY_ * 0.1; break;
    case kMmHiMetric: sx = pxPerMmX_ * 0.01, sy = -pxPerMmY_ * 0.01; break;
    case kMmLoEnglish: sx = pxPerMmX_ * 0.254, sy = -pxPerMmY_ * 0.254; break;
    case kMmHiEnglish: sx = pxPerMmX_ * 0.0254, sy = -pxPerMmY_ * 0.0254; break;
    case kMmTwips: sx = pxPerMmX_ * 25.4 / 1440, sy = -pxPerMmY_ * 25.4 / 1440; break;
    case kMmIsotropic:
    case kMmAnisotropic: {
      sx = dc_.windowExt.x() != 0 ? dc_.viewportExt.x() / dc_.windowExt.x() : 1;
      sy = dc_.windowExt.y() != 0 ? dc_.viewportExt.y() / dc_.windowExt.y() : 1;
      if (dc_.mapMode == kMmIsotropic) {
        const double m = std::min(std::fabs(sx), std::fabs(sy));
        sx = std::copysign(m, sx);
        sy = std::copysign(m, sy);
      }
      break;
    }
    default: break;
  }
  const QTransform page(sx, 0, 0, sy, dc_.viewportOrg.x() - dc_.windowOrg.x() * sx,
                        dc_.viewportOrg.y() - dc_.windowOrg.y() * sy);
  return dc_.world * page * toPicture_;
}

bool GdiPlayer::Sane(const QTransform& t) const {
  const double v[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
  for (double x : v)
    if (!Finite(x) || std::fabs(x) > 1e9) return false;
  const double det = t.m11() * t.m22() - t.m12() * t.m21();
  return Finite(det) && det != 0 && t.m13() == 0 && t.m23() == 0;
}

bool GdiPlayer::SanePoints(const QPolygonF& p) const {
  const QTransform t = LogicalToPicture();
  for (const QPointF& q : p) {
    const QPointF m = t.map(q);
    if (!Finite(m.x()) || !Finite(m.y()) || std::fabs(m.x()) > limit_ || std::fabs(m.y()) > limit_) return false;
  }
  return true;
}

bool GdiPlayer::Spend(const QRectF& area, double extra) {
  if (budget_ <= 0) return false;
  const QRectF seen = area.normalized().intersected(QRectF(picture_.rect()));
  budget_ -= seen.width() * seen.height() + extra + 16;
  return budget_ > 0;
}

// ---- Device context stack ----

void GdiPlayer::SaveDc() {
  if (static_cast<int>(saved_.size()) >= kMaxSavedStates) return;
  saved_.push_back(dc_);
}

void GdiPlayer::RestoreDc(int relative) {
  const long long n = static_cast<long long>(saved_.size());
  const long long index = relative < 0 ? n + relative : static_cast<long long>(relative) - 1;
  if (index < 0 || index >= n) return;
  dc_ = saved_[static_cast<std::size_t>(index)];
  saved_.resize(static_cast<std::size_t>(index));
}

// ---- Objects ----

GdiObject GdiPlayer::StockObject(std::uint32_t index) {
  GdiObject o;
  switch (index & 0x7FFFFFFFu) {
    case 0: o.kind = GdiObject::Brush; o.brush.color = Qt::white; break;
    case 1: o.kind = GdiObject::Brush; o.brush.color = QColor(192, 192, 192); break;
    case 2: o.kind = GdiObject::Brush; o.brush.color = QColor(128, 128, 128); break;
    case 3: o.kind = GdiObject::Brush; o.brush.color = QColor(64, 64, 64); break;
    case 4: o.kind = GdiObject::Brush; o.brush.color = Qt::black; break;
    case 5: o.kind = GdiObject::Brush; o.brush.kind = GdiBrush::Null; break;
    case 6: o.kind = GdiObject::Pen; o.pen.color = Qt::white; break;
    case 7: o.kind = GdiObject::Pen; o.pen.color = Qt::black; break;
    case 8: o.kind = GdiObject::Pen; o.pen.style = 5; break;
    case 10: case 11: case 16:
      o.kind = GdiObject::Font; o.font.face = QStringLiteral("Courier New"); o.font.height = 16; break;
    case 12: case 13: case 14: case 17:
      o.kind = GdiObject::Font; o.font.face = QStringLiteral("Arial"); o.font.height = 16; break;
    case 18: o.kind = GdiObject::Brush; o.brush.color = Qt::white; break;
    case 19: o.kind = GdiObject::Pen; o.pen.color = Qt::black; break;
    default: break;
  }
  return o;
}

void GdiPlayer::CreateObject(std::uint32_t index, GdiObject object) {
  if (index & 0x80000000u) return;
  if (objects_.size() >= 65536 && !objects_.count(index)) return;
  objects_[index] = std::move(object);
}

void GdiPlayer::SelectObject(std::uint32_t index) {
  GdiObject stock;
  const GdiObject* o = nullptr;
  if (index & 0x80000000u) {
    stock = StockObject(index);
    o = &stock;
  } else {
    const auto it = objects_.find(index);
    if (it == objects_.end()) return;
    o = &it->second;
  }
  switch (o->kind) {
    case GdiObject::Pen: dc_.pen = o->pen; break;
    case GdiObject::Brush: dc_.brush = o->brush; break;
    case GdiObject::Font: dc_.font = o->font; break;
    default: break;
  }
}

std::optional<GdiObject> GdiPlayer::ObjectAt(std::uint32_t index) const {
  if (index & 0x80000000u) return StockObject(index);
  const auto it = objects_.find(index);
  if (it == objects_.end()) return std::nullopt;
  return it->second;
}

void GdiPlayer::DeleteObject(std::uint32_t index) { objects_.erase(index); }

std::uint32_t GdiPlayer::LowestFreeSlot() const {
  std::uint32_t i = 0;
  while (objects_.count(i)) ++i;
  return i;
}

// ---- Clip ----

void GdiPlayer::CombineClip(const QRegion& area, int mode) {
  const QRegion base = dc_.hasClip ? dc_.clip : QRegion(picture_.rect());
  if (base.rectCount() > kMaxClipRects || area.rectCount() > kMaxClipRects) return;
  switch (mode) {
    case 1: dc_.clip = base.intersected(area); break;
    case 2: dc_.clip = base.united(area); break;
    case 3: dc_.clip = base.xored(area); break;
    case 4: dc_.clip = base.subtracted(area); break;
    default: dc_.clip = area; break;
  }
  dc_.hasClip = true;
}

void GdiPlayer::IntersectClipRect(const QRectF& r) {
  const QTransform t = LogicalToPicture();
  const QPolygonF area(Normal(r));
  if (!Sane(t) || !SanePoints(area)) return;
  CombineClip(QRegion(t.map(area).toPolygon()), 1);
}

void GdiPlayer::ExcludeClipRect(const QRectF& r) {
  const QTransform t = LogicalToPicture();
  const QPolygonF area(Normal(r));
  if (!Sane(t) || !SanePoints(area)) return;
  CombineClip(QRegion(t.map(area).toPolygon()), 4);
}

void GdiPlayer::SelectClipRegion(const std::vector<QRectF>& deviceRects, int mode, bool reset) {
  if (reset) {
    if (mode == 5) dc_.hasClip = false, dc_.clip = QRegion();
    return;
  }
  if (deviceRects.size() > kMaxClipRects) return;
  QRegion area;
  for (const QRectF& r : deviceRects) {
    const QRectF m = toPicture_.mapRect(Normal(r));
    if (!Finite(m.left()) || !Finite(m.right()) || !Finite(m.top()) || !Finite(m.bottom()) ||
        std::fabs(m.left()) > limit_ || std::fabs(m.right()) > limit_ || std::fabs(m.top()) > limit_ ||
        std::fabs(m.bottom()) > limit_)
      continue;
    area += m.toRect();
  }
  CombineClip(area, mode);
}

void GdiPlayer::OffsetClip(const QPointF& logicalOffset) {
  if (!dc_.hasClip) return;
  const QTransform t = LogicalToPicture();
  if (!Sane(t)) return;
  const QPointF d = t.map(logicalOffset) - t.map(QPointF(0, 0));
  if (std::fabs(d.x()) > limit_ || std::fabs(d.y()) > limit_) return;
  dc_.clip.translate(static_cast<int>(std::lround(d.x())), static_cast<int>(std::lround(d.y())));
}

void GdiPlayer::SelectClipPath(int mode) {
  const QTransform t = LogicalToPicture();
  if (!Sane(t) || path_.elementCount() > 100000) return AbortPath();
  const QRectF b = t.mapRect(path_.boundingRect());
  if (!Finite(b.left()) || !Finite(b.right()) || std::fabs(b.left()) > limit_ || std::fabs(b.right()) > limit_ ||
      std::fabs(b.top()) > limit_ || std::fabs(b.bottom()) > limit_)
    return AbortPath();
  QRegion area;
  const auto polygons = t.map(path_).toFillPolygons();
  for (const QPolygonF& p : polygons) {
    if (area.rectCount() > kMaxClipRects) break;
    area = area.xored(QRegion(p.toPolygon(), dc_.windingFill ? Qt::WindingFill : Qt::OddEvenFill));
  }
  CombineClip(area, mode);
  AbortPath();
}

void GdiPlayer::ApplyClip(const QTransform& t) {
  painter_.resetTransform();
  if (dc_.hasClip)
    painter_.setClipRegion(dc_.clip);
  else
    painter_.setClipping(false);
  painter_.setTransform(t);
}

// ---- Pens and brushes ----

QPen GdiPlayer::MakePen(const QTransform& t) const {
  const GdiPen& p = dc_.pen;
  const double scale = std::sqrt(std::fabs(t.determinant()));
  QPen pen(p.color);
  const double device = p.width * scale;
  if (device < 1.5) {
    pen.setWidth(0);  // one device pixel, whatever the mapping
    pen.setCosmetic(true);
  } else {
    pen.setWidthF(std::clamp(p.width, 0.0, limit_ / std::max(scale, 1e-9)));
  }
  pen.setCapStyle(p.cap);
  pen.setJoinStyle(p.join == Qt::MiterJoin ? Qt::SvgMiterJoin : p.join);
  pen.setMiterLimit(std::clamp(dc_.miterLimit, 1.0, 100.0));
  switch (p.style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    case 7:
      if (!p.dashes.empty()) {
        QList<qreal> d;
        const double w = std::max(p.width, 1.0);
        for (double v : p.dashes) d.append(std::clamp(v / w, 0.1, 1000.0));
        if (d.size() % 2) d.append(d.back());
        pen.setDashPattern(d);
      }
      break;
    default: break;
  }
  return pen;
}

QBrush GdiPlayer::MakeBrush(const GdiBrush& b, const QTransform& t) const {
  switch (b.kind) {
    case GdiBrush::Null: return Qt::NoBrush;
    case GdiBrush::Hatched: {
      static const Qt::BrushStyle styles[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                              Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
      return QBrush(b.color, b.hatch >= 0 && b.hatch < 6 ? styles[b.hatch] : Qt::SolidPattern);
    }
    case GdiBrush::Pattern: {
      if (b.pattern.isNull()) return QBrush(b.color);
      QImage img = b.pattern;
      if (b.mono && img.width() * img.height() <= 65536) {
        img = img.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y) {
          QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
          for (int x = 0; x < img.width(); ++x)
            row[x] = qGray(row[x]) < 128 ? dc_.textColor.rgb() : dc_.bkColor.rgb();
        }
      }
      QBrush brush(img);
      // Patterns are laid in device pixels, whatever the mapping.
      bool ok = false;
      const QTransform inv = t.inverted(&ok);
      if (ok) brush.setTransform(inv);
      return brush;
    }
    default: return QBrush(b.color);
  }
}

// ---- Shapes ----

void GdiPlayer::DrawShape(const QPainterPath& shape, bool fill, bool stroke) {
  const QTransform t = LogicalToPicture();
  if (!Sane(t) || shape.elementCount() > 1'000'000) return;
  const QRectF b = t.mapRect(shape.controlPointRect());
  if (!Finite(b.left()) || !Finite(b.right()) || !Finite(b.top()) || !Finite(b.bottom()) ||
      std::fabs(b.left()) > limit_ || std::fabs(b.right()) > limit_ || std::fabs(b.top()) > limit_ ||
      std::fabs(b.bottom()) > limit_)
    return;
  const double penExtra = PenVisible() ? dc_.pen.width * std::sqrt(std::fabs(t.determinant())) : 0;
  if (!Spend(b.adjusted(-penExtra, -penExtra, penExtra, penExtra), shape.elementCount())) return;
  QPainterPath path = shape;
  path.setFillRule(dc_.windingFill ? Qt::WindingFill : Qt::OddEvenFill);
  ApplyClip(t);
  if (fill && BrushVisible(dc_.brush)) {
    if (dc_.brush.kind == GdiBrush::Hatched && dc_.opaqueBackground) painter_.fillPath(path, dc_.bkColor);
    painter_.fillPath(path, MakeBrush(dc_.brush, t));
  }
  if (stroke && PenVisible()) painter_.strokePath(path, MakePen(t));
}

void GdiPlayer::AddFigure(const QPainterPath& figure) {
  path_.addPath(figure);
}

void GdiPlayer::Shape(const QPainterPath& closedFigure, bool fill) {
  if (inPathBracket_) return AddFigure(closedFigure);
  DrawShape(closedFigure, fill, true);
}

void GdiPlayer::MoveTo(const QPointF& p) {
  dc_.current = p;
  if (inPathBracket_) path_.moveTo(p);
}

void GdiPlayer::LineTo(const QPointF& p) {
  if (inPathBracket_) {
    if (path_.elementCount() == 0) path_.moveTo(dc_.current);
    path_.lineTo(p);
  } else {
    QPainterPath line(dc_.current);
    line.lineTo(p);
    DrawShape(line, false, true);
  }
  dc_.current = p;
}

void GdiPlayer::Polyline(const QPolygonF& points) {
  if (points.size() < 2) return;
  QPainterPath path;
  path.addPolygon(points);
  if (inPathBracket_) return AddFigure(path);
  DrawShape(path, false, true);
}

void GdiPlayer::PolylineTo(const QPolygonF& points) {
  if (points.isEmpty()) return;
  if (inPathBracket_) {
    if (path_.elementCount() == 0) path_.moveTo(dc_.current);
    for (const QPointF& p : points) path_.lineTo(p);
  } else {
    QPainterPath path(dc_.current);
    for (const QPointF& p : points) path.lineTo(p);
    DrawShape(path, false, true);
  }
  dc_.current = points.back();
}

void GdiPlayer::PolyBezier(const QPolygonF& points) {
  if (points.size() < 4) return;
  QPainterPath path(points[0]);
  for (qsizetype i = 1; i + 2 < points.size(); i += 3) path.cubicTo(points[i], points[i + 1], points[i + 2]);
  if (inPathBracket_) return AddFigure(path);
  DrawShape(path, false, true);
}

void GdiPlayer::PolyBezierTo(const QPolygonF& points) {
  if (points.size() < 3) return;
  QPainterPath path(dc_.current);
  qsizetype i = 0;
  for (; i + 2 < points.size(); i += 3) path.cubicTo(points[i], points[i + 1], points[i + 2]);
  if (inPathBracket_) {
    if (path_.elementCount() == 0) path_.moveTo(dc_.current);
    for (qsizetype k = 0; k + 2 < points.size(); k += 3) path_.cubicTo(points[k], points[k + 1], points[k + 2]);
  } else {
    DrawShape(path, false, true);
  }
  dc_.current = points[i - 1];
}

void GdiPlayer::Polygon(const QPolygonF& points) {
  if (points.size() < 2) return;
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  Shape(path, true);
}

void GdiPlayer::PolyPolygon(const std::vector<QPolygonF>& polygons) {
  QPainterPath path;
  for (const QPolygonF& p : polygons) {
    if (p.size() < 2) continue;
    path.addPolygon(p);
    path.closeSubpath();
  }
  Shape(path, true);
}

void GdiPlayer::PolyPolyline(const std::vector<QPolygonF>& lines) {
  QPainterPath path;
  for (const QPolygonF& p : lines)
    if (p.size() >= 2) path.addPolygon(p);
  if (inPathBracket_) return AddFigure(path);
  DrawShape(path, false, true);
}

void GdiPlayer::Rectangle(const QRectF& r) {
  QPainterPath path;
  path.addRect(Normal(r));
  Shape(path, true);
}

void GdiPlayer::RoundRect(const QRectF& r, double cornerW, double cornerH) {
  QPainterPath path;
  path.addRoundedRect(Normal(r), std::fabs(cornerW) / 2, std::fabs(cornerH) / 2);
  Shape(path, true);
}

void GdiPlayer::Ellipse(const QRectF& r) {
  QPainterPath path;
  path.addEllipse(Normal(r));
  Shape(path, true);
}

QPainterPath GdiPlayer::ArcPath(const QRectF& box, const QPointF& start, const QPointF& end, int kind,
                                QPointF* endPoint) const {
  const QRectF r = Normal(box);
  QPainterPath path;
  const double rx = r.width() / 2, ry = r.height() / 2;
  if (rx <= 0 || ry <= 0) return path;
  const QPointF c = r.center();
  const double a1 = std::atan2(-(start.y() - c.y()) / ry, (start.x() - c.x()) / rx) * 180 / M_PI;
  const double a2 = std::atan2(-(end.y() - c.y()) / ry, (end.x() - c.x()) / rx) * 180 / M_PI;
  // The direction is seen on the picture: a mirrored mapping turns it round.
  const bool flipped = LogicalToPicture().determinant() < 0;
  const bool positive = dc_.clockwiseArcs == flipped;
  const double sweep = positive ? NormalizeDegrees(a2 - a1) : -NormalizeDegrees(a1 - a2);
  const QPointF p1(c.x() + rx * std::cos(a1 * M_PI / 180), c.y() - ry * std::sin(a1 * M_PI / 180));
  if (kind == 2) {
    path.moveTo(c);
    path.lineTo(p1);
  } else if (kind == 3) {
    path.moveTo(dc_.current);
    path.lineTo(p1);
  } else {
    path.moveTo(p1);
  }
  path.arcTo(r, a1, sweep);
  if (kind == 1 || kind == 2) path.closeSubpath();
  if (endPoint) *endPoint = QPointF(c.x() + rx * std::cos(a2 * M_PI / 180), c.y() - ry * std::sin(a2 * M_PI / 180));
  return path;
}

void GdiPlayer::ArcShape(const QRectF& r, const QPointF& start, const QPointF& end, int kind) {
  QPointF last;
  const QPainterPath path = ArcPath(r, start, end, kind, &last);
  if (kind == 3) {
    if (inPathBracket_) {
      if (path_.elementCount() == 0) path_.moveTo(dc_.current);
      path_.connectPath(path);
    } else {
      DrawShape(path, false, true);
    }
    dc_.current = last;
    return;
  }
  if (path.isEmpty()) return;
  if (inPathBracket_) return AddFigure(path);
  DrawShape(path, kind != 0, true);
}

void GdiPlayer::AngleArc(const QPointF& center, double radius, double startDeg, double sweepDeg) {
  if (!Finite(radius) || !Finite(startDeg) || !Finite(sweepDeg) || std::fabs(radius) > 1e9) return;
  sweepDeg = std::clamp(sweepDeg, -3600.0, 3600.0);
  const QRectF r(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
  const double a = startDeg * M_PI / 180, b = (startDeg + sweepDeg) * M_PI / 180;
  const QPointF p1(center.x() + radius * std::cos(a), center.y() - radius * std::sin(a));
  QPainterPath path(dc_.current);
  path.lineTo(p1);
  path.arcTo(r, startDeg, sweepDeg);
  if (inPathBracket_) {
    if (path_.elementCount() == 0) path_.moveTo(dc_.current);
    path_.connectPath(path);
  } else {
    DrawShape(path, false, true);
  }
  dc_.current = QPointF(center.x() + radius * std::cos(b), center.y() - radius * std::sin(b));
}

void GdiPlayer::SetPixel(const QPointF& p, const QColor& c) {
  const QTransform t = LogicalToPicture();
  if (!Sane(t) || !SanePoints(QPolygonF({p}))) return;
  const QPointF m = t.map(p);
  ApplyClip(QTransform());
  painter_.fillRect(QRectF(std::floor(m.x()), std::floor(m.y()), 1, 1), c);
}

void GdiPlayer::FillRectWith(const QRectF& r, const GdiBrush& brush) {
  const QTransform t = LogicalToPicture();
  const QPolygonF area(Normal(r));
  if (!Sane(t) || !SanePoints(area) || brush.kind == GdiBrush::Null || !Spend(t.mapRect(Normal(r)))) return;
  ApplyClip(t);
  if (brush.kind == GdiBrush::Hatched && dc_.opaqueBackground) painter_.fillRect(Normal(r), dc_.bkColor);
  painter_.fillRect(Normal(r), MakeBrush(brush, t));
}

void GdiPlayer::PatBlt(const QRectF& r, std::uint32_t rop) {
  switch (rop) {
    case 0x00000042: {
      GdiBrush black;
      black.color = Qt::black;
      return FillRectWith(r, black);
    }
    case 0x00FF0062: {
      GdiBrush white;
      white.color = Qt::white;
      return FillRectWith(r, white);
    }
    case 0x00550009:  // DSTINVERT
    case 0x005A0049: {  // PATINVERT
      const QTransform t = LogicalToPicture();
      if (!Sane(t) || !SanePoints(QPolygonF(Normal(r)))) return;
      ApplyClip(t);
      painter_.setCompositionMode(rop == 0x00550009 ? QPainter::RasterOp_NotDestination
                                                    : QPainter::RasterOp_SourceXorDestination);
      painter_.fillRect(Normal(r), rop == 0x00550009 ? QBrush(Qt::black) : MakeBrush(dc_.brush, t));
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      return;
    }
    case 0x00AA0029:  // the destination stays
      return;
    default: return FillRectWith(r, dc_.brush);
  }
}

void GdiPlayer::FillRegion(const std::vector<QRectF>& deviceRects, const GdiBrush& brush) {
  if (brush.kind == GdiBrush::Null || deviceRects.size() > 100000) return;
  ApplyClip(toPicture_);
  const QBrush b = MakeBrush(brush, toPicture_);
  for (const QRectF& r : deviceRects) {
    const QRectF m = toPicture_.mapRect(Normal(r));
    if (!Finite(m.left()) || !Finite(m.right()) || std::fabs(m.left()) > limit_ || std::fabs(m.right()) > limit_ ||
        std::fabs(m.top()) > limit_ || std::fabs(m.bottom()) > limit_)
      continue;
    if (!Spend(m)) return;
    painter_.fillRect(Normal(r), b);
  }
}

void GdiPlayer::FrameRegion(const std::vector<QRectF>& deviceRects, const GdiBrush& brush, double w, double h) {
  if (brush.kind == GdiBrush::Null || deviceRects.size() > 100000) return;
  w = std::clamp(std::fabs(w), 1.0, 1e4);
  h = std::clamp(std::fabs(h), 1.0, 1e4);
  std::vector<QRectF> frame;
  for (const QRectF& r0 : deviceRects) {
    const QRectF r = Normal(r0);
    frame.push_back(QRectF(r.left(), r.top(), r.width(), std::min(h, r.height())));
    frame.push_back(QRectF(r.left(), r.bottom() - std::min(h, r.height()), r.width(), std::min(h, r.height())));
    frame.push_back(QRectF(r.left(), r.top(), std::min(w, r.width()), r.height()));
    frame.push_back(QRectF(r.right() - std::min(w, r.width()), r.top(), std::min(w, r.width()), r.height()));
  }
  FillRegion(frame, brush);
}

void GdiPlayer::GradientRect(const QRectF& r, const QColor& a, const QColor& b, bool vertical) {
  const QTransform t = LogicalToPicture();
  const QRectF n = Normal(r);
  if (!Sane(t) || !SanePoints(QPolygonF(n))) return;
  if (!Spend(t.mapRect(n))) return;
  QLinearGradient g(r.topLeft(), vertical ? QPointF(r.left(), r.bottom()) : QPointF(r.right(), r.top()));
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  ApplyClip(t);
  painter_.fillRect(n, g);
}

void GdiPlayer::GradientTriangle(const QPolygonF& tri, const QColor& average) {
  const QTransform t = LogicalToPicture();
  if (!Sane(t) || !SanePoints(tri)) return;
  if (!Spend(t.map(tri).boundingRect())) return;
  QPainterPath path;
  path.addPolygon(tri);
  path.closeSubpath();
  ApplyClip(t);
  painter_.fillPath(path, average);
}

// ---- Paths ----

void GdiPlayer::BeginPath() {
  path_ = QPainterPath();
  inPathBracket_ = true;
}

void GdiPlayer::AbortPath() {
  path_ = QPainterPath();
  inPathBracket_ = false;
}

void GdiPlayer::CloseFigure() {
  if (inPathBracket_) path_.closeSubpath();
}

void GdiPlayer::FillPath() {
  if (inPathBracket_) return;
  DrawShape(path_, true, false);
  path_ = QPainterPath();
}

void GdiPlayer::StrokePath() {
  if (inPathBracket_) return;
  DrawShape(path_, false, true);
  path_ = QPainterPath();
}

void GdiPlayer::StrokeAndFillPath() {
  if (inPathBracket_) return;
  DrawShape(path_, true, true);
  path_ = QPainterPath();
}

// ---- Text ----

void GdiPlayer::Text(const QPointF& reference, const QString& text, const std::vector<double>& dx, unsigned options,
                     const std::optional<QRectF>& rect) {
  const QTransform t = LogicalToPicture();
  if (!Sane(t)) return;
  constexpr unsigned kOpaque = 0x2, kClipped = 0x4;
  if (rect && (options & kOpaque) && SanePoints(QPolygonF(Normal(*rect)))) {
    ApplyClip(t);
    painter_.fillRect(Normal(*rect), dc_.bkColor);
  }
  if (!textAvailable_ || text.isEmpty() || text.size() > 100000) return;
  const bool updateCp = dc_.textAlign & 1;
  const QPointF at = updateCp ? dc_.current : reference;
  if (!SanePoints(QPolygonF({at}))) return;
  const QPointF origin = t.map(at);
  const QPointF o0 = t.map(QPointF(0, 0));
  const double scaleX = QLineF(o0, t.map(QPointF(1, 0))).length();
  const double scaleY = QLineF(o0, t.map(QPointF(0, 1))).length();

  const double logical = dc_.font.height != 0 ? std::fabs(dc_.font.height) : 16 / std::max(scaleY, 1e-9);
  double px = logical * scaleY;
  const double maxPx = std::min(4000.0, 4.0 * std::max(picture_.width(), picture_.height()) + 64);
  if (!Finite(px) || px < 0.5 || px > maxPx) return;
  QFont font(dc_.font.face.isEmpty() ? QStringLiteral("Arial") : dc_.font.face);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(px))));
  if (dc_.font.height > 0) {
    // A positive height is the cell (ascent plus descent), not the character.
    const QFontMetricsF fm(font);
    if (fm.height() > 0)
      font.setPixelSize(static_cast<int>(std::lround(std::clamp(px * px / fm.height(), 1.0, maxPx))));
  }
  font.setWeight(static_cast<QFont::Weight>(std::clamp(dc_.font.weight == 0 ? 400 : dc_.font.weight, 100, 900)));
  font.setItalic(dc_.font.italic);
  font.setUnderline(dc_.font.underline);
  font.setStrikeOut(dc_.font.strikeOut);
  font.setKerning(false);
  if (dc_.font.width > 0) {
    const QFontMetricsF fm(font);
    const double want = dc_.font.width * scaleX;
    if (fm.averageCharWidth() > 0)
      font.setStretch(static_cast<int>(std::lround(std::clamp(100 * want / fm.averageCharWidth(), 1.0, 4000.0))));
  }
  const QFontMetricsF fm(font);
  if (!Spend(QRectF(), static_cast<double>(text.size()) * px * px)) return;

  // Advances in picture pixels along the baseline.
  std::vector<double> advances;
  double width = 0;
  if (!dx.empty()) {
    for (double d : dx) {
      const double a = Finite(d) ? std::clamp(d * scaleX, -limit_, limit_) : 0;
      advances.push_back(a);
      width += a;
    }
  } else {
    width = fm.horizontalAdvance(text) + dc_.textCharExtra * scaleX * text.size();
  }
  const unsigned h = dc_.textAlign & 6, v = dc_.textAlign & 24;
  const double x0 = h == 2 ? -width : h == 6 ? -width / 2 : 0;
  const double y0 = v == 0 ? fm.ascent() : v == 8 ? -fm.descent() : 0;

  // Escapement turns the line counter-clockwise; a rotating world transform turns it too.
  const QPointF xAxis = dc_.world.map(QPointF(1, 0)) - dc_.world.map(QPointF(0, 0));
  const double worldAngle = std::atan2(xAxis.y(), xAxis.x()) * 180 / M_PI;
  const double angle = -static_cast<double>(dc_.font.escapement) / 10.0 + worldAngle;

  QTransform tt;
  tt.translate(origin.x(), origin.y());
  tt.rotate(angle);
  ApplyClip(tt);
  painter_.save();
  if (rect && (options & kClipped) && SanePoints(QPolygonF(Normal(*rect)))) {
    painter_.setTransform(t);
    painter_.setClipRect(Normal(*rect), dc_.hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    painter_.setTransform(tt);
  }
  if (dc_.opaqueBackground)
    painter_.fillRect(QRectF(x0, y0 - fm.ascent(), width, fm.ascent() + fm.descent()), dc_.bkColor);
  painter_.setFont(font);
  painter_.setPen(dc_.textColor);
  if (advances.empty()) {
    if (dc_.textCharExtra == 0) {
      painter_.drawText(QPointF(x0, y0), text);
    } else {
      double x = x0;
      for (qsizetype i = 0; i < text.size(); ++i) {
        const QString c = text.mid(i, text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1);
        painter_.drawText(QPointF(x, y0), c);
        x += fm.horizontalAdvance(c) + dc_.textCharExtra * scaleX;
        i += c.size() - 1;
      }
    }
  } else {
    double x = x0;
    std::size_t k = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++k) {
      const int n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      painter_.drawText(QPointF(x, y0), text.mid(i, n));
      x += k < advances.size() ? advances[k] : fm.horizontalAdvance(text.mid(i, n));
      if (n == 2) ++k;
      i += n - 1;
    }
  }
  painter_.restore();
  if (updateCp) dc_.current = at + QPointF(scaleX > 0 ? width / scaleX : 0, 0);
}

// ---- Bitmaps ----

namespace {

QPainter::CompositionMode ModeOfRop(std::uint32_t rop) {
  switch (rop) {
    case 0x00EE0086: return QPainter::RasterOp_SourceOrDestination;   // SRCPAINT
    case 0x008800C6: return QPainter::RasterOp_SourceAndDestination;  // SRCAND
    case 0x00660046: return QPainter::RasterOp_SourceXorDestination;  // SRCINVERT
    case 0x00330008: return QPainter::RasterOp_NotSource;             // NOTSRCCOPY
    case 0x00440328: return QPainter::RasterOp_SourceAndNotDestination;
    case 0x001100A6: return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0x00BB0226: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

// Turns negative extents into mirrored pictures so that Qt gets a normal rectangle.
void Unmirror(QRectF& dest, QImage& image, QRectF& src) {
  const bool fx = dest.width() < 0, fy = dest.height() < 0;
  if (!fx && !fy) return;
  dest = dest.normalized();
  image = image.mirrored(fx, fy);
  if (fx) src.moveLeft(image.width() - src.right());
  if (fy) src.moveTop(image.height() - src.bottom());
}

}  // namespace

bool GdiPlayer::PrepareImage(const QRectF& dest, const QImage& image, const QRectF& src, QTransform& t) {
  t = LogicalToPicture();
  if (image.isNull() || !Sane(t) || !SanePoints(QPolygonF(Normal(dest)))) return false;
  if (dest.width() == 0 || dest.height() == 0 || src.width() <= 0 || src.height() <= 0) return false;
  const double v[] = {src.left(), src.top(), src.width(), src.height()};
  for (double x : v)
    if (!Finite(x) || std::fabs(x) > 1e7) return false;
  // Scaling reads the source once per target pixel; a large source costs its size.
  return Spend(t.mapRect(Normal(dest)), static_cast<double>(image.width()) * image.height());
}

void GdiPlayer::DrawImage(const QRectF& dest0, const QImage& image0, const QRectF& src0, std::uint32_t rop) {
  QTransform t;
  if (!PrepareImage(dest0, image0, src0, t)) return;
  QRectF dest = dest0, src = src0;
  QImage image = image0;
  Unmirror(dest, image, src);
  ApplyClip(t);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, dc_.smoothStretch);
  painter_.setCompositionMode(ModeOfRop(rop));
  painter_.drawImage(dest, image, src);
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void GdiPlayer::DrawImageAlpha(const QRectF& dest0, const QImage& image0, const QRectF& src0, int constantAlpha,
                               bool perPixel) {
  QTransform t;
  if (!PrepareImage(dest0, image0, src0, t)) return;
  QRectF dest = dest0, src = src0;
  // Per-pixel alpha in AlphaBlend is premultiplied.
  QImage image = image0;
  if (perPixel) {
    image = image0.convertToFormat(QImage::Format_ARGB32);
    image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
  }
  Unmirror(dest, image, src);
  ApplyClip(t);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_.setOpacity(std::clamp(constantAlpha, 0, 255) / 255.0);
  painter_.drawImage(dest, image, src);
  painter_.setOpacity(1);
}

void GdiPlayer::DrawImageTransparent(const QRectF& dest0, const QImage& image0, const QRectF& src0,
                                     QRgb transparent) {
  QTransform t;
  if (!PrepareImage(dest0, image0, src0, t)) return;
  QImage image = image0.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] & 0xFFFFFF) == (transparent & 0xFFFFFF)) row[x] = 0;
  }
  QRectF dest = dest0, src = src0;
  Unmirror(dest, image, src);
  ApplyClip(t);
  painter_.drawImage(dest, image, src);
}

}  // namespace rv::meta
