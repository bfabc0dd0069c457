// The colour palette: the two tool colours and R, G, B bars that edit one of
// them.
#pragma once

#include <QWidget>

#include "engine/Bitmap.h"

class QLabel;

namespace rv {

namespace ui {
class ImageControl;
class Shape;
class TrackBar;
}  // namespace ui

struct ColorState {
  int R = 0;
  int G = 0;
  int B = 0;
  bool EditSecondary = false;
  PackedColor PrimaryColor = MakePacked(0, 0, 0);
  PackedColor SecondaryColor = MakePacked(255, 255, 255);
};

// Black over a fill whose channel mean is at least 128, white otherwise.
QColor ContrastOutline(const QColor& fill);

class TFormColor : public QWidget {
  Q_OBJECT
 public:
  explicit TFormColor(QWidget* parent = nullptr);

  ColorState State;
  ui::Shape* KolorGlowny;
  ui::Shape* KolorDodatkowy;
  ui::TrackBar* BarR;
  ui::TrackBar* BarG;
  ui::TrackBar* BarB;
  QLabel* LR;
  QLabel* LG;
  QLabel* LB;
  ui::ImageControl* ImageR;
  ui::ImageControl* ImageG;
  ui::ImageControl* ImageB;

  void SelectEditedColor(bool secondary);
  void MarkEditedColor();
  void ApplyBarsColor(ui::TrackBar* bar);
  void PaintColorBars(int r, int g, int b);
};

extern TFormColor* FormColor;

}  // namespace rv
