// A shape control: a rounded square with a fill and an outline (pen) of a
// chosen width; pressing it emits Pressed.
#pragma once

#include <QColor>
#include <QWidget>

namespace rv::ui {

class Shape : public QWidget {
  Q_OBJECT
 public:
  explicit Shape(QWidget* parent = nullptr);

  QColor Fill() const { return fill_; }
  QColor Pen() const { return pen_; }
  int PenWidth() const { return penWidth_; }
  void SetFill(const QColor& c);
  void SetPen(const QColor& c);
  void SetPenWidth(int w);

 signals:
  void Pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor fill_ = Qt::white;
  QColor pen_ = Qt::black;
  int penWidth_ = 1;
};

}  // namespace rv::ui
