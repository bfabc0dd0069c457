// The document window: owns the image document and the display control
// ObrazDlaUsera, and defines the pop-up menu MenuHand.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <string>

#include "document/CHomeImage.h"
#include "tools/core/Stroke.h"

class QMenu;
class QMouseEvent;
class QScrollArea;
class QWheelEvent;

namespace rv {

namespace ui {
class ImageControl;
}

// Top-left of the display centred in a client area; negative becomes 0.
QPoint CentredDisplayOrigin(QSize client, QSize display);

class TFormImageHome : public QWidget {
  Q_OBJECT
 public:
  explicit TFormImageHome(QWidget* parent = nullptr);

  CHomeImage HomeImage;
  ui::ImageControl* ObrazDlaUsera;
  QMenu* MenuHand;

  // Records a picture that has just entered the document ("Otwórz", "Wklej").
  void RecordLoadedPicture(const QString& label);
  // Centres ObrazDlaUsera in the scroll box.
  void FormResize();
  // Sizes the window around the display (the refit after FitDisplay).
  void FitToDisplay();
  // Display size := fitted size enlarged by ZoomPercent.
  void ApplyZoom();
  QPoint ScrollPositions() const;
  void SetScrollPositions(QPoint p);
  // Puts a picture on the display control.
  void ShowOnDisplay(const Bitmap& picture);
  // A cut-out of the picture becomes the document's picture, with a history
  // entry, a fresh whole selection and the cursor tool.
  void TakeCroppedPicture(Bitmap crop, const QString& label);
  QScrollArea* ScrollBox() const { return box_; }

  // Pointer handling over the display, routed by the active tool.
  void ObrazDlaUseraMouseDown(QMouseEvent* event);
  void ObrazDlaUseraMouseMove(QMouseEvent* event);
  void ObrazDlaUseraMouseUp(QMouseEvent* event);
  // at: the pointer on the display control; ctrl picks the Ctrl column.
  void FormMouseWheelDown(QPoint at, bool ctrl);
  void FormMouseWheelUp(QPoint at, bool ctrl);

  // Scroll positions grow by the pointer's screen travel since anchor; the
  // pointer goes back to anchor.
  void PanByPointer(QPoint anchor);
  // The dab outline of radius r (picture pixels) under the display point at,
  // on the display's copy only.
  void DrawBrushCursor(QPoint at, int r);
  // The release of a painting tool: backup and display take the working
  // picture; the history gets the tool's entry (not for the history brush
  // without "Dodać zmiany do historii").
  void CommitStroke();
  // Magnifier steps.
  void ZoomIn();
  void ZoomOut();

  QPoint PanAnchor;
  CStrokeSpacing Spacing;  // StrokeDistanceX/Y, LastPointerX/Y
  int StampLastX = 0;
  int StampLastY = 0;
  // The picture rectangle the current stroke has changed (the union of its
  // dabs' boxes), from its press until the next stroke's press. While
  // CommitStroke adds the history entry it holds exactly the stroke's change.
  QRect StrokeRect;

  // Repaints the part of the display that shows a picture rectangle.
  void RepaintPictureRect(const QRect& picture);
  void RepaintPictureRegion(const QRegion& picture);
  // A selection outline or the inverted-selection frame was drawn on the
  // display inside this region (picture coordinates): remember it and
  // repaint it.
  void NoteSelectionMarks(const QRegion& picture);
  // The working picture back onto the display where selection marks were
  // drawn, repainted; returns that region and forgets it.
  QRegion EraseSelectionMarks();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LeftPress(QPoint at);
  void RightPress(QPoint at);
  void LeftDrag(QPoint at);
  void RightDrag(QPoint at);
  void LeftRelease(QPoint at);
  void RightRelease(QPoint at);
  void Wheel(QPoint at, bool up, bool ctrl);
  void BeginStroke();
  // A dab of the active brush tool at the display point (drag: a move passed on).
  void BrushDab(QPoint at, bool drag);
  // Copies a picture rectangle of the working picture onto the display and
  // repaints that part of it.
  void ShowWorkRect(const QRect& picture);
  // DrawBrushCursor; restore false when the display equals the working
  // picture around the pointer already.
  void DrawOutline(QPoint at, int r, bool restore);
  void PickInto(QPoint at, bool edited);
  void ScrollBy(int dx, int dy);
  // Radius of the outline under the pointer for the active tool, 0 for none.
  int OutlineRadius() const;
  QSize DisplaySize() const;
  QPoint ToPicture(QPoint display) const;

  QScrollArea* box_;
  QWidget* canvas_;
  bool strokeOpen_ = false;
  // Where the display copy may differ from the working picture by a drawn
  // brush outline (picture coordinates).
  QRect outlineRect_;
  // Where selection outlines and the inverted-selection frame may have been
  // drawn since the display last took the working picture there.
  QRegion selectionMarks_;
  // The history brush's sources, gathered once per stroke.
  HistorySources historySources_;
  Bitmap historyPrevious_;
  std::string historyCurrentName_;
  std::string historyPreviousName_;
  int wheelTravel_ = 0;
  // Strokes committed without a history entry since the last one that had
  // an entry (the history brush without "Dodać zmiany do historii").
  QRect unrecordedRect_;
};

extern TFormImageHome* FormImageHome;

}  // namespace rv
