// The options of a bitmap (or GIF) save: the depth of the written file.
#pragma once

#include <QDialog>

class QButtonGroup;
class QFrame;
class QPushButton;
class QRadioButton;

namespace rv {

class TFormSaveBMP : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSaveBMP(QWidget* parent = nullptr);

  QFrame* Panel1;
  QRadioButton* Bit8;
  QRadioButton* Bit16;
  QRadioButton* Bit24;
  QRadioButton* Bit32;
  QPushButton* Save;
  QPushButton* Cancel;

  // 8, 16, 24 or 32, by the selected button.
  int Depth() const;
  // SaveWithDepth: writes the working picture under the save dialog's name;
  // a failure keeps the window open.
  void SaveClick();
  void CancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* group_;
};

extern TFormSaveBMP* FormSaveBMP;

}  // namespace rv
