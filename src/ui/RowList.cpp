#include "ui/RowList.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/Windows.h"

namespace rv::ui {

ListRow::ListRow(const QImage& thumbnail, const QString& text, QWidget* parent)
    : QFrame(parent), thumb_(new QLabel(this)), title_(new QLabel(text, this)) {
  setFixedSize(208, kListRowHeight);
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);
  thumb_->setGeometry(0, 1, 20, 20);
  thumb_->setScaledContents(true);
  thumb_->setPixmap(QPixmap::fromImage(thumbnail.scaled(20, 20, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  thumb_->setCursor(Qt::PointingHandCursor);
  thumb_->setMouseTracking(true);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  title_->setFont(font);
  title_->move(30, 1);
  title_->resize(178, 18);
  title_->setCursor(Qt::PointingHandCursor);
  title_->setMouseTracking(true);
  for (QObject* o : {static_cast<QObject*>(this), static_cast<QObject*>(thumb_), static_cast<QObject*>(title_)})
    o->installEventFilter(this);
  SetBackground(PaletteGrey());
  SetTextColor(Qt::black);
}

QString ListRow::Text() const { return title_->text(); }

void ListRow::SetBackground(const QColor& colour) {
  background_ = colour;
  ui::SetBackground(this, colour);
}

void ListRow::SetTextColor(const QColor& colour) {
  textColor_ = colour;
  QPalette pal = title_->palette();
  pal.setColor(QPalette::WindowText, colour);
  title_->setPalette(pal);
}

bool ListRow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // The filter sees presses of a disabled palette too.
      if (isEnabled()) emit Pressed(static_cast<QMouseEvent*>(event)->button());
      return true;
    case QEvent::MouseMove:
    case QEvent::Enter:
      emit Hovered();
      break;
    case QEvent::Leave:
      if (watched == title_) emit LabelLeft();
      break;
    default:
      break;
  }
  return false;
}

RowList::RowList(QWidget* parent) : QScrollArea(parent), content_(new QWidget) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  content_->setMouseTracking(true);
  ui::SetBackground(content_, PaletteGrey());
  setWidget(content_);
  viewport()->installEventFilter(this);
  content_->installEventFilter(this);
  verticalScrollBar()->setSingleStep(kListWheelStep);
  verticalScrollBar()->setTracking(true);
}

void RowList::SetRows(const QList<ListRow*>& rows) {
  int i = 0;
  for (ListRow* r : rows) {
    r->setParent(content_);
    r->move(3, kListRowHeight * i);
    r->show();
    ++i;
  }
  content_->resize(viewport()->width(), kListRowHeight * i);
}

int RowList::ScrollPosition() const { return verticalScrollBar()->value(); }

void RowList::ScrollTo(int position) { verticalScrollBar()->setValue(position); }

bool RowList::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int notches = wheel->angleDelta().y() / 120;
    const int step = notches != 0 ? notches : (wheel->angleDelta().y() > 0 ? 1 : wheel->angleDelta().y() < 0 ? -1 : 0);
    ScrollTo(ScrollPosition() - step * kListWheelStep);
    return true;
  }
  if (event->type() == QEvent::MouseMove && watched == content_) emit PointerMoved();
  if (event->type() == QEvent::Resize && watched == viewport())
    content_->resize(viewport()->width(), content_->height());
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace rv::ui
