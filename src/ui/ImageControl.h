// An image control: holds its own full-size copy of a 32-bit picture and
// shows it stretched to the control's size.
#pragma once

#include <QImage>
#include <QWidget>

#include "engine/Bitmap.h"

namespace rv::ui {

// Wraps a bitmap without copying; the bitmap must outlive the image.
QImage ImageView(const Bitmap& bitmap);
// The same for drawing with a QPainter straight into the bitmap.
QImage PaintableView(Bitmap& bitmap);
Bitmap BitmapFromImage(const QImage& image);

class ImageControl : public QWidget {
  Q_OBJECT
 public:
  explicit ImageControl(QWidget* parent = nullptr);

  const Bitmap& Picture() const { return picture_; }
  // For drawing onto the control's own copy; call update() afterwards.
  Bitmap& EditPicture() { return picture_; }
  void SetPicture(const Bitmap& picture);
  void SetPicture(Bitmap&& picture);
  int PictureWidth() const { return picture_.Width(); }
  int PictureHeight() const { return picture_.Height(); }

 signals:
  void PointerMoved(QPoint position, Qt::MouseButtons buttons);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  Bitmap picture_;
};

}  // namespace rv::ui
