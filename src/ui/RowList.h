// Lists of 20-pixel rows with a thumbnail and a text (the history and the
// milestones palettes). The wheel scrolls such a list by one row per notch.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QScrollArea>

class QLabel;

namespace rv::ui {

constexpr int kListRowHeight = 20;
constexpr int kListWheelStep = 20;

class ListRow : public QFrame {
  Q_OBJECT
 public:
  // thumbnail: any size, shown stretched to 20 x 20.
  ListRow(const QImage& thumbnail, const QString& text, QWidget* parent = nullptr);

  QString Text() const;
  void SetBackground(const QColor& colour);
  QColor Background() const { return background_; }
  void SetTextColor(const QColor& colour);
  QColor TextColor() const { return textColor_; }
  QLabel* TitleLabel() const { return title_; }
  QLabel* Thumb() const { return thumb_; }

 signals:
  void Pressed(Qt::MouseButton button);  // on the row, its thumbnail or its label
  void Hovered();                        // the pointer moves over any of them
  void LabelLeft();                      // the pointer left the label

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* thumb_;
  QLabel* title_;
  QColor background_;
  QColor textColor_;
};

class RowList : public QScrollArea {
  Q_OBJECT
 public:
  explicit RowList(QWidget* parent = nullptr);

  // Rows are placed at left 3, top 20 x position, in the order given.
  void SetRows(const QList<ListRow*>& rows);
  QWidget* Content() const { return content_; }
  int ScrollPosition() const;
  void ScrollTo(int position);

 signals:
  void PointerMoved();  // over the list's own background

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* content_;
};

}  // namespace rv::ui
