// The naming dialog of a new milestone.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rv {

// True when the text holds a character other than a space.
bool HasNonSpace(const QLineEdit* edit);

class TFormOptionsMileStone : public QDialog {
  Q_OBJECT
 public:
  explicit TFormOptionsMileStone(QWidget* parent = nullptr);

  QLabel* Label1;
  QLineEdit* NameMil;
  QPushButton* MilOK;
  QPushButton* MilCancel;

  void MilOKClick();
  void MilCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TFormOptionsMileStone* FormOptionsMileStone;

}  // namespace rv
