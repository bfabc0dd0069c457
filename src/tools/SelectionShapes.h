// The rectangle, ellipse and rounded-rectangle selections: corners in hidden
// bars, the dashed outline while they change, and the commit that rasterises
// the shape into the selection mask.
#pragma once

#include <QRegion>
#include <QLine>

#include "tools/SelectionWindows.h"

class QPainter;

namespace rv {

struct FigureSpec;

class TFormShapeSel : public TFormSelectionOptions {
  Q_OBJECT
 public:
  TFormShapeSel(int toolId, int kind, const char* objectName, const char* caption, bool rounded, QWidget* parent);

  ui::TrackBar* OSX;
  ui::TrackBar* OSY;
  ui::TrackBar* OSX2;
  ui::TrackBar* OSY2;
  ui::TrackBar* Transparent;  // "Moc:", the selection's strength
  ui::TrackBar* OSX3 = nullptr;  // rounded only: width and height of the corner ellipses
  ui::TrackBar* OSY3 = nullptr;

  int ToolId() const override { return toolId_; }
  int Kind() const { return kind_; }

  // The display copy := the working picture with the outline; the working
  // picture then goes back to the backup.
  void DrawShapeOutline();
  // The dashed outline onto a picture of the document's size.
  void DrawOutlineOn(Bitmap& picture) const;
  // The part of the picture the outline's pen can reach.
  QRegion OutlineRegion() const;
  // The shape into the selection mask, with the strength of Transparent.
  void CommitSelectionShape();

  void Press(const PointerEvent& e) override;
  void Drag(const PointerEvent& e) override;
  void Release(const PointerEvent& e) override;
  void Wheel(int step, bool ctrl) override;

 protected:
  void SetRanges(int width, int height) override;
  void Start() override;

 private:
  void CoordinateChanged();
  // A corner := a picture point, redrawing the outline once.
  void MoveCorner(ui::TrackBar* bx, ui::TrackBar* by, QPoint p);
  // Draws the outline of the shape with the painter's pen.
  void DrawShape(QPainter& p) const;
  // The shape as the shape tools draw it.
  FigureSpec Figure() const;

  int toolId_;
  int kind_;
  // Set by a full redraw during a press and drag: the working picture equals
  // the backup and the display differs from it only by the marks the
  // document window knows, so a drag step erases just those.
  bool synced_ = false;
  bool dragging_ = false;     // between a press and its release
  bool incremental_ = false;  // a drag step with synced_ set
  bool quiet_ = false;  // ranges being set: the pick redraws once afterwards
};

// The window of a shape selection kind (1..3), nullptr for the other kinds.
TFormShapeSel* ShapeSelectionWindow(int kind);
// The display copy gets the outline of the current selection kind (1..3).
void DrawCurrentShapeOutline();
// The corners (OSX, OSY) and (OSX2, OSY2) of the current selection kind's
// shape, as copying needs them; an empty line when the kind is not a shape.
QLine CurrentShapeCorners();

}  // namespace rv
