// The options of a JPEG save: the quality 0..100.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace rv {

namespace ui {
class TrackBar;
}

class TFormSaveJPG : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSaveJPG(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* Label2;
  ui::TrackBar* Jakosc;
  QLabel* Label1;
  QPushButton* Save;
  QPushButton* Cancel;

  void JakoscChange();
  // WriteJpeg under the save dialog's name at the bar's quality; a failure
  // keeps the window open.
  void SaveClick();
  void CancelClick();

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TFormSaveJPG* FormSaveJPG;

}  // namespace rv
