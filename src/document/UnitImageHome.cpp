#include "document/UnitImageHome.h"

#include <QEvent>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "app/UnitHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/UnitCanal.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

TFormImageHome* FormImageHome = nullptr;

QPoint CentredDisplayOrigin(QSize client, QSize display) {
  int left = client.width() / 2 - display.width() / 2;
  int top = client.height() / 2 - display.height() / 2;
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  return {left, top};
}

TFormImageHome::TFormImageHome(QWidget* parent)
    : QWidget(parent), ObrazDlaUsera(nullptr), MenuHand(new QMenu(this)), box_(new QScrollArea(this)),
      canvas_(new QWidget) {
  // The global instance is reachable while the window builds itself.
  FormImageHome = this;
  setObjectName(QStringLiteral("FormImageHome"));
  ui::MakeToolWindow(this);
  resize(425, 406);
  box_->setFrameShape(QFrame::NoFrame);
  box_->setWidgetResizable(false);
  box_->setWidget(canvas_);
  ui::SetBackground(box_->viewport(), ui::PaletteGrey());
  ui::SetBackground(canvas_, ui::PaletteGrey());
  ObrazDlaUsera = new ui::ImageControl(canvas_);
  ObrazDlaUsera->setObjectName(QStringLiteral("ObrazDlaUsera"));
  ObrazDlaUsera->setCursor(Qt::CrossCursor);
  ObrazDlaUsera->installEventFilter(this);
  connect(ObrazDlaUsera, &ui::ImageControl::PointerMoved, this,
          [this](QPoint p, Qt::MouseButtons) { ObrazDlaUseraMouseMove(p); });
  MenuHand->setObjectName(QStringLiteral("MenuHand"));
  FormHome->Menus().BuildHand(MenuHand);
  if (parent) {
    const QRect r = parent->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
  }
}

void TFormImageHome::RecordLoadedPicture(const QString& label) {
  CHomeImage& doc = HomeImage;
  if (FormHistory->Count() >= 1) {
    FormHistory->AddHistoryEntry(doc.WorkImage, label, doc.Width(), doc.Height());
  } else {
    FormHistory->AddHistoryEntry(ObrazDlaUsera->Picture(), QStringLiteral("Otwórz"), doc.Width(), doc.Height());
    FormMil->AddMilestone(doc.BackupImage, QStringLiteral("Startowy obraz"), doc.Width(), doc.Height());
  }
  doc.AllocateMask();
  show();
  FormCanal->SelectChannel(0);
}

void TFormImageHome::FormResize() {
  const QSize view = box_->viewport()->size();
  const QSize disp = ObrazDlaUsera->size();
  canvas_->resize(std::max(view.width(), disp.width()), std::max(view.height(), disp.height()));
  ObrazDlaUsera->move(CentredDisplayOrigin(canvas_->size(), disp));
}

void TFormImageHome::FitToDisplay() {
  // The window wraps the display; beyond the screen's work area the scroll
  // box takes over.
  QSize want = ObrazDlaUsera->size();
  if (const QScreen* s = screen()) {
    const QSize limit = s->availableGeometry().size() - QSize(40, 60);
    want = want.boundedTo(limit);
  }
  resize(want);
  box_->resize(size());
  FormResize();
}

void TFormImageHome::ApplyZoom() {
  const CHomeImage& doc = HomeImage;
  const int zoom = FormTools->ZoomPercent;
  ObrazDlaUsera->resize(doc.DisplayWidth + zoom * doc.DisplayWidth / 100,
                        doc.DisplayHeight + zoom * doc.DisplayHeight / 100);
  FormResize();
}

QPoint TFormImageHome::ScrollPositions() const {
  return {box_->horizontalScrollBar()->value(), box_->verticalScrollBar()->value()};
}

void TFormImageHome::SetScrollPositions(QPoint p) {
  box_->verticalScrollBar()->setValue(p.y());
  box_->horizontalScrollBar()->setValue(p.x());
}

void TFormImageHome::ShowOnDisplay(const Bitmap& picture) {
  if (ObrazDlaUsera->Picture() == picture) {
    ObrazDlaUsera->update();
    return;
  }
  ObrazDlaUsera->SetPicture(picture);
}

void TFormImageHome::TakeCroppedPicture(Bitmap crop, const QString& label) {
  CHomeImage& doc = HomeImage;
  doc.FreeMask();
  ObrazDlaUsera->SetPicture(std::move(crop));
  doc.AssignPicture(*ObrazDlaUsera, doc.FileName);
  doc.FitDisplay(*ObrazDlaUsera);
  doc.StoreDisplaySize(*ObrazDlaUsera);
  if (FormTools) FormTools->EnableMainUi();
  if (FormHistory) FormHistory->AddHistoryEntry(doc.WorkImage, label, doc.Width(), doc.Height());
  if (FormTools) {
    FormTools->SelectTool(0);
    FormTools->CloseToolOptionWindows();
  }
  if (FormHome) FormHome->RestoreCleanDisplay();
  doc.AllocateMask();
  if (FormTools) {
    FormTools->SelectionKind = 0;
    FormTools->SetInvertMenu(false, false);
  }
  ShowOnDisplay(doc.WorkImage);
}

void TFormImageHome::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  box_->resize(event->size());
  FormResize();
}

bool TFormImageHome::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ObrazDlaUsera && event->type() == QEvent::Resize) FormResize();
  return QWidget::eventFilter(watched, event);
}

void TFormImageHome::ObrazDlaUseraMouseMove(QPoint) {
  // The tools' own handling of the pointer is added with them.
  ui::FocusWindow(this);
  FormHome->PointerOverPicture = true;
  FormTools->DrawSelectionOutline();
}

}  // namespace rv
