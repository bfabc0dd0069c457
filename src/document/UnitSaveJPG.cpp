#include "document/UnitSaveJPG.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/UnitHome.h"
#include "document/DocumentSave.h"
#include "document/PictureFiles.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {

TFormSaveJPG* FormSaveJPG = nullptr;

TFormSaveJPG::TFormSaveJPG(QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)), Label2(new QLabel(QStringLiteral("Jakość:"), Panel1)),
      Jakosc(new ui::TrackBar(0, 100, 100, Panel1)), Label1(new QLabel(QStringLiteral("100"), Panel1)),
      Save(new QPushButton(QStringLiteral("Zapisz"), this)), Cancel(new QPushButton(QStringLiteral("Anuluj"), this)) {
  // The global instance is reachable while the window builds itself.
  FormSaveJPG = this;
  setObjectName(QStringLiteral("FormSaveJPG"));
  setWindowTitle(QStringLiteral("Opcje zapisu JPG"));
  ui::MakeToolWindow(this);
  setModal(true);
  setFixedSize(300, 92);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setGeometry(8, 8, 284, 42);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(8, 11, 52, 20);
  Jakosc->setObjectName(QStringLiteral("Jakosc"));
  Jakosc->setGeometry(62, 9, 176, 24);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(244, 11, 32, 20);
  Save->setObjectName(QStringLiteral("Save"));
  Save->setGeometry(108, 58, 88, 26);
  Cancel->setObjectName(QStringLiteral("Cancel"));
  Cancel->setGeometry(204, 58, 88, 26);
  Save->setAutoDefault(false);
  Cancel->setAutoDefault(false);
  connect(Jakosc, &ui::TrackBar::Changed, this, &TFormSaveJPG::JakoscChange);
  connect(Save, &QPushButton::clicked, this, &TFormSaveJPG::SaveClick);
  connect(Cancel, &QPushButton::clicked, this, &TFormSaveJPG::CancelClick);
  ui::GiveFocusOnHover(this);
  ui::GiveFocusOnHover(Panel1);
  ui::CentreOnParent(this);
}

void TFormSaveJPG::showEvent(QShowEvent* event) {
  // The main window may have moved or grown since start-up.
  ui::CentreOnParent(this);
  QDialog::showEvent(event);
}

void TFormSaveJPG::JakoscChange() { Label1->setText(QString::number(Jakosc->Position())); }

void TFormSaveJPG::SaveClick() {
  const std::string path = FormHome->ChosenSaveName().toStdString();
  const int quality = Jakosc->Position();
  if (SaveWorkImage(this, [&](const Bitmap& picture) { WritePictureFile(picture, path, quality); })) accept();
}

void TFormSaveJPG::CancelClick() { reject(); }

}  // namespace rv
