// A track bar with the semantics the program's windows rely on:
// - SetMin ignores a minimum above the maximum, SetMax a maximum below the
//   minimum (Qt would move the other end instead);
// - the position is always clamped into the range;
// - Changed is emitted only when the position really changes, whether the
//   user or the program moved it.
#pragma once

#include <QSlider>

namespace rv::ui {

class TrackBar : public QSlider {
  Q_OBJECT
 public:
  explicit TrackBar(QWidget* parent = nullptr, Qt::Orientation orientation = Qt::Horizontal);
  TrackBar(int min, int max, int position, QWidget* parent = nullptr);

  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  int Position() const { return value(); }

  // Each returns false when the value was refused.
  bool SetMin(int min);
  bool SetMax(int max);
  // Minimum first, then maximum, each refused when it would cross the other end.
  void SetRange(int min, int max);
  void SetPosition(int position);

 signals:
  void Changed(int position);
};

}  // namespace rv::ui
