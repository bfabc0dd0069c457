// The option window of the mask brush, which paints the selection.
#pragma once

#include "tools/SelectionWindows.h"
#include "tools/core/Selection.h"

namespace rv {

class TFormMask : public TFormSelectionOptions {
  Q_OBJECT
 public:
  explicit TFormMask(QWidget* parent = nullptr);

  ui::TrackBar* Wielkosc;
  ui::TrackBar* Twardosc;
  ui::TrackBar* Przezroczystosc;  // "Moc:"

  int ToolId() const override { return kToolMask; }
  MaskOptions Options() const;
  // One dab at a picture point.
  void MaskAt(QPoint picture);

  void Press(const PointerEvent& e) override;
  void Drag(const PointerEvent& e) override;
  void Release(const PointerEvent& e) override;
  void Wheel(int step, bool ctrl) override;
  int OutlineSize() const override;

 protected:
  bool ShowsWorkFirst() const override { return true; }
  void Start() override;
};

extern TFormMask* FormMask;

}  // namespace rv
