// The document window: owns the image document and the display control
// ObrazDlaUsera, and defines the pop-up menu MenuHand.
#pragma once

#include <QPoint>
#include <QWidget>

#include "document/CHomeImage.h"

class QMenu;
class QScrollArea;

namespace rv {

namespace ui {
class ImageControl;
}

// Top-left of the display centred in a client area; negative becomes 0.
QPoint CentredDisplayOrigin(QSize client, QSize display);

class TFormImageHome : public QWidget {
  Q_OBJECT
 public:
  explicit TFormImageHome(QWidget* parent = nullptr);

  CHomeImage HomeImage;
  ui::ImageControl* ObrazDlaUsera;
  QMenu* MenuHand;

  // Records a picture that has just entered the document ("Otwórz", "Wklej").
  void RecordLoadedPicture(const QString& label);
  // Centres ObrazDlaUsera in the scroll box.
  void FormResize();
  // Sizes the window around the display (the refit after FitDisplay).
  void FitToDisplay();
  // Display size := fitted size enlarged by ZoomPercent.
  void ApplyZoom();
  QPoint ScrollPositions() const;
  void SetScrollPositions(QPoint p);
  // Puts a picture on the display control.
  void ShowOnDisplay(const Bitmap& picture);
  // A cut-out of the picture becomes the document's picture, with a history
  // entry, a fresh whole selection and the cursor tool.
  void TakeCroppedPicture(Bitmap crop, const QString& label);
  QScrollArea* ScrollBox() const { return box_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ObrazDlaUseraMouseMove(QPoint position);

  QScrollArea* box_;
  QWidget* canvas_;
};

extern TFormImageHome* FormImageHome;

}  // namespace rv
