#include "history/UnitHistory.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QWheelEvent>

#include <exception>

#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitMileStone.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"
#include "ui/Windows.h"

namespace rv {

TFormHistory* FormHistory = nullptr;

QColor CurrentRowColor() { return QApplication::palette().color(QPalette::Active, QPalette::Highlight); }
// The classic inactive-caption blue grey: lighter than the rows, darker than
// the highlight.
QColor HoverRowColor() { return QColor(0xBF, 0xCD, 0xDB); }

TFormHistory::TFormHistory(QWidget* parent)
    : QWidget(parent), BoxHistory(nullptr), PanelHistory(new QFrame(this)), MenuHistory(new QMenu(this)) {
  // The global instance is reachable while the window builds itself.
  FormHistory = this;
  setObjectName(QStringLiteral("FormHistory"));
  setWindowTitle(QStringLiteral("Historia"));
  ui::MakeToolWindow(this);
  setFixedSize(218, 100);
  PanelHistory->setObjectName(QStringLiteral("PanelHistory"));
  PanelHistory->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PanelHistory->setGeometry(0, 0, 218, 100);
  PanelHistory->setMouseTracking(true);
  PanelHistory->installEventFilter(this);
  BoxHistory = new ui::RowList(PanelHistory);
  BoxHistory->setObjectName(QStringLiteral("BoxHistory"));
  BoxHistory->setGeometry(2, 2, 215, 98 - 2);
  ui::GiveFocusOnHover(BoxHistory->Content());
  ui::GiveFocusOnHover(BoxHistory->viewport());

  MenuHistory->setObjectName(QStringLiteral("MenuHistory"));
  QAction* del = MenuHistory->addAction(QStringLiteral("Usuń pozycję"));
  del->setObjectName(QStringLiteral("Usupozycj1"));
  connect(del, &QAction::triggered, this, &TFormHistory::DeleteHistoryEntry);
  QAction* clear = MenuHistory->addAction(QStringLiteral("Wyczyść wszystko"));
  clear->setObjectName(QStringLiteral("Wyczywszystko1"));
  connect(clear, &QAction::triggered, this, &TFormHistory::ClearHistory);
  MenuHistory->addSeparator();
  QAction* mil = MenuHistory->addAction(QStringLiteral("Dodaj do kamieni milowych"));
  mil->setObjectName(QStringLiteral("Dodajdokamieni1"));
  connect(mil, &QAction::triggered, this, [] { FormHome->AddMilestoneCommand(); });

  if (FormHome) ui::PlaceRightAligned(this, FormHome->width(), 290);
  ui::EnableSnapToWorkArea(this);
}

ui::ListRow* TFormHistory::MakeRow(const CHistory& entry) {
  auto* row = new ui::ListRow(entry.Thumb->Thumbnail(20, 20), entry.Title);
  row->setContextMenuPolicy(Qt::PreventContextMenu);
  connect(row, &ui::ListRow::Pressed, this, [this, row](Qt::MouseButton b) { RowPressed(row, b); });
  connect(row, &ui::ListRow::Hovered, this, [this, row] {
    ui::FocusWindow(this);
    HoverHistoryRow(IndexOf(row));
  });
  connect(row, &ui::ListRow::LabelLeft, this, &TFormHistory::ResetHistoryRows);
  return row;
}

int TFormHistory::IndexOf(const ui::ListRow* row) const {
  for (int i = 0; i < Count(); ++i)
    if (Entries[i].RowBox == row) return i;
  return -1;
}

void TFormHistory::RebuildRows() {
  QList<ui::ListRow*> rows;
  for (CHistory& e : Entries) {
    delete e.RowBox;
    e.RowBox = MakeRow(e);
    rows.append(e.RowBox);
  }
  BoxHistory->SetRows(rows);
}

bool TFormHistory::AddHistoryEntry(const Bitmap& picture, const QString& label, int width, int height) {
  return AppendEntry(&picture, nullptr, label, width, height, nullptr);
}

bool TFormHistory::AddHistoryEntry(const Bitmap& picture, const QString& label, int width, int height,
                                   const QRect& changed) {
  return AppendEntry(&picture, nullptr, label, width, height, &changed);
}

bool TFormHistory::AddHistoryEntry(const StoredPicturePtr& stored, const QString& label, int width, int height) {
  return AppendEntry(nullptr, stored, label, width, height, nullptr);
}

const StoredPicture* TFormHistory::CurrentPicture() const {
  const int c = CurrentHistoryIndex();
  return c >= 0 ? Entries[c].Thumb.get() : nullptr;
}

const StoredPicture* TFormHistory::NewestPicture() const { return Count() > 0 ? Entries.last().Thumb.get() : nullptr; }

bool TFormHistory::AppendEntry(const Bitmap* picture, const StoredPicturePtr& stored, const QString& label,
                               int width, int height, const QRect* changed) {
  CHistory e;
  e.Index = Count();
  e.FileName = FormImageHome ? FormImageHome->HomeImage.FileName : QString();
  e.Width = width;
  e.Height = height;
  e.Title = label + QStringLiteral(" - nr: ") + QString::number(e.Index);
  try {
    // A change usually starts from the current state; a new picture may
    // follow the newest one.
    if (stored) {
      e.Thumb = stored;
    } else {
      const PictureRegion region = changed ? PictureRegion{changed->left(), changed->top(), changed->right() + 1,
                                                           changed->bottom() + 1}
                                           : PictureRegion{};
      e.Thumb = StorePicture(*picture, {CurrentPicture(), NewestPicture()}, changed && inStep_ ? &region : nullptr);
    }
    e.RowBox = MakeRow(e);
    Entries.append(e);
  } catch (const std::exception&) {
    // Out of memory: the history and the document stay as they were; the
    // document now holds a change no entry knows of.
    delete e.RowBox;
    inStep_ = false;
    ui::ShowMessage(this, QStringLiteral("Nie mogłem stworzyć nowej historii"));
    return false;
  }
  inStep_ = stored == nullptr;
  QList<ui::ListRow*> rows;
  for (const CHistory& h : Entries) rows.append(h.RowBox);
  BoxHistory->SetRows(rows);
  current_ = Count() - 1;
  ColourRows(-1);
  BoxHistory->ScrollTo(ui::kListRowHeight * (Count() - 1));
  return true;
}

int TFormHistory::CurrentHistoryIndex() const { return Count() > 0 ? current_ : -1; }

void TFormHistory::ColourRows(int hover) {
  for (int i = 0; i < Count(); ++i) {
    ui::ListRow* r = Entries[i].RowBox;
    r->SetBackground(i == current_ ? CurrentRowColor() : i == hover ? HoverRowColor() : ui::PaletteGrey());
    r->SetTextColor(i == current_ ? Qt::white : Qt::black);
  }
}

void TFormHistory::HoverHistoryRow(int index) { ColourRows(index); }

void TFormHistory::ResetHistoryRows() { ColourRows(-1); }

void TFormHistory::RestoreHistoryEntry(int index) {
  if (index < 0 || index >= Count()) return;
  try {
    TFormImageHome* home = FormImageHome;
    CHomeImage& doc = home->HomeImage;
    const int w0 = doc.Width();
    const int h0 = doc.Height();
    const QString n0 = doc.FileName;
    const QPoint scroll = home->ScrollPositions();
    const CHistory& e = Entries[index];
    const bool other = e.FileName != n0 || e.Width != w0 || e.Height != h0;
    // The entry's picture goes onto the display and into the document's three
    // pictures in one pass over its tiles; first of all, so that a picture of
    // another size that does not fit in memory leaves everything as it was.
    inStep_ = false;
    Bitmap* outs[] = {&home->ObrazDlaUsera->EditPicture(), &doc.WorkImage, &doc.BackupImage, &doc.SnapshotImage};
    e.Thumb->ReadInto(outs);
    if (other) doc.FreeMask();
    current_ = index;
    ColourRows(-1);
    home->ObrazDlaUsera->update();
    doc.NamePicture(e.FileName);
    doc.FitDisplay(*home->ObrazDlaUsera);
    if (other) FormTools->ZoomPercent = 0;
    doc.StoreDisplaySize(*home->ObrazDlaUsera);
    if (other) doc.AllocateMask();
    home->ApplyZoom();
    home->SetScrollPositions(scroll);
    home->ObrazDlaUsera->update();  // the display holds the backup's picture already
    if (!other) {
      FormTools->DrawSelectionOutline();
    } else {
      FormTools->SelectionKind = 0;
      FormTools->DrawSelectionOutline();
      FormTools->SelectTool(0);
      FormTools->CloseToolOptionWindows();
      if (FormHome->InvertTicked()) FormHome->InvertSelection();
    }
    inStep_ = true;
  } catch (const std::exception&) {
    // A restore keeps what it reached.
  }
}

void TFormHistory::DeleteHistoryEntry() {
  const int c = CurrentHistoryIndex();
  if (c < 0) return;
  if (c == 0) {
    ui::ShowMessage(this, QStringLiteral("Nie można usunąć pierwszej historii"));
    return;
  }
  delete Entries[c].RowBox;
  Entries.removeAt(c);
  for (int i = 0; i < Count(); ++i) Entries[i].Index = i;
  RebuildRows();
  current_ = c - 1;
  ColourRows(-1);
  BoxHistory->ScrollTo(ui::kListRowHeight * (Count() - 1));
  RestoreHistoryEntry(c - 1);
}

void TFormHistory::ClearHistory() {
  const int c = CurrentHistoryIndex();
  if (c < 0) return;
  CHistory kept = Entries[c];
  for (int i = 0; i < Count(); ++i)
    if (i != c) delete Entries[i].RowBox;
  kept.Index = 0;
  Entries = {kept};
  RebuildRows();
  current_ = 0;
  ColourRows(-1);
  BoxHistory->ScrollTo(0);
  RestoreHistoryEntry(0);
}

void TFormHistory::SetUndoCaption(const QString& caption) {
  if (!FormHome) return;
  for (QAction* a : FormHome->Menus().ItemsFor(QStringLiteral("ToggleUndo"))) MenuTree::SetCaption(a, caption);
}

void TFormHistory::ToggleUndo() {
  const int c = CurrentHistoryIndex();
  if (!redo_) {
    redo_ = true;
    SetUndoCaption(QStringLiteral("Ponów"));
    if (c > 0) RestoreHistoryEntry(c - 1);
  } else {
    redo_ = false;
    SetUndoCaption(QStringLiteral("Cofnij"));
    if (c >= 0 && c < Count() - 1) RestoreHistoryEntry(c + 1);
  }
}

void TFormHistory::StepBack() {
  const int c = CurrentHistoryIndex();
  if (c > 0) RestoreHistoryEntry(c - 1);
}

void TFormHistory::StepForward() {
  const int c = CurrentHistoryIndex();
  if (c >= 0 && c < Count() - 1) RestoreHistoryEntry(c + 1);
}

void TFormHistory::RowPressed(ui::ListRow* row, Qt::MouseButton button) {
  const int i = IndexOf(row);
  if (i < 0) return;
  RestoreHistoryEntry(i);
  if (button == Qt::RightButton) MenuHistory->popup(QCursor::pos());
}

void TFormHistory::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome) FormHome->RestoreCleanDisplay();
}

bool TFormHistory::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PanelHistory && event->type() == QEvent::MouseMove) ResetHistoryRows();
  return QWidget::eventFilter(watched, event);
}

void TFormHistory::wheelEvent(QWheelEvent* event) {
  const int dy = event->angleDelta().y();
  if (dy != 0) BoxHistory->ScrollTo(BoxHistory->ScrollPosition() + (dy > 0 ? -ui::kListWheelStep : ui::kListWheelStep));
  event->accept();
}

}  // namespace rv
