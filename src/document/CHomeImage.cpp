#include "document/CHomeImage.h"

#include <exception>

#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

QSize FitDisplaySize(int w, int h) {
  if (w >= h && w > 700) return {700, (70000 / w) * h / 100};
  if (w < h && h > 700) return {(70000 / h) * w / 100, 700};
  return {w, h};
}

bool UsesMetafileLoader(const QString& fileName) {
  const int dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  const QString ext = fileName.mid(dot);
  for (const char* e : {".wmf", ".WMF", ".emf", ".EMF", ".Emf", ".Wmf"})
    if (ext == QLatin1String(e)) return true;
  return false;
}

void CHomeImage::LoadPictureInto(const QString& fileName, ui::ImageControl& target) {
  target.SetPicture(LoadPictureFile(fileName.toStdString()));
}

void CHomeImage::LoadMetafileInto(const QString& fileName, ui::ImageControl& target) {
  // The general loader renders metafiles onto white as well.
  target.SetPicture(LoadPictureFile(fileName.toStdString()));
}

bool CHomeImage::LoadFile(const QString& fileName) {
  TFormImageHome* home = FormImageHome;
  // Decode first: a file that cannot be read leaves the document, its
  // selection and the history exactly as they were.
  Bitmap decoded;
  try {
    ui::ImageControl probe;
    if (UsesMetafileLoader(fileName))
      LoadMetafileInto(fileName, probe);
    else
      LoadPictureInto(fileName, probe);
    decoded = std::move(probe.EditPicture());
  } catch (const std::exception&) {
    ui::ShowMessage(home, QStringLiteral("Nie mogłem otworzyć pliku!"));
    return false;
  }
  if (FormHistory->Count() > 0) FreeMask();
  home->ObrazDlaUsera->SetPicture(std::move(decoded));
  AssignPicture(*home->ObrazDlaUsera, fileName);
  FitDisplay(*home->ObrazDlaUsera);
  home->RecordLoadedPicture(QStringLiteral("Otwórz"));
  FormTools->ZoomPercent = 0;
  FormTools->SelectTool(0);
  FormTools->CloseToolOptionWindows();
  FormTools->SelectionKind = 0;
  MarkSaved();
  return true;
}

void CHomeImage::AssignPicture(const ui::ImageControl& source, const QString& fileName) {
  AssignPicture(source.Picture(), fileName);
}

void CHomeImage::AssignPicture(const Bitmap& picture, const QString& fileName) {
  // Pictures that are equal already are left alone: a large photograph is
  // expensive to copy and most assignments repeat what is there.
  for (Bitmap* b : {&WorkImage, &BackupImage, &SnapshotImage})
    if (!(*b == picture)) *b = picture;
  NamePicture(fileName);
}

void CHomeImage::NamePicture(const QString& fileName) {
  FileName = fileName;
  if (FormImageHome) FormImageHome->setWindowTitle(fileName);
}

void CHomeImage::FitDisplay(ui::ImageControl& display) {
  const QSize s = FitDisplaySize(Width(), Height());
  display.resize(s);
  if (FormImageHome) FormImageHome->FitToDisplay();
}

void CHomeImage::AllocateMask() { SelectionMask = rv::SelectionMask(Width(), Height(), 100); }

void CHomeImage::FreeMask() { SelectionMask = rv::SelectionMask(); }

void CHomeImage::StoreDisplaySize(const ui::ImageControl& display) {
  DisplayWidth = display.width();
  DisplayHeight = display.height();
}

}  // namespace rv

namespace rv {

std::uint64_t PictureFingerprint(const Bitmap& picture) {
  // FNV-1a over the size and each pixel's colour.
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
  mix(static_cast<std::uint64_t>(picture.Width()) << 32 | static_cast<std::uint32_t>(picture.Height()));
  const Pixel* p = picture.Data();
  for (std::size_t i = 0, n = picture.PixelCount(); i < n; ++i) mix(p[i] & 0x00FFFFFFu);
  return h;
}

void CHomeImage::MarkSaved() { savedPrint_ = PictureFingerprint(WorkImage); }

bool CHomeImage::ChangedSinceSaved() const {
  return HasPicture() && PictureFingerprint(WorkImage) != savedPrint_;
}

}  // namespace rv
