// The device context a metafile is played into: the state that GDI keeps
// (mapping, objects, colours, path, clip) and the drawing calls, carried out
// with QPainter on the target picture. EmfPlayer and WmfPlayer decode records
// and call these in logical coordinates.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace rv::meta {

struct GdiPen {
  int style = 0;          // PS_SOLID .. PS_NULL, PS_INSIDEFRAME
  double width = 0;       // logical units; 0 draws one device pixel
  bool geometric = false; // extended pen with PS_GEOMETRIC
  Qt::PenCapStyle cap = Qt::RoundCap;
  Qt::PenJoinStyle join = Qt::RoundJoin;
  QColor color = Qt::black;
  std::vector<double> dashes;  // PS_USERSTYLE
};

struct GdiBrush {
  enum Kind { Solid, Null, Hatched, Pattern } kind = Solid;
  QColor color = Qt::white;
  int hatch = 0;
  QImage pattern;
  bool mono = false;  // monochrome pattern: drawn in text and background colours
};

struct GdiFont {
  double height = 0;      // lfHeight: < 0 character height, > 0 cell height
  double width = 0;
  int escapement = 0;     // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  int charSet = 0;
  QString face;
};

struct GdiObject {
  enum Kind { None, Pen, Brush, Font, Other } kind = None;
  GdiPen pen;
  GdiBrush brush;
  GdiFont font;
};

enum : int { kMmText = 1, kMmLoMetric, kMmHiMetric, kMmLoEnglish, kMmHiEnglish, kMmTwips, kMmIsotropic, kMmAnisotropic };

struct DcState {
  int mapMode = kMmText;
  QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
  QTransform world;
  GdiPen pen;
  GdiBrush brush;
  GdiFont font;
  QColor textColor = Qt::black, bkColor = Qt::white;
  bool opaqueBackground = true;
  unsigned textAlign = 0;
  bool windingFill = false;
  bool clockwiseArcs = false;
  int rop2 = 13;  // R2_COPYPEN
  bool smoothStretch = false;
  QPointF current{0, 0};
  bool hasClip = false;
  QRegion clip;  // in picture pixels
  int textCharExtra = 0;
  double miterLimit = 10;
};

class GdiPlayer {
 public:
  // Plays onto picture (white, RGB32). pxPerMm is the reference device's
  // resolution for the fixed mapping modes; toPicture maps reference-device
  // pixels onto the picture.
  GdiPlayer(QImage& picture, double pxPerMmX, double pxPerMmY, const QTransform& toPicture);
  ~GdiPlayer();

  DcState& Dc() { return dc_; }
  bool TextAvailable() const { return textAvailable_; }

  // Mapping.
  void SetMapMode(int mode);
  void ScaleViewportExt(double xNum, double xDen, double yNum, double yDen);
  void ScaleWindowExt(double xNum, double xDen, double yNum, double yDen);
  void SetWorldTransform(const QTransform& t) { dc_.world = t; }
  // 1 identity, 2 left multiply, 3 right multiply, 4 set.
  void ModifyWorldTransform(const QTransform& t, int mode);
  QTransform LogicalToPicture() const;
  QTransform DeviceToPicture() const { return toPicture_; }

  // Device context stack.
  void SaveDc();
  void RestoreDc(int relative);  // negative: relative to the top; positive: absolute

  // Objects: index is the record's handle number.
  void CreateObject(std::uint32_t index, GdiObject object);
  void SelectObject(std::uint32_t index);  // stock objects have bit 31 set
  void DeleteObject(std::uint32_t index);
  // WMF assigns handles to the lowest free slot.
  std::uint32_t LowestFreeSlot() const;
  std::size_t ObjectCount() const { return objects_.size(); }
  // The object behind a handle (stock or created).
  std::optional<GdiObject> ObjectAt(std::uint32_t index) const;

  // Clip, rectangles in logical units; regions in device pixels.
  void IntersectClipRect(const QRectF& r);
  void ExcludeClipRect(const QRectF& r);
  void SelectClipRegion(const std::vector<QRectF>& deviceRects, int mode, bool reset);
  void OffsetClip(const QPointF& logicalOffset);
  void SelectClipPath(int mode);

  // Paths.
  void BeginPath();
  void EndPath() { inPathBracket_ = false; }
  void AbortPath();
  void CloseFigure();
  void FillPath();
  void StrokePath();
  void StrokeAndFillPath();

  // Drawing, logical coordinates.
  void MoveTo(const QPointF& p);
  void LineTo(const QPointF& p);
  void Polyline(const QPolygonF& points);
  void PolylineTo(const QPolygonF& points);
  void PolyBezier(const QPolygonF& points);
  void PolyBezierTo(const QPolygonF& points);
  void Polygon(const QPolygonF& points);
  void PolyPolygon(const std::vector<QPolygonF>& polygons);
  void PolyPolyline(const std::vector<QPolygonF>& lines);
  void Rectangle(const QRectF& r);
  void RoundRect(const QRectF& r, double cornerW, double cornerH);
  void Ellipse(const QRectF& r);
  // kind: 0 arc, 1 chord, 2 pie, 3 arc-to (moves the current position).
  void ArcShape(const QRectF& r, const QPointF& start, const QPointF& end, int kind);
  void AngleArc(const QPointF& center, double radius, double startDeg, double sweepDeg);
  void SetPixel(const QPointF& p, const QColor& c);
  void FillRectWith(const QRectF& r, const GdiBrush& brush);
  void PatBlt(const QRectF& r, std::uint32_t rop);
  void FillRegion(const std::vector<QRectF>& deviceRects, const GdiBrush& brush);
  void FrameRegion(const std::vector<QRectF>& deviceRects, const GdiBrush& brush, double w, double h);
  void GradientRect(const QRectF& r, const QColor& a, const QColor& b, bool vertical);
  void GradientTriangle(const QPolygonF& tri, const QColor& average);

  // Text at reference (logical); dx: advance of each character in logical
  // units, may be empty. clipRect in logical units, used with the options.
  void Text(const QPointF& reference, const QString& text, const std::vector<double>& dx, unsigned options,
            const std::optional<QRectF>& rect);

  // Bitmap blocks: dest in logical units, src in pixels of image.
  void DrawImage(const QRectF& dest, const QImage& image, const QRectF& src, std::uint32_t rop);
  void DrawImageAlpha(const QRectF& dest, const QImage& image, const QRectF& src, int constantAlpha, bool perPixel);
  void DrawImageTransparent(const QRectF& dest, const QImage& image, const QRectF& src, QRgb transparent);

  static GdiObject StockObject(std::uint32_t index);

 private:
  bool Sane(const QTransform& t) const;
  bool SanePoints(const QPolygonF& p) const;
  void CombineClip(const QRegion& area, int mode);
  // Sets the clip (in picture pixels) and then the transform t.
  void ApplyClip(const QTransform& t);
  QPen MakePen(const QTransform& t) const;
  QBrush MakeBrush(const GdiBrush& b, const QTransform& t) const;
  bool PenVisible() const { return dc_.pen.style != 5 && dc_.rop2 != 11; }
  bool BrushVisible(const GdiBrush& b) const { return b.kind != GdiBrush::Null && dc_.rop2 != 11; }
  // Draws shape (logical) with the current brush and pen as asked.
  void DrawShape(const QPainterPath& shape, bool fill, bool stroke);
  void AddFigure(const QPainterPath& figure);
  // A closed figure: into the path bracket, or filled and outlined.
  void Shape(const QPainterPath& closedFigure, bool fill);
  QPainterPath ArcPath(const QRectF& r, const QPointF& start, const QPointF& end, int kind, QPointF* endPoint) const;
  // Charges the drawing work of a primitive covering area (picture pixels)
  // against the budget of the picture; false once it is spent, so that no file
  // can keep the reader busy for long.
  bool Spend(const QRectF& area, double extra = 0);
  bool PrepareImage(const QRectF& dest, const QImage& image, const QRectF& src, QTransform& t);

  QImage& picture_;
  QPainter painter_;
  double pxPerMmX_, pxPerMmY_;
  QTransform toPicture_;
  DcState dc_;
  std::vector<DcState> saved_;
  std::unordered_map<std::uint32_t, GdiObject> objects_;
  bool inPathBracket_ = false;
  QPainterPath path_;  // logical units of the transform current at BeginPath
  bool textAvailable_ = false;
  double limit_;       // coordinates beyond this (in picture pixels) are not drawn
  double budget_;      // pixels left to paint
};

}  // namespace rv::meta
