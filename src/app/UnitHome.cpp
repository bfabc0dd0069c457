#include "app/UnitHome.h"

#include <QAbstractFileIconProvider>
#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>

#include <ctime>

#include "app/UnitWelcome.h"
#include "document/DocumentSave.h"
#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "document/UnitSaveBMP.h"
#include "document/UnitSaveJPG.h"
#include "document/io/SaveRoute.h"
#include "document/io/SelectionCopy.h"
#include "engine/BlendModes.h"
#include "engine/Random.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "history/UnitOptionsMileStone.h"
#include "tools/SelectionShapes.h"
#include "tools/UnitTools.h"
#include "ui/Clipboard.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

TFormHome* FormHome = nullptr;

namespace {

// Previews of pictures as the file list's icons.
class PreviewIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(const QFileInfo& info) const override {
    static const QStringList kinds = {"bmp", "jpg", "jpeg", "gif", "ico", "png"};
    if (info.isFile() && kinds.contains(info.suffix().toLower())) {
      QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
      QImageReader reader(info.filePath());
      const QSize size = reader.size();
      // JPEG decodes scaled down cheaply; other formats only when small.
      const bool jpeg = reader.format() == "jpeg";
      if (size.isValid() && SizeAllowed(size.width(), size.height()) &&
          (jpeg || qint64(size.width()) * size.height() <= 4000000)) {
        reader.setScaledSize(size.scaled(96, 96, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        const QImage img = reader.read();
        if (!img.isNull()) return QIcon(QPixmap::fromImage(img));
      }
    }
    return QAbstractFileIconProvider::icon(info);
  }
  QIcon icon(IconType type) const override { return QAbstractFileIconProvider::icon(type); }
};

PreviewIconProvider* IconProvider() {
  static PreviewIconProvider provider;
  return &provider;
}

}  // namespace

QStringList SaveDialogFilters() {
  return {
      QStringLiteral("JPEG Image File (*.jpg)"),
      QStringLiteral("JPEG Image File (*.jpeg)"),
      QStringLiteral("Bitmaps (*.bmp)"),
      QStringLiteral("Icons (*.ico)"),
      QStringLiteral("Enhanced Metafiles (*.emf)"),
      QStringLiteral("Metafiles (*.wmf)"),
      QStringLiteral("GIF Image (*.gif)"),
      QStringLiteral("PNG Image (*.png)"),
  };
}

QStringList OpenDialogFilters() {
  return QStringList{QStringLiteral("All (*.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.png)")} + SaveDialogFilters();
}

TFormHome::TFormHome(QWidget* parent)
    : QMainWindow(parent) {
  // The global instance is reachable while the window builds itself.
  FormHome = this;
  setObjectName(QStringLiteral("FormHome"));
  setWindowTitle(QStringLiteral("Rastrovia 2.0"));
  const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
  resize(screen.width(), height());
  SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
  resize(width(), screen.height());
  PointerOverPicture = false;
  setAcceptDrops(true);

  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("HomeArea"));
  ui::SetBackground(area, QColor(128, 128, 128));
  area->setMouseTracking(true);
  area->installEventFilter(this);
  setCentralWidget(area);

  menus_.BuildBar(this, menuBar());
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  menus_.ConnectCommand(QStringLiteral("OpenPicture"), [this] { OpenPicture(); });
  menus_.ConnectCommand(QStringLiteral("SavePicture"), [this] { SavePicture(); });
  menus_.ConnectCommand(QStringLiteral("CopyPicture"), [this] { CopyPicture(); });
  menus_.ConnectCommand(QStringLiteral("PastePicture"), [this] { PastePicture(); });
  menus_.ConnectCommand(QStringLiteral("Close"), [this] { close(); });
  menus_.ConnectCommand(QStringLiteral("ToggleUndo"), [] { FormHistory->ToggleUndo(); });
  menus_.ConnectCommand(QStringLiteral("StepBack"), [] { FormHistory->StepBack(); });
  menus_.ConnectCommand(QStringLiteral("StepForward"), [] { FormHistory->StepForward(); });
  menus_.ConnectCommand(QStringLiteral("DeleteHistoryEntry"), [] { FormHistory->DeleteHistoryEntry(); });
  menus_.ConnectCommand(QStringLiteral("ClearHistory"), [] { FormHistory->ClearHistory(); });
  menus_.ConnectCommand(QStringLiteral("AddMilestone"), [this] { AddMilestoneCommand(); });
  menus_.ConnectCommand(QStringLiteral("SelectAll"), [this] { SelectAll(); });
  menus_.ConnectCommand(QStringLiteral("InvertSelection"), [this] { InvertSelection(); });
  menus_.ConnectCommand(QStringLiteral("ShowWelcome"), [] { FormWelcome->ShowWelcome(); });
}

QFileDialog* TFormHome::OpenPictureDialog1() {
  if (openDialog_) return openDialog_;
  openDialog_ = new QFileDialog(this);
  openDialog_->setObjectName(QStringLiteral("OpenPictureDialog1"));
  openDialog_->setOption(QFileDialog::DontUseNativeDialog);
  openDialog_->setFileMode(QFileDialog::ExistingFile);
  openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialog_->setNameFilters(OpenDialogFilters());
  openDialog_->setIconProvider(IconProvider());
  openDialog_->setWindowTitle(QStringLiteral("Otwórz"));
  return openDialog_;
}

QFileDialog* TFormHome::SavePictureDialog1() {
  if (saveDialog_) return saveDialog_;
  saveDialog_ = new QFileDialog(this);
  saveDialog_->setObjectName(QStringLiteral("SavePictureDialog1"));
  saveDialog_->setOption(QFileDialog::DontUseNativeDialog);
  saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog_->setDefaultSuffix(QStringLiteral("jpg"));
  saveDialog_->setNameFilters(SaveDialogFilters());
  saveDialog_->setIconProvider(IconProvider());
  saveDialog_->setWindowTitle(QStringLiteral("Zapisz"));
  return saveDialog_;
}

void TFormHome::SetThumbnailView(QFileDialog* dialog) {
  // The list view (not the details) with large preview icons.
  dialog->setViewMode(QFileDialog::List);
  if (auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"))) {
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(96, 96));
    list->setGridSize(QSize(120, 130));
    list->setWordWrap(true);
  }
}

void TFormHome::OpenPicture() {
  QFileDialog* dialog = OpenPictureDialog1();
  SetThumbnailView(dialog);
  if (ui::RunDialog(dialog) != QDialog::Accepted) return;
  const QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty()) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  if (!doc.LoadFile(chosen.first())) return;
  EnableDocumentMenus();
  doc.StoreDisplaySize(*FormImageHome->ObrazDlaUsera);
  if (InvertTicked()) InvertSelection();
  FormHistory->RestoreHistoryEntry(FormHistory->Count() - 1);
}

void TFormHome::OpenDroppedFiles(const QStringList& files) {
  CHomeImage& doc = FormImageHome->HomeImage;
  bool any = false;
  for (const QString& f : files) {
    if (!doc.LoadFile(f)) continue;
    any = true;
    EnableDocumentMenus();
    doc.StoreDisplaySize(*FormImageHome->ObrazDlaUsera);
  }
  if (any) FormHistory->RestoreHistoryEntry(FormHistory->Count() - 1);
}

void TFormHome::EnableDocumentMenus() { menus_.EnableDocumentMenus(); }

void TFormHome::SetInvertTick(bool ticked) {
  // The tick is the program's own state: a checkable item would flip it
  // before the command could read it.
  invertTicked_ = ticked;
  for (QAction* a : menus_.ItemsFor(QStringLiteral("InvertSelection"))) {
    a->setCheckable(true);
    a->setChecked(ticked);
  }
}

void TFormHome::SelectAll() {
  FormTools->SetInvertMenu(false, false);
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  FormTools->SelectionKind = 0;
  CHomeImage& doc = FormImageHome->HomeImage;
  if (!doc.HasPicture()) return;
  doc.SelectionMask.Fill(100);
  FormImageHome->ShowOnDisplay(doc.WorkImage);
}

void TFormHome::InvertSelection() {
  CHomeImage& doc = FormImageHome->HomeImage;
  if (InvertTicked()) {
    SetInvertTick(false);
    FormImageHome->ShowOnDisplay(doc.WorkImage);
  } else {
    SetInvertTick(true);
    DrawInvertFrame();
  }
  doc.SelectionMask.Invert();
  FormTools->DrawSelectionOutline();
}

void TFormHome::DrawInvertFrame() {
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  Bitmap& pic = display->EditPicture();
  if (pic.Empty()) return;
  // The colour comes from the document's picture: read from the display, a
  // second drawing would take the first frame's colour and erase it.
  const Bitmap& source = FormImageHome->HomeImage.WorkImage;
  const Pixel corner = source.Empty() ? pic.At(0, 0) : source.At(0, 0);
  int r = PixelRed(corner), g = PixelGreen(corner), b = PixelBlue(corner);
  ContrastingColor(r, g, b);
  const int w = pic.Width();
  const int h = pic.Height();
  const int penWidth = std::max(w, h) / 256;
  const int p = penWidth / 2;
  QImage view(reinterpret_cast<uchar*>(pic.Data()), w, h, static_cast<qsizetype>(pic.BytesPerLine()),
              QImage::Format_RGB32);
  QPainter painter(&view);
  painter.setPen(QPen(QColor(r, g, b), penWidth, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  // The rectangle's outline runs from (p, p) to (w - p, h - p), right and
  // bottom edges exclusive.
  painter.drawRect(QRect(QPoint(p, p), QPoint(w - p - 1, h - p - 1)));
  painter.end();
  // The pen reaches at most this far in from the edges.
  const int reach = p + penWidth / 2 + 3;
  const QRect all(0, 0, w, h);
  FormImageHome->NoteSelectionMarks(QRegion(all) - QRegion(all.adjusted(reach, reach, -reach, -reach)));
}

void TFormHome::RestoreCleanDisplay() {
  if (!FormImageHome) return;
  if (PointerOverPicture) {
    PointerOverPicture = false;
    FormImageHome->ShowOnDisplay(FormImageHome->HomeImage.BackupImage);
  }
  FormTools->DrawSelectionOutline();
}

void TFormHome::FormMouseMove() {
  RestoreCleanDisplay();
  FormMil->ResetMilestoneRows();
  FormTools->RefreshToolPalette();
  FormHistory->ResetHistoryRows();
}

void TFormHome::AddMilestoneCommand() {
  ui::RunDialog(FormOptionsMileStone);
  FormOptionsMileStone->NameMil->selectAll();
}

void TFormHome::SetMainUiEnabled(bool enabled) {
  centralWidget()->setEnabled(enabled);
  menuBar()->setEnabled(enabled);
  setAcceptDrops(enabled);
  MenuTree::SetEnabled(menus_.Bar(QStringLiteral("Plik1")), enabled);
  MenuTree::SetEnabled(menus_.Bar(QStringLiteral("Edycja1")), enabled);
}

void TFormHome::SavePicture() {
  QFileDialog* dialog = SavePictureDialog1();
  // Each save starts with an empty name (selectFile ignores an empty one).
  if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->clear();
  for (auto* view : dialog->findChildren<QAbstractItemView*>())
    if (view->selectionModel()) view->selectionModel()->clearSelection();
  SetThumbnailView(dialog);
  if (ui::RunDialog(dialog) != QDialog::Accepted) return;
  const QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  saveName_ = chosen.first();
  const std::string path = saveName_.toStdString();
  switch (SaveRouteFor(path)) {
    case SaveRoute::Metafile:
    case SaveRoute::Icon:
    case SaveRoute::Png:
      SaveWorkImage(this, [&path](const Bitmap& picture) { WritePictureFile(picture, path); });
      break;
    case SaveRoute::BitmapOptions:
      ui::RunDialog(FormSaveBMP);
      break;
    case SaveRoute::JpegOptions:
      ui::RunDialog(FormSaveJPG);
      break;
    case SaveRoute::Unsupported:
      ui::ShowMessage(this, QStringLiteral("Nieobsługiwany format pliku! Nie zapisano obrazka."));
      break;
  }
}

void TFormHome::CopyPicture() {
  const CHomeImage& doc = FormImageHome->HomeImage;
  if (!doc.HasPicture()) return;
  if (!AnyPixelSelected(doc.SelectionMask)) {
    ui::ShowMessage(this, QStringLiteral("Żadne piksele nie są zaznaczone!"));
    return;
  }
  const int kind = FormTools->SelectionKind;
  bool copied = false;
  try {
    // The rectangle, ellipse and rounded selections copy the rectangle
    // between their corners.
    CopyRect corners;
    if (kind >= 1 && kind <= 3) {
      const QLine c = CurrentShapeCorners();
      corners = {c.x1(), c.x2(), c.y1(), c.y2()};
    }
    // Worked out on a copy: the document is never touched.
    copied = ui::PutPictureOnClipboard(PictureToCopy(doc.WorkImage, doc.SelectionMask, kind, corners));
  } catch (const std::exception&) {
    copied = false;
  }
  if (!copied) ui::ShowMessage(this, QStringLiteral("Nie mogłem skopiować obrazka"));
}

void TFormHome::PastePicture() {
  TFormImageHome* home = FormImageHome;
  CHomeImage& doc = home->HomeImage;
  // Read first: without a picture on the clipboard the document, its
  // selection and the history stay exactly as they were.
  Bitmap pasted = ui::PictureFromClipboard();
  if (pasted.Empty()) {
    ui::ShowMessage(this, QStringLiteral("Nie mogłem załadować obrazka"));
    return;
  }
  if (FormHistory->Count() >= 1) doc.FreeMask();
  try {
    home->ObrazDlaUsera->SetPicture(std::move(pasted));
    doc.AssignPicture(*home->ObrazDlaUsera, QStringLiteral("Nowy obrazek"));
    doc.FitDisplay(*home->ObrazDlaUsera);
    EnableDocumentMenus();
    doc.StoreDisplaySize(*home->ObrazDlaUsera);
  } catch (const std::exception&) {
    // Out of memory half way: the newest history state comes back.
    ui::ShowMessage(this, QStringLiteral("Nie mogłem załadować obrazka"));
    if (FormHistory->Count() >= 1) {
      home->RecordLoadedPicture(QStringLiteral("Wklej"));
      FormHistory->DeleteHistoryEntry();
    }
    return;
  }
  // The whole clipboard picture is kept, without a cropped border.
  FormTools->EnableMainUi();
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  // The old selection shape must not be outlined on the new picture.
  FormTools->SelectionKind = 0;
  RestoreCleanDisplay();
  doc.AllocateMask();
  FormTools->SetInvertMenu(false, false);
  home->RecordLoadedPicture(QStringLiteral("Wklej"));
  FormTools->CloseToolOptionWindows();
  FormTools->SelectionKind = 0;
  home->ShowOnDisplay(doc.WorkImage);
  FormHistory->RestoreHistoryEntry(FormHistory->Count() - 1);
  doc.MarkSaved();
}

void TFormHome::closeEvent(QCloseEvent* event) {
  if (FormImageHome && FormImageHome->HomeImage.ChangedSinceSaved() &&
      !ui::AskYesNo(this, QStringLiteral("Obrazek nie został zapisany. Zakończyć bez zapisywania?"))) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TFormHome::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormHome::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& u : event->mimeData()->urls())
    if (u.isLocalFile()) files.append(u.toLocalFile());
  event->acceptProposedAction();
  OpenDroppedFiles(files);
}

bool TFormHome::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget()) {
    switch (event->type()) {
      case QEvent::MouseMove:
        FormMouseMove();
        break;
      case QEvent::MouseButtonDblClick:
        OpenPicture();
        return true;
      case QEvent::ContextMenu:
        if (FormImageHome) FormImageHome->MenuHand->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace rv
