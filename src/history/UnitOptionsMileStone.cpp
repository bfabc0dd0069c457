#include "history/UnitOptionsMileStone.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "document/UnitImageHome.h"
#include "history/UnitMileStone.h"
#include "ui/Windows.h"

namespace rv {

TFormOptionsMileStone* FormOptionsMileStone = nullptr;

bool HasNonSpace(const QLineEdit* edit) {
  for (const QChar c : edit->text())
    if (c != QLatin1Char(' ')) return true;
  return false;
}

TFormOptionsMileStone::TFormOptionsMileStone(QWidget* parent)
    : QDialog(parent), Label1(new QLabel(QStringLiteral("Wpisz nazwę kamienia milowego:"), this)),
      NameMil(new QLineEdit(QStringLiteral("Kamień milowy"), this)), MilOK(new QPushButton(QStringLiteral("OK"), this)),
      MilCancel(new QPushButton(QStringLiteral("Anuluj"), this)) {
  // The global instance is reachable while the window builds itself.
  FormOptionsMileStone = this;
  setObjectName(QStringLiteral("FormOptionsMileStone"));
  setWindowTitle(QStringLiteral("Opcje kamienia milowego"));
  ui::MakeToolWindow(this);
  setModal(true);
  setFixedSize(410, 68);
  Label1->setGeometry(8, 8, 200, 20);
  NameMil->setObjectName(QStringLiteral("NameMil"));
  NameMil->setGeometry(8, 36, 226, 24);
  MilOK->setObjectName(QStringLiteral("MilOK"));
  MilOK->setGeometry(242, 35, 75, 26);
  MilCancel->setObjectName(QStringLiteral("MilCancel"));
  MilCancel->setGeometry(326, 35, 75, 26);
  // Enter in the edit box does what OK does; the buttons are no default.
  MilOK->setAutoDefault(false);
  MilCancel->setAutoDefault(false);
  connect(NameMil, &QLineEdit::returnPressed, this, &TFormOptionsMileStone::MilOKClick);
  connect(MilOK, &QPushButton::clicked, this, &TFormOptionsMileStone::MilOKClick);
  connect(MilCancel, &QPushButton::clicked, this, &TFormOptionsMileStone::MilCancelClick);
  ui::GiveFocusOnHover(this);
  if (parent) {
    const QRect r = parent->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
  }
}

void TFormOptionsMileStone::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Some window managers do not focus a tool window by themselves.
  activateWindow();
  NameMil->setFocus();
}

void TFormOptionsMileStone::MilOKClick() {
  if (!HasNonSpace(NameMil)) {
    ui::ShowMessage(this, QStringLiteral("Wpisz jakąś nazwę dla kamienia milowego"));
    NameMil->setFocus();
    return;
  }
  const CHomeImage& doc = FormImageHome->HomeImage;
  FormMil->AddMilestone(doc.BackupImage, NameMil->text(), doc.Width(), doc.Height());
  accept();
}

void TFormOptionsMileStone::MilCancelClick() { reject(); }

}  // namespace rv
