#include "filters/UnitImposition.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>

#include <exception>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/UnitFilterDialog.h"
#include "filters/registry/FilterRun.h"
#include "tools/UnitTools.h"
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
  if (!FormImageHome || !target_) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  TFormFilter& d = *target_;
  // This window's check boxes are the dialog's opening controls.
  for (const ControlDecl& c : d.Decl().OpeningControls)
    if (auto* box = findChild<QCheckBox*>(QString::fromLatin1(c.Name)))
      d.SetOpeningValue(QString::fromLatin1(c.Name), box->isChecked() ? 1 : 0);
  const std::optional<QString> file = ChooseOverlayFile();
  if (!file) return;
  Bitmap overlay;
  try {
    overlay = LayOverlay(d.Settings(), LoadOverlayFile(*file), doc.Width(), doc.Height());
  } catch (const std::exception&) {
    ui::ShowMessage(this, QStringLiteral("Nie mogłem wczytać obrazka"));
    return;
  }
  ImPos->SetPicture(std::move(overlay));
  ImPos->resize(ImPos->PictureWidth(), ImPos->PictureHeight());
  d.PreparePreview(doc.Width(), doc.Height());
  FilterSettings values = d.Settings();
  PrepareOpening(values, doc.Width(), doc.Height(), &ImPos->Picture());
  d.ApplySettings(values);
  FixOverlayPan(d);
  d.RunPreview();
  accept();
  d.ShowCentred();
}

void TextureCommand(TFormFilter& dialog) {
  if (!FormImageHome || !FormImposition || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  const std::optional<QString> file = ChooseOverlayFile();
  if (!file) return;
  Bitmap texture;
  Rgb mean;
  // The event loop runs once per row while the texture is measured; the
  // menus and palettes wait, so that no command starts in between.
  if (FormTools) FormTools->DisableMainUi();
  try {
    texture = LayOverlay(dialog.Settings(), LoadOverlayFile(*file), doc.Width(), doc.Height());
    CProgressBar events;
    mean = MeasureTextureMean(texture, &events);
  } catch (const std::exception&) {
    if (FormTools) FormTools->EnableMainUi();
    ui::ShowMessage(FormHome, QStringLiteral("Nie wybrano odpowiednio tekstury"));
    return;
  }
  if (FormTools) FormTools->EnableMainUi();
  ui::ImageControl* imPos = FormImposition->ImPos;
  imPos->SetPicture(std::move(texture));
  imPos->resize(imPos->PictureWidth(), imPos->PictureHeight());
  dialog.TextureMean = mean;
  FilterSettings values = dialog.Settings();
  PrepareOpening(values, doc.Width(), doc.Height(), &imPos->Picture());
  dialog.ApplySettings(values);
  dialog.PreparePreview(doc.Width(), doc.Height());
  FixOverlayPan(dialog);
  dialog.RunPreview();
  dialog.ShowCentred();
}

}  // namespace rv
