#include "filters/UnitChangeSize.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>
#include <limits>
#include <optional>
#include <stdexcept>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/GeometryCommands.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

TFormChangeSize* FormChangeSize = nullptr;

namespace {

QLineEdit* MakeSizeField(QWidget* parent, const char* name, int y) {
  auto* edit = new QLineEdit(QStringLiteral("1000"), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(92, y, 100, 22);
  // Digits arrive only through the keys the filter lets pass: no pasting,
  // dropping or composing of other text.
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  edit->setAcceptDrops(false);
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  return edit;
}

// The whole field as a size, or nothing when it is empty or too large to read.
std::optional<int> FieldNumber(const QLineEdit* field) {
  bool ok = false;
  const int v = field->text().toInt(&ok);
  return ok ? std::optional<int>(v) : std::nullopt;
}

}  // namespace

TFormChangeSize::TFormChangeSize(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormChangeSize"));
  ui::MakeToolWindow(this);
  setWindowTitle(QStringLiteral("Zmiana rozmiaru"));

  GroupBox1 = new QGroupBox(QStringLiteral("Informacje"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(8, 6, 244, 62);
  Label1 = new QLabel(QStringLiteral("Aktualna szerokość: "), GroupBox1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(12, 20, 224, 16);
  Label2 = new QLabel(QStringLiteral("Aktualna wysokość: "), GroupBox1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(12, 38, 224, 16);

  GroupBox2 = new QGroupBox(QStringLiteral("Ustal rozmiar"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(8, 74, 244, 104);
  Label3 = new QLabel(QStringLiteral("Szerokość:"), GroupBox2);
  Label3->setGeometry(12, 25, 78, 16);
  Width = MakeSizeField(GroupBox2, "Width", 22);
  Label4 = new QLabel(QStringLiteral("Wysokość:"), GroupBox2);
  Label4->setGeometry(12, 53, 78, 16);
  Height = MakeSizeField(GroupBox2, "Height", 50);
  Label3->setBuddy(Width);
  Label4->setBuddy(Height);
  Prop = new QCheckBox(QStringLiteral("Zachowaj proporcje"), GroupBox2);
  Prop->setObjectName(QStringLiteral("Prop"));
  Prop->setChecked(true);
  Prop->setGeometry(12, 78, 224, 20);
  for (QLineEdit* field : {Width, Height}) field->installEventFilter(this);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 186, 116, 26);
  Button2 = new QPushButton(QStringLiteral("Anuluj"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(136, 186, 116, 26);
  connect(Button1, &QPushButton::clicked, this, [this] { ApplyResize(); });
  connect(Button2, &QPushButton::clicked, this, [this] { reject(); });
  setFixedSize(260, 220);
}

void TFormChangeSize::ChangeSizeCommand() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  const Bitmap& work = FormImageHome->HomeImage.WorkImage;
  Label1->setText(QStringLiteral("Aktualna szerokość: ") + QString::number(work.Width()));
  Label2->setText(QStringLiteral("Aktualna wysokość: ") + QString::number(work.Height()));
  Width->setText(QString::number(work.Width()));
  Height->setText(QString::number(work.Height()));
  widthKeys_.clear();
  heightKeys_.clear();
  Width->setFocus();
  Width->selectAll();
  if (FormHome) {
    const QRect home = FormHome->geometry();
    move(home.center() - QPoint(width() / 2, height() / 2));
  }
  ui::RunDialog(this);
}

void TFormChangeSize::WidthKeyUp() {
  if (!Prop->isChecked() || !FormImageHome) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  if (const std::optional<int> w = FieldNumber(Width); w && doc.HasPicture())
    Height->setText(QString::number(ProportionalHeight(*w, doc.Width(), doc.Height())));
}

void TFormChangeSize::HeightKeyUp() {
  if (!Prop->isChecked() || !FormImageHome) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  if (const std::optional<int> h = FieldNumber(Height); h && doc.HasPicture())
    Width->setText(QString::number(ProportionalWidth(*h, doc.Width(), doc.Height())));
}

void TFormChangeSize::ApplyResize() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  if (Width->text().isEmpty() || Height->text().isEmpty()) {
    ui::ShowMessage(this, QStringLiteral("Brak wpisanych danych"));
    return;
  }
  // Digits only: a failed read is a number beyond any size (or beyond 64 bits).
  bool okW = false, okH = false;
  const qlonglong w = Width->text().toLongLong(&okW);
  const qlonglong h = Height->text().toLongLong(&okH);
  if ((okW && w <= 0) || (okH && h <= 0)) {
    ui::ShowMessage(this, QStringLiteral("Wielkości muszą być różne od zera"));
    return;
  }
  Bitmap resized;
  try {
    constexpr qlonglong kMax = std::numeric_limits<int>::max();
    if (!okW || !okH || w > kMax || h > kMax) throw std::length_error("size beyond a picture");
    resized = ResampleBilinear(doc.WorkImage, static_cast<int>(w), static_cast<int>(h));
  } catch (const std::exception&) {
    ui::ShowMessage(this, QStringLiteral("Nie mogłem zmienić rozmiaru"));
    return;
  }
  FormImageHome->ObrazDlaUsera->SetPicture(std::move(resized));
  doc.FreeMask();
  ReplaceDocumentPicture(QStringLiteral("Zmiana rozmiaru"));
  if (FormTools) FormTools->SelectTool(0);
  if (FormHome) FormHome->RestoreCleanDisplay();
  accept();
  doc.AllocateMask();
  if (FormTools) FormTools->SelectionKind = 0;
}

bool TFormChangeSize::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Width && watched != Height) return QDialog::eventFilter(watched, event);
  QSet<int>& pressed = watched == Width ? widthKeys_ : heightKeys_;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    pressed.insert(k);
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      ApplyResize();
      return true;
    }
    // Tab moves between the controls and Escape closes the dialog as Anuluj
    // does; neither is typed into the field.
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Escape || k == Qt::Key_Backspace) return false;
    const QString text = key->text();
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) return false;
    return true;  // every other key is discarded
  }
  if (event->type() == QEvent::KeyRelease && pressed.contains(static_cast<QKeyEvent*>(event)->key())) {
    if (watched == Width)
      WidthKeyUp();
    else
      HeightKeyUp();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace rv
