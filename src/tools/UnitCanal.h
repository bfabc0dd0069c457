// The channels palette: which colour channels every change writes.
#pragma once

#include <QList>
#include <QWidget>

#include <cstdint>

class QFrame;
class QLabel;
class QRadioButton;

namespace rv {

class TFormCanal : public QWidget {
  Q_OBJECT
 public:
  explicit TFormCanal(QWidget* parent = nullptr);

  std::uint8_t ActiveChannel = 0;  // 0 all, 1 red, 2 green, 3 blue
  QFrame* AllCanalBox;
  QFrame* RCanalBox;
  QFrame* GCanalBox;
  QFrame* BCanalBox;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QFrame* SelectCanalBox;
  QRadioButton* AllRadio;
  QRadioButton* RRadio;
  QRadioButton* GRadio;
  QRadioButton* BRadio;

  void SelectChannel(int n);
  void PaintChannelRows();
  // The row background while the pointer is over it.
  void HoverChannelRow(int n);

  QFrame* Row(int n) const { return rows_[n]; }
  QLabel* RowLabel(int n) const { return labels_[n]; }
  QRadioButton* Radio(int n) const { return radios_[n]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int ChannelOf(QObject* o) const;

  QFrame* panel_;
  QList<QFrame*> rows_;
  QList<QLabel*> labels_;
  QList<QRadioButton*> radios_;
};

extern TFormCanal* FormCanal;

}  // namespace rv
