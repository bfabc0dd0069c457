// The rectangle, ellipse and rounded-rectangle selections: corners in hidden
// bars, the dashed outline while they change, and the commit that rasterises
// the shape into the selection mask.
#pragma once

#include "tools/SelectionWindows.h"

namespace rv {

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
  // Draws the shape with the painter's pen and brush.
  void DrawShape(class QPainter& p, bool filled) const;

  int toolId_;
  int kind_;
  bool quiet_ = false;  // ranges being set: the pick redraws once afterwards
};

// The window of a shape selection kind (1..3), nullptr for the other kinds.
TFormShapeSel* ShapeSelectionWindow(int kind);
// The display copy gets the outline of the current selection kind (1..3).
void DrawCurrentShapeOutline();
// The corners of the current selection kind's shape, as copying needs them;
// false when the current kind is not a shape.
bool CurrentShapeCorners(int& x1, int& y1, int& x2, int& y2);

}  // namespace rv
