// The resize dialog "Zmiana rozmiaru": the current size, two size fields that
// take digits only and may keep the proportions, OK and Anuluj.
#pragma once

#include <QDialog>
#include <QSet>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rv {

class TFormChangeSize : public QDialog {
  Q_OBJECT
 public:
  explicit TFormChangeSize(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;  // "Informacje"
  QLabel* Label1;        // "Aktualna szerokość: ..."
  QLabel* Label2;        // "Aktualna wysokość: ..."
  QGroupBox* GroupBox2;  // "Ustal rozmiar"
  QLabel* Label3;        // "Szerokość:"
  QLabel* Label4;        // "Wysokość:"
  QLineEdit* Width;
  QLineEdit* Height;
  QCheckBox* Prop;
  QPushButton* Button1;  // "OK"
  QPushButton* Button2;  // "Anuluj"

  // "Zmień rozmiar...": the current size in the labels and fields, then modal.
  void ChangeSizeCommand();
  // OK and Enter in a field: checks the fields, resamples the picture and
  // makes it the document's; a refusal shows its message and keeps the dialog open.
  void ApplyResize();
  // Key releases in the fields: the other field follows while "Zachowaj proporcje" is ticked.
  void WidthKeyUp();
  void HeightKeyUp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Keys pressed in each field since the dialog opened: the release of the
  // shortcut that opened it is not a key typed in the field.
  QSet<int> widthKeys_;
  QSet<int> heightKeys_;
};

extern TFormChangeSize* FormChangeSize;

}  // namespace rv
