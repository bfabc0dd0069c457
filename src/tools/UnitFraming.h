// "Opcje kadrowania" (tool 8): a frame with the rule-of-thirds guides drawn on
// the display; OK crops the picture to it.
#pragma once

#include "tools/ShapeWindows.h"

namespace rv {

class TFormFraming : public TFormShapeOptions {
  Q_OBJECT
 public:
  explicit TFormFraming(QWidget* parent = nullptr);

  // The display copy := the backup, with the frame and its guides.
  void PreviewFraming();
  void OKClick() override;
  void AnulujClick() override;

  void Press(const PointerEvent& e) override;
  void Drag(const PointerEvent& e) override;

 protected:
  void Start() override;

 private:
  void MoveCorner(ui::TrackBar* x, ui::TrackBar* y, QPoint p);
};

extern TFormFraming* FormFraming;

}  // namespace rv
