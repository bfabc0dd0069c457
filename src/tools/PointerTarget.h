// The option window of a shape, text, framing or selection tool (and the mask
// brush) as the document window's pointer routing sees it. The routing does
// the common steps of a move (focus, outline, spacing) and hands the tool's
// own part of each event to the target registered for the tool number.
#pragma once

#include <QPoint>
#include <Qt>

namespace rv {

struct PointerEvent {
  QPoint Display;  // pixels of the display control, at its current size
  QPoint Picture;  // Display scaled to the picture
  Qt::MouseButton Button = Qt::NoButton;   // press and release
  Qt::MouseButtons Held = Qt::NoButton;    // drag
};

class PointerTarget {
 public:
  virtual ~PointerTarget() = default;
  virtual void Press(const PointerEvent&) {}
  // Runs for every move the spacing rule passes on while a button is held.
  virtual void Drag(const PointerEvent&) {}
  virtual void Release(const PointerEvent&) {}
  // step is -4 for wheel down and +4 for wheel up; ctrl picks the Ctrl column.
  virtual void Wheel(int step, bool ctrl) { (void)step, (void)ctrl; }
  // Radius of the brush outline drawn under the pointer; 0 draws none.
  virtual int OutlineSize() const { return 0; }
};

// The target stays registered for the life of the program (the option
// windows are created once).
void RegisterPointerTarget(int toolId, PointerTarget* target);
PointerTarget* FindPointerTarget(int toolId);

}  // namespace rv
