// The horizontal and vertical text masks: the text, its font and advance,
// the origin in hidden bars, and the commit that selects the pixels the text
// changes.
#pragma once

#include <QFont>

#include "tools/SelectionWindows.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace rv {

struct ToolText;

class TFormTextSel : public TFormSelectionOptions {
  Q_OBJECT
 public:
  TFormTextSel(bool vertical, const char* objectName, const char* caption, QWidget* parent);

  ui::TrackBar* OSX;
  ui::TrackBar* OSY;
  QLineEdit* Text;
  QPushButton* UstawCzcionke;  // "Ustaw czcionkę"
  ui::TrackBar* Sila;
  ui::TrackBar* Run;             // "Przesunięcie:"
  QCheckBox* RunCheck = nullptr;  // horizontal only: "Ustaw szerokość"
  QFont Font;                     // as chosen in the font dialog

  int ToolId() const override;
  bool Vertical() const { return vertical_; }
  ToolText CurrentText() const;

  // The pixels the text changes become the selection; the display shows the text.
  void CommitSelectionShape();
  // The display := the backup picture with the text on it.
  void PreviewText();
  // "Ustaw czcionkę".
  void UstawCzcionkeClick();

  void Press(const PointerEvent& e) override;
  void Drag(const PointerEvent& e) override;
  void Release(const PointerEvent& e) override;
  void Wheel(int step, bool ctrl) override;

 protected:
  void SetRanges(int width, int height) override;
  void Start() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MoveOrigin(QPoint picture);
  Bitmap DrawnText() const;

  bool vertical_;
  bool quiet_ = false;
};

}  // namespace rv
