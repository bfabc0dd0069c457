#include "history/UnitMileStone.h"

#include <QEvent>
#include <QFrame>
#include <QWheelEvent>

#include <exception>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "ui/RowList.h"
#include "ui/Windows.h"

namespace rv {

TFormMil* FormMil = nullptr;

TFormMil::TFormMil(QWidget* parent) : QWidget(parent), BoxMil(nullptr), PanelMil(new QFrame(this)) {
  // The global instance is reachable while the window builds itself.
  FormMil = this;
  setObjectName(QStringLiteral("FormMil"));
  setWindowTitle(QStringLiteral("Kamienie milowe"));
  ui::MakeToolWindow(this);
  setFixedSize(218, 100);
  PanelMil->setObjectName(QStringLiteral("PanelMil"));
  PanelMil->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PanelMil->setGeometry(0, 0, 218, 100);
  BoxMil = new ui::RowList(PanelMil);
  BoxMil->setObjectName(QStringLiteral("BoxMil"));
  BoxMil->setGeometry(2, 2, 215, 98 - 2);
  ui::GiveFocusOnHover(BoxMil->Content());
  ui::GiveFocusOnHover(BoxMil->viewport());
  connect(BoxMil, &ui::RowList::PointerMoved, this, &TFormMil::ResetMilestoneRows);
  if (FormHome) ui::PlaceRightAligned(this, FormHome->width(), 430);
  ui::EnableSnapToWorkArea(this);
}

ui::ListRow* TFormMil::MakeRow(const CMileStone& m) {
  auto* row = new ui::ListRow(m.Thumb->Thumbnail(20, 20), m.Name);
  row->setContextMenuPolicy(Qt::PreventContextMenu);
  connect(row, &ui::ListRow::Pressed, this, [this, row](Qt::MouseButton b) {
    const int p = PositionOf(row);
    if (p < 0) return;
    if (b == Qt::LeftButton) RestoreMilestone(p);
    if (b == Qt::RightButton) DeleteMilestone(p);
  });
  connect(row, &ui::ListRow::Hovered, this, [this, row] {
    ui::FocusWindow(this);
    HoverMilestoneRow(PositionOf(row));
  });
  return row;
}

int TFormMil::PositionOf(const ui::ListRow* row) const {
  for (int i = 0; i < Count(); ++i)
    if (Milestones[i].TitleRow == row) return i;
  return -1;
}

void TFormMil::AddMilestone(const Bitmap& picture, const QString& name, int width, int height) {
  CMileStone m;
  m.Index = Count();
  m.FileName = FormImageHome ? FormImageHome->HomeImage.FileName : QString();
  m.Name = name;
  m.Width = width;
  m.Height = height;
  try {
    // Milestones are mostly made of the current state.
    m.Thumb = StorePicture(picture, {FormHistory->CurrentPicture(), FormHistory->NewestPicture(),
                                     Milestones.isEmpty() ? nullptr : Milestones.last().Thumb.get()});
    m.TitleRow = MakeRow(m);
    Milestones.append(m);
  } catch (const std::exception&) {
    // Out of memory: the milestones stay as they were.
    delete m.TitleRow;
    ui::ShowMessage(this, QStringLiteral("Nie mogłem stworzyć kamienia milowego"));
    return;
  }
  QList<ui::ListRow*> rows;
  for (const CMileStone& x : Milestones) rows.append(x.TitleRow);
  BoxMil->SetRows(rows);
  ResetMilestoneRows();
  BoxMil->ScrollTo(ui::kListRowHeight * (Count() - 1));
}

void TFormMil::DeleteMilestone(int position) {
  if (position < 0 || position >= Count()) return;
  // The press that asks for the deletion is still being delivered to the row.
  Milestones[position].TitleRow->hide();
  Milestones[position].TitleRow->deleteLater();
  Milestones.removeAt(position);
  QList<ui::ListRow*> rows;
  for (const CMileStone& x : Milestones) rows.append(x.TitleRow);
  BoxMil->SetRows(rows);
  ResetMilestoneRows();
  BoxMil->ScrollTo(ui::kListRowHeight * (Count() - 1));
}

void TFormMil::RestoreMilestone(int position) {
  if (position < 0 || position >= Count()) return;
  const CMileStone m = Milestones[position];
  QString& fileName = FormImageHome->HomeImage.FileName;
  const QString before = fileName;
  fileName = m.FileName;
  // The new entry holds the milestone's own tiles.
  if (!FormHistory->AddHistoryEntry(m.Thumb, QStringLiteral("Kamień Milowy: ") + m.Name, m.Width, m.Height)) {
    fileName = before;
    return;
  }
  FormHistory->RestoreHistoryEntry(FormHistory->Count() - 1);
}

void TFormMil::HoverMilestoneRow(int position) {
  for (int i = 0; i < Count(); ++i)
    Milestones[i].TitleRow->SetBackground(i == position ? HoverRowColor() : ui::PaletteGrey());
}

void TFormMil::ResetMilestoneRows() { HoverMilestoneRow(-1); }

void TFormMil::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome) FormHome->RestoreCleanDisplay();
}

void TFormMil::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy != 0) BoxMil->ScrollTo(BoxMil->ScrollPosition() + (dy > 0 ? -ui::kListWheelStep : ui::kListWheelStep));
  event->accept();
}

}  // namespace rv
