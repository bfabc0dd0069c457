#include "ui/Shape.h"

#include <QMouseEvent>
#include <QPainter>

namespace rv::ui {

Shape::Shape(QWidget* parent) : QWidget(parent) { setCursor(Qt::PointingHandCursor); }

void Shape::SetFill(const QColor& c) {
  fill_ = c;
  update();
}

void Shape::SetPen(const QColor& c) {
  pen_ = c;
  update();
}

void Shape::SetPenWidth(int w) {
  penWidth_ = w;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal half = penWidth_ / 2.0;
  const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
  p.setPen(QPen(pen_, penWidth_));
  p.setBrush(fill_);
  p.drawRoundedRect(r, 4, 4);
}

void Shape::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed();
  event->accept();
}

}  // namespace rv::ui
