#include "tools/UnitCanal.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

#include "app/UnitHome.h"
#include "ui/Windows.h"

namespace rv {

TFormCanal* FormCanal = nullptr;

TFormCanal::TFormCanal(QWidget* parent) : QWidget(parent), panel_(new QFrame(this)) {
  // The global instance is reachable while the window builds itself.
  FormCanal = this;
  setObjectName(QStringLiteral("FormCanal"));
  setWindowTitle(QStringLiteral("Kanały"));
  ui::MakeToolWindow(this);
  setFixedSize(218, 100);
  panel_->setObjectName(QStringLiteral("PanelCanal"));
  panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel_->setGeometry(0, 0, 218, 100);
  panel_->setMouseTracking(true);
  panel_->installEventFilter(this);
  SelectCanalBox = new QFrame(panel_);
  SelectCanalBox->setObjectName(QStringLiteral("SelectCanalBox"));
  SelectCanalBox->setGeometry(6, 5, 24, 4 * 22);
  SelectCanalBox->setMouseTracking(true);
  SelectCanalBox->installEventFilter(this);
  auto* group = new QButtonGroup(this);
  const char* names[] = {"AllCanalBox", "RCanalBox", "GCanalBox", "BCanalBox"};
  const char* captions[] = {"Wszystkie", "Czerwony", "Zielony", "Niebieski"};
  const char* radioNames[] = {"AllRadio", "RRadio", "GRadio", "BRadio"};
  for (int i = 0; i < 4; ++i) {
    auto* row = new QFrame(panel_);
    row->setObjectName(QString::fromUtf8(names[i]));
    row->setGeometry(32, 5 + 22 * i, 180, 21);
    row->setMouseTracking(true);
    row->installEventFilter(this);
    auto* label = new QLabel(QString::fromUtf8(captions[i]), row);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setGeometry(8, 2, 160, 17);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    auto* radio = new QRadioButton(SelectCanalBox);
    radio->setObjectName(QString::fromUtf8(radioNames[i]));
    radio->setGeometry(4, 22 * i + 2, 18, 18);
    radio->setMouseTracking(true);
    radio->installEventFilter(this);
    group->addButton(radio, i);
    rows_.append(row);
    labels_.append(label);
    radios_.append(radio);
  }
  AllCanalBox = rows_[0];
  RCanalBox = rows_[1];
  GCanalBox = rows_[2];
  BCanalBox = rows_[3];
  Label1 = labels_[0];
  Label2 = labels_[1];
  Label3 = labels_[2];
  Label4 = labels_[3];
  AllRadio = radios_[0];
  RRadio = radios_[1];
  GRadio = radios_[2];
  BRadio = radios_[3];
  connect(group, &QButtonGroup::idClicked, this, [this](int id) { SelectChannel(id); });
  ui::SetBackground(panel_, ui::PaletteGrey());
  ActiveChannel = 0;
  PaintChannelRows();
  if (FormHome) ui::PlaceRightAligned(this, FormHome->width(), 570);
  ui::EnableSnapToWorkArea(this);
}

void TFormCanal::SelectChannel(int n) {
  ActiveChannel = static_cast<std::uint8_t>(n);
  radios_[n]->setChecked(true);
  PaintChannelRows();
}

void TFormCanal::PaintChannelRows() {
  for (int i = 0; i < 4; ++i) {
    ui::SetBackground(rows_[i], ui::PaletteGrey());
    QPalette pal = labels_[i]->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    labels_[i]->setPalette(pal);
  }
  const int a = ActiveChannel;
  ui::SetBackground(rows_[a], QApplication::palette().color(QPalette::Active, QPalette::Highlight));
  QPalette pal = labels_[a]->palette();
  pal.setColor(QPalette::WindowText, Qt::white);
  labels_[a]->setPalette(pal);
  radios_[a]->setChecked(true);
}

void TFormCanal::HoverChannelRow(int n) {
  PaintChannelRows();
  if (n != ActiveChannel)
    ui::SetBackground(rows_[n], QApplication::palette().color(QPalette::Active, QPalette::Dark));
}

int TFormCanal::ChannelOf(QObject* o) const {
  if (radios_.size() < 4) return -1;  // still being built
  for (int i = 0; i < 4; ++i)
    if (o == rows_[i] || o == labels_[i] || o == radios_[i]) return i;
  return -1;
}

bool TFormCanal::eventFilter(QObject* watched, QEvent* event) {
  if (radios_.size() < 4) return false;
  const int n = ChannelOf(watched);
  if (event->type() == QEvent::MouseMove) {
    if (n >= 0) {
      HoverChannelRow(n);
      if (watched == rows_[n]) ui::FocusWindow(this);
    } else {
      PaintChannelRows();
      if (watched == panel_) ui::FocusWindow(this);
    }
  }
  if (event->type() == QEvent::MouseButtonPress && n >= 0 && watched != radios_[n] &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    SelectChannel(n);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFormCanal::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome) FormHome->RestoreCleanDisplay();
}

}  // namespace rv
