// What the document window needs around the dabs of a stroke: the mapping of
// display points onto the picture, the spacing of the moves it passes on, the
// clone stamp's source point, the stroke's history label and the outline drawn
// under the pointer.
#pragma once

#include "engine/Bitmap.h"
#include "tools/core/BrushDabs.h"

namespace rv {

// A display point of a display wd x hd onto a picture w x h: multiplication
// first, division truncating toward zero. A display of no size maps to (0, 0).
DabPoint DisplayToPicture(int x, int y, int w, int h, int wd, int hd);

// StrokeSpacing: the brush's Wielkosc divided by 100 for the plain brush, 0 for every other tool.
int StrokeSpacing(int toolId, int brushWielkosc);

// How often a drag is passed on to the tool. Positions are the pointer's, as
// the document window receives them (display coordinates).
class CStrokeSpacing {
 public:
  int StrokeDistanceX = 0;
  int StrokeDistanceY = 0;
  int LastPointerX = 0;
  int LastPointerY = 0;

  // A button press: only the last pointer position is reset; the travel
  // carries over from the last stroke.
  void Press(int x, int y);
  // A pointer move with spacing d: true when the move is passed on (the
  // travel then starts again from 0); false when it only adds its travel.
  bool PassMove(int x, int y, int d);
};

// The clone stamp's source point in display coordinates and the pointer's
// position at the last stamp dab.
class CStampSource {
 public:
  int StampSourceX = 0;
  int StampSourceY = 0;
  bool StampSourceSet = false;
  int StampLastX = 0;
  int StampLastY = 0;

  // Choosing the stamp on the palette forgets the source.
  void Reset() { StampSourceSet = false; }
  // Right button pressed or dragged.
  void SetSource(int x, int y);
  // Left press at (x, y) on a display wd x hd, before the dab: a source
  // coordinate below 0 wraps to the far edge (wd - 1, hd - 1), one beyond the
  // display to 0.
  void Press(int x, int y, int wd, int hd);
  // Left drag: the source follows the pointer's movement since the last
  // stamp position; below 0 wraps to wd (hd), beyond the display to 0.
  void Drag(int x, int y, int wd, int hd);
  // The source point on the picture, for the dab.
  DabPoint SourceOnPicture(int w, int h, int wd, int hd) const;
};

// The brush tools' part of the document window's routing, at display
// position (x, y) of a display wd x hd. The window resets the spacing's last
// position at every press and passes a drag on only when its spacing says so.
//
// Left press: the stamp first wraps its source point; then the dab.
DabStatus BrushLeftPress(int toolId, const DabTarget& t, int x, int y, int wd, int hd, const BrushToolSettings& s,
                         CStampSource& stamp, const HistorySources& history);
// Left drag: nothing for the tools that act on the press only; the stamp
// first moves its source point along; then the dab.
DabStatus BrushLeftDrag(int toolId, const DabTarget& t, int x, int y, int wd, int hd, const BrushToolSettings& s,
                        CStampSource& stamp, const HistorySources& history);
// Right press or drag: true when the tool takes it (the stamp sets its source
// point there); false when the window pans instead.
bool BrushRightPressOrDrag(int toolId, int x, int y, CStampSource& stamp);

// The label of the history entry a stroke of toolId adds ("Pędzel"), nullptr
// for tools that are not brushes.
const char* StrokeLabel(int toolId);
// Whether the stroke's release adds a history entry: always, except for the
// history brush without "Dodać zmiany do historii".
bool StrokeAddsHistoryEntry(int toolId, bool boxNewHistory);
// Tools whose pointer moves draw the dab outline (those with a Wielkosc slider).
bool HasBrushOutline(int toolId);

// The dab outline under the pointer, worked out on the picture; the display
// layer draws it with its canvas onto the display copy.
struct BrushCursorPlan {
  // The square of the clean picture copied back onto the display first (it
  // erases the outline of the last position); may reach beyond the picture.
  int RestoreLeft, RestoreTop, RestoreRight, RestoreBottom;
  int PenWidth;           // of the dashed pen: max(W, H) / 512
  PackedColor PenColor;   // contrasting to the pixel under the pointer
  int Left, Top, Right, Bottom;  // the ellipse's bounding box
};
// (x, y) display coordinates of a display wd x hd when scale is true, picture
// coordinates otherwise; r the tool's Wielkosc.
BrushCursorPlan PlanBrushCursor(const Bitmap& clean, int x, int y, int r, bool scale, int wd, int hd);

}  // namespace rv
