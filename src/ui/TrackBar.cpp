#include "ui/TrackBar.h"

namespace rv::ui {

TrackBar::TrackBar(QWidget* parent, Qt::Orientation orientation) : QSlider(orientation, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setPageStep(1);
  setSingleStep(1);
  // QSlider already reports valueChanged only for a real change, including the
  // clamping a range change causes.
  connect(this, &QSlider::valueChanged, this, &TrackBar::Changed);
}

TrackBar::TrackBar(int min, int max, int position, QWidget* parent) : TrackBar(parent) {
  blockSignals(true);
  setRange(min, max);
  setValue(position);
  blockSignals(false);
}

bool TrackBar::SetMin(int min) {
  if (min > maximum()) return false;
  setMinimum(min);
  return true;
}

bool TrackBar::SetMax(int max) {
  if (max < minimum()) return false;
  setMaximum(max);
  return true;
}

void TrackBar::SetRange(int min, int max) {
  SetMin(min);
  SetMax(max);
}

void TrackBar::SetPosition(int position) { setValue(position); }

}  // namespace rv::ui
