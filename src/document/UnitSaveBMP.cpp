#include "document/UnitSaveBMP.h"

#include <QButtonGroup>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

#include "app/UnitHome.h"
#include "document/DocumentSave.h"
#include "document/PictureFiles.h"
#include "ui/Windows.h"

namespace rv {

TFormSaveBMP* FormSaveBMP = nullptr;

TFormSaveBMP::TFormSaveBMP(QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)), Bit8(new QRadioButton(QStringLiteral("8 bit"), Panel1)),
      Bit16(new QRadioButton(QStringLiteral("16 bit"), Panel1)),
      Bit24(new QRadioButton(QStringLiteral("24 bit"), Panel1)),
      Bit32(new QRadioButton(QStringLiteral("32 bit"), Panel1)), Save(new QPushButton(QStringLiteral("Zapisz"), this)),
      Cancel(new QPushButton(QStringLiteral("Anuluj"), this)), group_(new QButtonGroup(this)) {
  // The global instance is reachable while the window builds itself.
  FormSaveBMP = this;
  setObjectName(QStringLiteral("FormSaveBMP"));
  setWindowTitle(QStringLiteral("Opcje zapisu BMP / GIF"));
  ui::MakeToolWindow(this);
  setModal(true);
  setFixedSize(260, 158);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setGeometry(8, 8, 244, 108);
  int y = 6;
  int id = 0;
  for (auto [button, name] : {std::pair{Bit8, "Bit8"}, {Bit16, "Bit16"}, {Bit24, "Bit24"}, {Bit32, "Bit32"}}) {
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(12, y, 220, 22);
    group_->addButton(button, id++);
    y += 24;
  }
  Bit24->setChecked(true);
  Save->setObjectName(QStringLiteral("Save"));
  Save->setGeometry(8, 124, 118, 26);
  Cancel->setObjectName(QStringLiteral("Cancel"));
  Cancel->setGeometry(134, 124, 118, 26);
  Save->setAutoDefault(false);
  Cancel->setAutoDefault(false);
  connect(Save, &QPushButton::clicked, this, &TFormSaveBMP::SaveClick);
  connect(Cancel, &QPushButton::clicked, this, &TFormSaveBMP::CancelClick);
  ui::GiveFocusOnHover(this);
  ui::GiveFocusOnHover(Panel1);
  ui::CentreOnParent(this);
}

void TFormSaveBMP::showEvent(QShowEvent* event) {
  // The main window may have moved or grown since start-up.
  ui::CentreOnParent(this);
  QDialog::showEvent(event);
}

int TFormSaveBMP::Depth() const {
  if (Bit8->isChecked()) return 8;
  if (Bit16->isChecked()) return 16;
  if (Bit32->isChecked()) return 32;
  return 24;
}

void TFormSaveBMP::SaveClick() {
  const std::string path = FormHome->ChosenSaveName().toStdString();
  const int depth = Depth();
  // The writer converts a copy; the document keeps its 32-bit picture.
  if (SaveWorkImage(this, [&](const Bitmap& picture) { SaveWithDepth(picture, path, depth); })) accept();
}

void TFormSaveBMP::CancelClick() { reject(); }

}  // namespace rv
