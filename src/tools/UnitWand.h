// The option window of the magic wand: tolerance, strength and the preview
// of the selection in red.
#pragma once

#include "tools/SelectionWindows.h"
#include "tools/core/Selection.h"

namespace rv {

namespace ui {
class ImageControl;
}

class TFormWand : public TFormSelectionOptions {
  Q_OBJECT
 public:
  explicit TFormWand(QWidget* parent = nullptr);

  ui::TrackBar* Tolerant;
  ui::TrackBar* Sila;
  ui::ImageControl* Podglad;

  int ToolId() const override { return kToolWand; }
  // The wand at a picture point.
  void WandAt(QPoint picture);

  void Press(const PointerEvent& e) override;
  void Wheel(int step, bool ctrl) override;

 protected:
  bool ShowsWorkFirst() const override { return true; }
  void Start() override;
};

extern TFormWand* FormWand;

}  // namespace rv
