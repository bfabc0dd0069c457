#include "tools/core/Stroke.h"

#include <algorithm>
#include <cstdlib>

namespace rv {

DabPoint DisplayToPicture(int x, int y, int w, int h, int wd, int hd) {
  if (wd <= 0 || hd <= 0) return {0, 0};
  return {static_cast<int>(static_cast<long long>(w) * x / wd), static_cast<int>(static_cast<long long>(h) * y / hd)};
}

int StrokeSpacing(int toolId, int brushWielkosc) { return toolId == kToolBrush ? brushWielkosc / 100 : 0; }

void CStrokeSpacing::Press(int x, int y) {
  LastPointerX = x;
  LastPointerY = y;
}

bool CStrokeSpacing::PassMove(int x, int y, int d) {
  if (d < StrokeDistanceX || d < StrokeDistanceY) {
    StrokeDistanceX = 0;
    StrokeDistanceY = 0;
    return true;
  }
  StrokeDistanceX += std::abs(x - LastPointerX);
  StrokeDistanceY += std::abs(y - LastPointerY);
  LastPointerX = x;
  LastPointerY = y;
  return false;
}

void CStampSource::SetSource(int x, int y) {
  StampSourceSet = true;
  StampSourceX = x;
  StampSourceY = y;
}

void CStampSource::Press(int x, int y, int wd, int hd) {
  StampLastX = x;
  StampLastY = y;
  if (StampSourceX < 0) StampSourceX = wd - 1;
  else if (StampSourceX > wd) StampSourceX = 0;
  if (StampSourceY < 0) StampSourceY = hd - 1;
  else if (StampSourceY > hd) StampSourceY = 0;
}

void CStampSource::Drag(int x, int y, int wd, int hd) {
  StampSourceX += x - StampLastX;
  StampSourceY += y - StampLastY;
  StampLastX = x;
  StampLastY = y;
  if (StampSourceX < 0) StampSourceX = wd;
  else if (StampSourceX > wd) StampSourceX = 0;
  if (StampSourceY < 0) StampSourceY = hd;
  else if (StampSourceY > hd) StampSourceY = 0;
}

DabPoint CStampSource::SourceOnPicture(int w, int h, int wd, int hd) const {
  return DisplayToPicture(StampSourceX, StampSourceY, w, h, wd, hd);
}

namespace {

DabStatus DabAt(int toolId, const DabTarget& t, int x, int y, int wd, int hd, const BrushToolSettings& s,
                const CStampSource& stamp, const HistorySources& history) {
  const int w = t.Work.Width(), h = t.Work.Height();
  DabSources src;
  src.StampSourceSet = stamp.StampSourceSet;
  src.StampSource = stamp.SourceOnPicture(w, h, wd, hd);
  src.History = history;
  return ApplyDab(toolId, t, DisplayToPicture(x, y, w, h, wd, hd), s, src);
}

}  // namespace

DabStatus BrushLeftPress(int toolId, const DabTarget& t, int x, int y, int wd, int hd, const BrushToolSettings& s,
                         CStampSource& stamp, const HistorySources& history) {
  if (!IsBrushTool(toolId)) return DabStatus::Done;
  if (toolId == kToolStamp) stamp.Press(x, y, wd, hd);
  return DabAt(toolId, t, x, y, wd, hd, s, stamp, history);
}

DabStatus BrushLeftDrag(int toolId, const DabTarget& t, int x, int y, int wd, int hd, const BrushToolSettings& s,
                        CStampSource& stamp, const HistorySources& history) {
  const BrushToolDecl* d = FindBrushTool(toolId);
  if (!d || !d->DabsOnDrag) return DabStatus::Done;
  if (toolId == kToolStamp) stamp.Drag(x, y, wd, hd);
  return DabAt(toolId, t, x, y, wd, hd, s, stamp, history);
}

bool BrushRightPressOrDrag(int toolId, int x, int y, CStampSource& stamp) {
  if (toolId != kToolStamp) return false;
  stamp.SetSource(x, y);
  return true;
}

const char* StrokeLabel(int toolId) {
  const BrushToolDecl* d = FindBrushTool(toolId);
  return d ? d->HistoryLabel : nullptr;
}

bool StrokeAddsHistoryEntry(int toolId, bool boxNewHistory) {
  if (!IsBrushTool(toolId)) return false;
  return toolId != kToolBrushHistory || boxNewHistory;
}

bool HasBrushOutline(int toolId) {
  return (toolId >= 16 && toolId <= 22) || (toolId >= 25 && toolId <= 30) || toolId == 33 || toolId == 36;
}

BrushCursorPlan PlanBrushCursor(const Bitmap& clean, int x, int y, int r, bool scale, int wd, int hd) {
  int cr = 0, cg = 0, cb = 0;
  const PackedColor under = CPixelEngine::PickColor(clean, x, y, scale, wd, hd);
  cr = PackedRed(under);
  cg = PackedGreen(under);
  cb = PackedBlue(under);
  if (scale) {
    const DabPoint p = DisplayToPicture(x, y, clean.Width(), clean.Height(), wd, hd);
    x = p.X;
    y = p.Y;
  }
  ContrastingColor(cr, cg, cb);
  BrushCursorPlan plan{};
  plan.RestoreLeft = x - 500;
  plan.RestoreTop = y - 500;
  plan.RestoreRight = x + 500;
  plan.RestoreBottom = y + 500;
  plan.PenWidth = std::max(clean.Width(), clean.Height()) / 512;
  plan.PenColor = MakePacked(cr, cg, cb);
  plan.Left = x - r;
  plan.Top = y - r;
  plan.Right = x + r;
  plan.Bottom = y + r;
  return plan;
}

}  // namespace rv
