#include "ui/Windows.h"

#include <QColorDialog>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <cstdlib>

namespace rv::ui {

namespace {

std::function<void(const QString&)>& MessageSink() {
  static std::function<void(const QString&)> sink;
  return sink;
}
std::function<bool(const QString&)>& QuestionSink() {
  static std::function<bool(const QString&)> sink;
  return sink;
}
std::function<int(QDialog*)>& DialogRunner() {
  static std::function<int(QDialog*)> runner;
  return runner;
}
std::function<std::optional<QColor>(const QColor&)>& ColorChooser() {
  static std::function<std::optional<QColor>(const QColor&)> chooser;
  return chooser;
}

class HoverFocus : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
      if (auto* w = qobject_cast<QWidget*>(watched)) FocusWindow(w->window());
    }
    return false;
  }
};

class Snapper : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Move || busy_) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isWindow() || !w->screen()) return false;
    const QRect frame = w->frameGeometry();
    const QPoint snapped = SnapToWorkArea(w->screen()->availableGeometry(), frame);
    if (snapped != frame.topLeft()) {
      busy_ = true;
      w->move(snapped);
      busy_ = false;
    }
    return false;
  }

 private:
  bool busy_ = false;
};

class Placer : public QObject {
 public:
  Placer(QWidget* w, std::function<QPoint(QSize)> place) : QObject(w), place_(std::move(place)) {}
  void Place(QWidget* w) {
    frame_ = w->frameGeometry().size();
    w->move(place_(frame_));
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
      auto* w = static_cast<QWidget*>(watched);
      if (w->frameGeometry().size() != frame_) Place(w);
    }
    return false;
  }

 private:
  std::function<QPoint(QSize)> place_;
  QSize frame_;
};

}  // namespace

void PlaceWindow(QWidget* window, std::function<QPoint(QSize frame)> place) {
  auto* placer = new Placer(window, std::move(place));
  placer->Place(window);
  window->installEventFilter(placer);
}

void PlaceRightAligned(QWidget* window, int right, int top) {
  PlaceWindow(window, [right, top](QSize frame) { return QPoint(right - frame.width(), top); });
}

void CentreOnParent(QWidget* window) {
  const QWidget* parent = window->parentWidget();
  if (!parent) return;
  const QRect r = parent->window()->geometry();
  window->move(r.x() + (r.width() - window->width()) / 2, r.y() + (r.height() - window->height()) / 2);
}

QColor PaletteGrey() { return QColor(0xA0, 0xA0, 0xA4); }

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, colour);
  widget->setPalette(pal);
  widget->setAutoFillBackground(true);
}

void MakeToolWindow(QWidget* window, bool closeBox) {
  Qt::WindowFlags flags = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeBox) flags |= Qt::WindowCloseButtonHint;
  window->setWindowFlags(flags);
  SetBackground(window, PaletteGrey());
}

void FocusWindow(QWidget* window) {
  if (!window || !window->isVisible()) return;
  if (!window->isActiveWindow()) window->activateWindow();
  if (!window->hasFocus() && !window->focusWidget()) window->setFocus(Qt::MouseFocusReason);
}

void GiveFocusOnHover(QWidget* widget) {
  widget->setMouseTracking(true);
  widget->installEventFilter(new HoverFocus(widget));
}

QPoint SnapToWorkArea(const QRect& workArea, const QRect& proposed) {
  const int left = workArea.left();
  const int top = workArea.top();
  const int right = workArea.left() + workArea.width();
  const int bottom = workArea.top() + workArea.height();
  int x = proposed.x();
  int y = proposed.y();
  const int w = proposed.width();
  const int h = proposed.height();
  if (std::abs(x) <= left + 30)
    x = left;
  else if (right - 30 <= x + w && x + w <= right + 30)
    x = right - w;
  if (std::abs(y) <= top + 30)
    y = top;
  else if (bottom - 30 <= y + h && y + h <= bottom + 30)
    y = bottom - h;
  return {x, y};
}

void EnableSnapToWorkArea(QWidget* window) { window->installEventFilter(new Snapper(window)); }

void ShowMessage(QWidget* parent, const QString& text) {
  if (MessageSink()) {
    MessageSink()(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Rastrovia 2.0"), text, QMessageBox::Ok, parent);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

void SetMessageSink(std::function<void(const QString&)> sink) { MessageSink() = std::move(sink); }

bool AskYesNo(QWidget* parent, const QString& text) {
  if (QuestionSink()) return QuestionSink()(text);
  QMessageBox box(QMessageBox::Question, QStringLiteral("Rastrovia 2.0"), text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  return box.clickedButton() == yes;
}

void SetQuestionSink(std::function<bool(const QString&)> sink) { QuestionSink() = std::move(sink); }

int RunDialog(QDialog* dialog) {
  if (DialogRunner()) return DialogRunner()(dialog);
  // A modal dialog must come above the stay-on-top palettes.
  if (!dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
  return dialog->exec();
}

void SetDialogRunner(std::function<int(QDialog*)> runner) { DialogRunner() = std::move(runner); }

std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) {
  if (ColorChooser()) return ColorChooser()(initial);
  QColorDialog dialog(initial, parent);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedColor();
}

void SetColorChooser(std::function<std::optional<QColor>(const QColor&)> chooser) {
  ColorChooser() = std::move(chooser);
}

}  // namespace rv::ui
