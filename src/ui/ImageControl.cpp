#include "ui/ImageControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace rv::ui {

QImage ImageView(const Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                static_cast<qsizetype>(bitmap.BytesPerLine()), QImage::Format_RGB32);
}

QImage PaintableView(Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  return QImage(reinterpret_cast<uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                static_cast<qsizetype>(bitmap.BytesPerLine()), QImage::Format_RGB32);
}

Bitmap BitmapFromImage(const QImage& image) {
  const QImage img = image.convertToFormat(QImage::Format_RGB32);
  Bitmap out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* src = reinterpret_cast<const Pixel*>(img.constScanLine(y));
    Pixel* dst = out.Row(y);
    for (int x = 0; x < img.width(); ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return out;
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void ImageControl::SetPicture(const Bitmap& picture) {
  picture_ = picture;
  update();
}

void ImageControl::SetPicture(Bitmap&& picture) {
  picture_ = std::move(picture);
  update();
}

void ImageControl::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (picture_.Empty()) {
    p.fillRect(rect(), palette().window());
    return;
  }
  const QImage view = ImageView(picture_);
  // A scaled draw under a clip of many rectangles is slow; one rectangle at a
  // time keeps to the fast path and the same mapping.
  for (const QRect& r : event->region()) {
    p.setClipRect(r);
    p.drawImage(rect(), view);
  }
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
  emit PointerMoved(event->position().toPoint(), event->buttons());
  QWidget::mouseMoveEvent(event);
}

}  // namespace rv::ui
