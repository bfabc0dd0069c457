#include "filters/UnitImposition.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>

#include <exception>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/UnitFilterImPos.h"
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

TFormImposition* FormImposition = nullptr;

std::optional<QString> ChooseOverlayFile() {
  if (!FormHome) return std::nullopt;
  QFileDialog* dialog = FormHome->OpenPictureDialog1();
  FormHome->SetThumbnailView(dialog);
  if (ui::RunDialog(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog->selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  return chosen.first();
}

Bitmap LoadOverlayFile(const QString& fileName) {
  ui::ImageControl probe;
  if (UsesMetafileLoader(fileName))
    CHomeImage::LoadMetafileInto(fileName, probe);
  else
    CHomeImage::LoadPictureInto(fileName, probe);
  return std::move(probe.EditPicture());
}

Bitmap FitOverlay(Bitmap picture, int width, int height) {
  // Resampling to the same size gives every pixel back exactly.
  if (picture.Width() == width && picture.Height() == height) return picture;
  return ResampleBilinear(picture, width, height);
}

void FixOverlayPan(TFormFilter& dialog) {
  constexpr int kHalf = 400;
  for (ui::TrackBar* bar : {dialog.OSY, dialog.OSX})
    if (bar->Max() < kHalf) {
      bar->SetMax(kHalf);
      bar->SetMin(kHalf);
    }
}

TFormImposition::TFormImposition(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormImposition"));
  ui::MakeToolWindow(this);
  setWindowTitle(QStringLiteral("Opcje nakładania obrazka"));
  AutoDopasowanie = new QCheckBox(QStringLiteral("Autodopasowanie"), this);
  AutoDopasowanie->setObjectName(QStringLiteral("AutoDopasowanie"));
  AutoDopasowanie->setGeometry(12, 10, 200, 20);
  OK = new QPushButton(QStringLiteral("OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setGeometry(8, 40, 100, 26);
  OK->setDefault(true);
  Anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
  Anuluj->setObjectName(QStringLiteral("Anuluj"));
  Anuluj->setGeometry(116, 40, 100, 26);
  ImPos = new ui::ImageControl(this);
  ImPos->setObjectName(QStringLiteral("ImPos"));
  ImPos->hide();
  connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
  connect(Anuluj, &QPushButton::clicked, this, [this] { reject(); });
  setFixedSize(224, 74);
}

void TFormImposition::ImpositionCommand() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  if (FormHome) {
    const QRect home = FormHome->geometry();
    move(home.center() - QPoint(width() / 2, height() / 2));
  }
  ui::RunDialog(this);
}

void TFormImposition::OKClick() {
  if (!FormImageHome || !FormFilterImPos) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  const std::optional<QString> file = ChooseOverlayFile();
  if (!file) return;
  Bitmap overlay;
  try {
    overlay = LoadOverlayFile(*file);
    if (AutoDopasowanie->isChecked()) overlay = FitOverlay(std::move(overlay), doc.Width(), doc.Height());
  } catch (const std::exception&) {
    ui::ShowMessage(this, QStringLiteral("Nie mogłem wczytać obrazka"));
    return;
  }
  ImPos->SetPicture(std::move(overlay));
  ImPos->resize(ImPos->PictureWidth(), ImPos->PictureHeight());
  TFormFilterImPos& d = *FormFilterImPos;
  d.PreparePreview(doc.Width(), doc.Height());
  FilterSettings values = d.Settings();
  PrepareImpositionRanges(values, doc.Width(), doc.Height(), ImPos->PictureWidth(), ImPos->PictureHeight());
  d.ApplySettings(values);
  FixOverlayPan(d);
  d.RunPreview();
  accept();
  d.ShowCentred();
}

}  // namespace rv
