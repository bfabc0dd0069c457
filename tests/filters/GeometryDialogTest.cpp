// The geometry commands, the resize dialog, the picture and texture overlays
// and the colour, histogram and gradient dialogs, driven through both menus on
// the offscreen platform and compared with the batch command.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <sstream>

#include "app/StartUp.h"
#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "batch/BatchCommand.h"
#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "filters/FilterDialogs.h"
#include "filters/UnitChangeSize.h"
#include "filters/UnitImposition.h"
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "history/UnitHistory.h"
#include "support/FilterTestSupport.h"
#include "tools/UnitCanal.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {
namespace {

using test::Noise;

std::string Text(const QString& s) { return s.toStdString(); }
std::string Text(const QStringList& l) { return l.join(QStringLiteral(" | ")).toStdString(); }

QAction* Bar(const char* name) { return FormHome->Menus().Bar(QString::fromLatin1(name)); }
QAction* Hand(const char* name) { return FormHome->Menus().Hand(QString::fromLatin1(name)); }

class GeometryDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!FormHome) CreateWindows(false);
  }
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    FormTools->ResetColors();
    FormCanal->SelectChannel(0);
    ui::SetMessageSink([this](const QString& m) { messages_.append(m); });
  }
  void TearDown() override {
    ui::SetMessageSink({});
    ui::SetDialogRunner({});
    for (TFormFilter* d : FilterDialogs()) d->hide();
    FormChangeSize->hide();
    FormImposition->hide();
  }

  std::string Path(const char* name) const { return (dir_.path() + "/" + name).toStdString(); }

  // The picture as the open command makes it the document (history entry, fit, mask).
  void Open(const Bitmap& picture) {
    const std::string path = Path("open.bmp");
    WritePictureFile(picture, path);
    ASSERT_TRUE(FormImageHome->HomeImage.LoadFile(QString::fromStdString(path)));
    FormHome->EnableDocumentMenus();
  }

  // rastrovia-batch on the picture with these arguments after INPUT OUTPUT.
  Bitmap Batch(const Bitmap& in, const std::vector<std::string>& extra) {
    const std::string input = Path("batch-in.bmp"), output = Path("batch-out.bmp");
    WritePictureFile(in, input);
    std::vector<std::string> args = {input, output};
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream o, e;
    EXPECT_EQ(RunBatch(args, o, e), 0) << e.str();
    return LoadPictureFile(output);
  }

  // Modal windows are replaced by drive (the open dialog answers with file,
  // or is cancelled when file is empty); returns the windows in the order shown.
  QList<QDialog*> Drive(const std::function<void()>& command, const QString& file,
                        const std::function<void(QDialog*)>& drive = {}) {
    QList<QDialog*> shown;
    ui::SetDialogRunner([&](QDialog* d) {
      shown.append(d);
      if (auto* f = qobject_cast<QFileDialog*>(d)) {
        if (file.isEmpty()) return int(QDialog::Rejected);
        f->selectFile(file);
        return int(QDialog::Accepted);
      }
      d->show();
      if (drive) drive(d);
      return d->result();
    });
    command();
    ui::SetDialogRunner({});
    return shown;
  }

  static bool TitleIs(int index, const char* label) {
    return FormHistory->Entries[index].Title.startsWith(QString::fromUtf8(label) + QStringLiteral(" - nr:"));
  }

  QTemporaryDir dir_;
  QStringList messages_;
};

// The two windows that are not of the common design take their places in the start-up order.
TEST_F(GeometryDialogTest, ResizeAndChoiceWindowsAreMadeInTheirPlaces) {
  const QObjectList made = FormHome->children();
  auto at = [&](const QObject* w) { return made.indexOf(const_cast<QObject*>(w)); };
  ASSERT_GE(at(FormChangeSize), 0);
  EXPECT_LT(at(FormMozaic), at(FormChangeSize));
  EXPECT_LT(at(FormChangeSize), at(FormHue));
  EXPECT_LT(at(FormHeight), at(FormImposition));
  EXPECT_LT(at(FormImposition), at(FormFilterImPos));
  EXPECT_EQ(FormChangeSize->windowTitle(), QStringLiteral("Zmiana rozmiaru"));
  EXPECT_EQ(FormImposition->windowTitle(), QString::fromUtf8("Opcje nakładania obrazka"));
  EXPECT_EQ(FormFilterImPos->windowTitle(), QString::fromUtf8("Opcje nakładania obrazka"));
  EXPECT_EQ(FormTexture->windowTitle(), QString::fromUtf8("Opcje nakładania tekstury"));
  EXPECT_EQ(FormFilterImPos->PreviewHalfSize(), 400);
  EXPECT_EQ(FormTexture->PreviewHalfSize(), 400);
  EXPECT_FALSE(FormImposition->AutoDopasowanie->isChecked());
  EXPECT_TRUE(FormChangeSize->Prop->isChecked());
  EXPECT_EQ(FormChangeSize->Width->text(), QStringLiteral("1000"));
}

// ---- Mirrors and turns ----

struct TurnCase {
  const char* stem;
  const char* barItem;
  const char* handItem;
  const char* label;
  bool quarter;
};

void PrintTo(const TurnCase& c, std::ostream* os) { *os << c.stem; }

class TurnTest : public GeometryDialogTest, public ::testing::WithParamInterface<std::tuple<TurnCase, bool>> {};

TEST_P(TurnTest, MenuItemGivesTheBatchPictureEntryMaskAndFit) {
  const auto [c, fromHand] = GetParam();
  // Wider than the 700-pixel fit, so that a turn changes the display's shape.
  const Bitmap pic = Noise(750, 301, 41);
  Open(pic);
  CHomeImage& doc = FormImageHome->HomeImage;
  // A partial selection with a shape: mirrors keep both, quarter turns drop them.
  for (int y = 0; y < pic.Height(); ++y)
    for (int x = 0; x < pic.Width(); ++x) doc.SelectionMask.Set(x, y, static_cast<std::uint8_t>((x + 3 * y) % 101));
  const SelectionMask before = doc.SelectionMask;
  FormTools->SelectionKind = 2;
  const int entries = FormHistory->Count();

  (fromHand ? Hand(c.handItem) : Bar(c.barItem))->trigger();

  const Bitmap expected = Batch(pic, {"--filter", c.stem});
  EXPECT_TRUE(SameColors(doc.WorkImage, expected));
  EXPECT_EQ(doc.BackupImage, doc.WorkImage);
  EXPECT_EQ(doc.SnapshotImage, doc.WorkImage);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), doc.WorkImage);
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_TRUE(TitleIs(entries, c.label)) << Text(FormHistory->Entries.last().Title);
  EXPECT_EQ(FormHistory->Entries.last().Width, expected.Width());
  EXPECT_EQ(FormHistory->Entries.last().Height, expected.Height());
  EXPECT_EQ(doc.FileName, QString::fromStdString(Path("open.bmp")));
  // The display is fitted to the new picture.
  const QSize fit = FitDisplaySize(expected.Width(), expected.Height());
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->size(), fit);
  EXPECT_EQ(QSize(doc.DisplayWidth, doc.DisplayHeight), fit);
  if (c.quarter) {
    EXPECT_EQ(doc.SelectionMask, SelectionMask(301, 750, 100));
    EXPECT_EQ(FormTools->SelectionKind, 0);
  } else {
    EXPECT_EQ(doc.SelectionMask, before);
    EXPECT_EQ(FormTools->SelectionKind, 2);
  }
  FormTools->SelectionKind = 0;
}

INSTANTIATE_TEST_SUITE_P(
    Obracanie, TurnTest,
    ::testing::Combine(
        ::testing::Values(TurnCase{"FlipHorizontal", "N1801", "HandOdbicieHoryzontalne", "Odbicie horyzontalne", false},
                          TurnCase{"FlipVertical", "Odbiciewertyklane1", "HandOdbicieWertykalne", "Odbicie wertykalne",
                                   false},
                          TurnCase{"RotateRight", "Wprawo1", "HandWPrawo", "Obrót w prawo", true},
                          TurnCase{"RotateLeft", "Wlewo1", "HandWLewo", "Obrót w lewo", true},
                          TurnCase{"RotateFull", "Penyobrt1", "HandPelnyObrot", "Pełen obrót", false}),
        ::testing::Bool()));

TEST_F(GeometryDialogTest, RightThenLeftGivesTheFirstPictureWithEverythingSelected) {
  const Bitmap pic = Noise(5, 3, 8);
  Open(pic);
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.SelectionMask.Fill(0);
  doc.SelectionMask.Set(1, 1, 60);
  const int entries = FormHistory->Count();
  Bar("Wprawo1")->trigger();
  ASSERT_EQ(doc.Width(), 3);
  // The top row is the left column read from bottom to top.
  for (int x = 0; x < 3; ++x) EXPECT_EQ(doc.WorkImage.At(x, 0) & 0xFFFFFFu, pic.At(0, 2 - x) & 0xFFFFFFu) << x;
  Hand("HandWLewo")->trigger();
  EXPECT_TRUE(SameColors(doc.WorkImage, pic));
  EXPECT_EQ(doc.SelectionMask, SelectionMask(5, 3, 100));
  ASSERT_EQ(FormHistory->Count(), entries + 2);
  EXPECT_TRUE(TitleIs(entries, "Obrót w prawo"));
  EXPECT_TRUE(TitleIs(entries + 1, "Obrót w lewo"));
}

// ---- The resize dialog ----

// Drives the resize dialog once it is shown; returns whether it was.
bool WithResizeDialog(const std::function<void(TFormChangeSize*)>& drive, QAction* item = nullptr) {
  bool shown = false;
  ui::SetDialogRunner([&](QDialog* d) {
    EXPECT_EQ(d, FormChangeSize);
    shown = true;
    d->show();
    drive(FormChangeSize);
    return d->result();
  });
  if (item)
    item->trigger();
  else
    FormHome->Menus().Run(QStringLiteral("TFormChangeSize"));
  ui::SetDialogRunner({});
  return shown;
}

struct FieldCase {
  int w, h;
  bool prop;
  bool inWidth;      // the keys go to Width, else to Height
  const char* start;  // the field's text before the keys
  const char* keys;   // typed one by one; '<' is Backspace, '^' is Ctrl+V
  const char* width;  // both fields afterwards
  const char* height;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.w << "x" << c.h << (c.prop ? " prop" : "") << (c.inWidth ? " Width" : " Height") << " '" << c.start
      << "' + '" << c.keys << "'";
}

class FieldTest : public GeometryDialogTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(FieldTest, KeysAndProportions) {
  const FieldCase c = GetParam();
  Open(Bitmap(c.w, c.h, MakePixel(10, 20, 30)));
  QApplication::clipboard()->setText(QStringLiteral("777"));
  ASSERT_TRUE(WithResizeDialog([&](TFormChangeSize* d) {
    EXPECT_EQ(d->Label1->text(), QString::fromUtf8("Aktualna szerokość: %1").arg(c.w));
    EXPECT_EQ(d->Label2->text(), QString::fromUtf8("Aktualna wysokość: %1").arg(c.h));
    EXPECT_EQ(d->Width->text(), QString::number(c.w));
    EXPECT_EQ(d->Height->text(), QString::number(c.h));
    d->Prop->setChecked(c.prop);
    QLineEdit* field = c.inWidth ? d->Width : d->Height;
    field->setText(QString::fromLatin1(c.start));
    field->setFocus();
    for (const char* k = c.keys; *k; ++k) {
      if (*k == '<')
        QTest::keyClick(field, Qt::Key_Backspace);
      else if (*k == '^')
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      else
        QTest::keyClick(field, *k);
    }
    EXPECT_EQ(d->Width->text(), QString::fromLatin1(c.width));
    EXPECT_EQ(d->Height->text(), QString::fromLatin1(c.height));
    d->Button2->click();
  }));
  FormChangeSize->Prop->setChecked(true);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldTest,
    ::testing::Values(
        FieldCase{200, 100, true, true, "", "50", "50", "25"},
        // 500 * 333 div 1000, from the sizes themselves (not a whole-percent ratio).
        FieldCase{1000, 333, true, true, "", "500", "500", "166"},
        FieldCase{6000, 4000, true, true, "", "3000", "3000", "2000"},
        FieldCase{200, 100, true, false, "", "40", "80", "40"},
        FieldCase{200, 100, false, true, "", "50", "50", "100"},
        // Letters, signs, spaces and pasting are discarded; Backspace is not.
        FieldCase{200, 100, true, true, "", "5a-0 .", "50", "25"},
        FieldCase{200, 100, true, true, "", "^", "", "100"},
        FieldCase{200, 100, true, true, "300", "<", "30", "15"},
        // An emptied field leaves the other as it was.
        FieldCase{200, 100, true, true, "", "4<", "", "2"},
        // A number too large to read leaves the other at its last value.
        FieldCase{200, 100, true, true, "", "99999999999", "99999999999", "499999999"}));

struct MessageCase {
  const char* width;
  const char* height;
  const char* message;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << "'" << c.width << "' x '" << c.height << "'"; }

class ResizeMessageTest : public GeometryDialogTest, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(ResizeMessageTest, RefusalShowsItsMessageAndChangesNothing) {
  const MessageCase c = GetParam();
  const Bitmap pic = Noise(40, 30, 3);
  Open(pic);
  const int entries = FormHistory->Count();
  ASSERT_TRUE(WithResizeDialog([&](TFormChangeSize* d) {
    d->Width->setText(QString::fromLatin1(c.width));
    d->Height->setText(QString::fromLatin1(c.height));
    d->Button1->click();
    EXPECT_TRUE(d->isVisible());
    d->Button2->click();
  }));
  EXPECT_EQ(messages_, QStringList{QString::fromUtf8(c.message)});
  const CHomeImage& doc = FormImageHome->HomeImage;
  EXPECT_EQ(doc.WorkImage, pic);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), pic);
  EXPECT_EQ(FormHistory->Count(), entries);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ResizeMessageTest,
    ::testing::Values(MessageCase{"", "30", "Brak wpisanych danych"}, MessageCase{"40", "", "Brak wpisanych danych"},
                      MessageCase{"0", "30", "Wielkości muszą być różne od zera"},
                      MessageCase{"40", "000", "Wielkości muszą być różne od zera"},
                      // Beyond what a picture may hold, and beyond any number.
                      MessageCase{"100000", "100000", "Nie mogłem zmienić rozmiaru"},
                      MessageCase{"99999999999999999999999", "30", "Nie mogłem zmienić rozmiaru"}));

TEST_F(GeometryDialogTest, ResizeFromBothMenusGivesTheBatchPicture) {
  const Bitmap pic = Noise(301, 203, 5);
  const Bitmap expected = Batch(pic, {"--filter", "Resize", "--set", "Width=150", "--set", "Height=101"});
  for (QAction* item : {Bar("Zmierozmiar1"), Hand("HandZmienRozmiar")}) {
    Open(pic);
    CHomeImage& doc = FormImageHome->HomeImage;
    doc.SelectionMask.Fill(30);
    FormTools->SelectionKind = 1;
    FormTools->SelectTool(28);
    const int entries = FormHistory->Count();
    ASSERT_TRUE(WithResizeDialog(
        [](TFormChangeSize* d) {
          d->Width->setText(QString());
          for (char k : std::string("150")) QTest::keyClick(d->Width, k);
          // 150 * 203 div 301.
          EXPECT_EQ(d->Height->text(), QStringLiteral("101"));
          d->Height->setText(QStringLiteral("10"));
          QTest::keyClick(d->Height, '1');  // the width follows: 101 * 301 div 203
          EXPECT_EQ(d->Width->text(), QStringLiteral("149"));
          d->Prop->setChecked(false);
          d->Width->setText(QStringLiteral("15"));
          QTest::keyClick(d->Width, '0');
          EXPECT_EQ(d->Height->text(), QStringLiteral("101"));
          d->Button1->click();
          EXPECT_FALSE(d->isVisible());
        },
        item));
    EXPECT_TRUE(SameColors(doc.WorkImage, expected));
    EXPECT_EQ(doc.BackupImage, doc.WorkImage);
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), doc.WorkImage);
    EXPECT_EQ(doc.SelectionMask, SelectionMask(150, 101, 100));
    EXPECT_EQ(FormTools->SelectionKind, 0);
    EXPECT_EQ(FormTools->ToolId, 0);
    EXPECT_EQ(QSize(doc.DisplayWidth, doc.DisplayHeight), QSize(150, 101));
    ASSERT_EQ(FormHistory->Count(), entries + 1);
    EXPECT_TRUE(TitleIs(entries, "Zmiana rozmiaru"));
    EXPECT_TRUE(messages_.isEmpty()) << Text(messages_);
    FormChangeSize->Prop->setChecked(true);
  }
}

TEST_F(GeometryDialogTest, EnterInAFieldResizesAndAnulujChangesNothing) {
  const Bitmap pic = Noise(60, 40, 9);
  Open(pic);
  const int entries = FormHistory->Count();
  ASSERT_TRUE(WithResizeDialog([](TFormChangeSize* d) {
    // The release of the opening shortcut (Ctrl+H) reaches the focused field
    // but is no key typed there: 60 * 66 div 100 would give 39.
    QTest::keyRelease(d->Width, Qt::Key_H, Qt::ControlModifier);
    QTest::keyRelease(d->Width, Qt::Key_Control);
    EXPECT_EQ(d->Height->text(), QStringLiteral("40"));
    d->Width->setText(QStringLiteral("1"));
    d->Button2->click();
    EXPECT_FALSE(d->isVisible());
  }));
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
  // Reopened, the fields show the current size again, and "Zachowaj proporcje" keeps its state.
  FormChangeSize->Prop->setChecked(false);
  ASSERT_TRUE(WithResizeDialog([](TFormChangeSize* d) {
    EXPECT_EQ(d->Width->text(), QStringLiteral("60"));
    EXPECT_FALSE(d->Prop->isChecked());
    d->Height->setText(QStringLiteral("20"));
    QTest::keyClick(d->Height, Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
  }));
  EXPECT_EQ(FormImageHome->HomeImage.Width(), 60);
  EXPECT_EQ(FormImageHome->HomeImage.Height(), 20);
  EXPECT_EQ(FormHistory->Count(), entries + 1);
  FormChangeSize->Prop->setChecked(true);
}

// ---- Picture overlay ----

struct OverlayCase {
  bool fit;
  int osieX, osieY;
  int tryb, transparency;
};

void PrintTo(const OverlayCase& c, std::ostream* os) {
  *os << (c.fit ? "fit " : "") << c.osieX << "," << c.osieY << " tryb " << c.tryb << " t " << c.transparency;
}

class OverlayTest : public GeometryDialogTest, public ::testing::WithParamInterface<OverlayCase> {};

TEST_P(OverlayTest, OkGivesTheBatchPictureAndThePreviewShowsIt) {
  const OverlayCase c = GetParam();
  const Bitmap pic = Noise(301, 203, 12);
  const Bitmap ov = Noise(120, 90, 13);
  const std::string ovFile = Path("overlay.bmp");
  WritePictureFile(ov, ovFile);
  const Bitmap expected =
      Batch(pic, {"--filter", "Imposition", "--overlay", ovFile, "--set", "AutoDopasowanie=" + std::to_string(c.fit),
                  "--set", "OsieX=" + std::to_string(c.osieX), "--set", "OsieY=" + std::to_string(c.osieY), "--tryb",
                  std::to_string(c.tryb), "--przezroczystosc", std::to_string(c.transparency)});
  Open(pic);
  const int entries = FormHistory->Count();
  FormImposition->AutoDopasowanie->setChecked(c.fit);
  const QList<QDialog*> shown = Drive([] { Bar("Nakadanieobrazka1")->trigger(); }, QString::fromStdString(ovFile),
                                      [&](QDialog* d) {
    if (d == FormImposition) {
      FormImposition->OK->click();
      EXPECT_FALSE(FormImposition->isVisible());
      return;
    }
    ASSERT_EQ(d, FormFilterImPos);
    TFormFilterImPos* f = FormFilterImPos;
    const int ow = c.fit ? 301 : 120, oh = c.fit ? 203 : 90;
    EXPECT_EQ(f->Bar("OsieX")->Min(), -ow);
    EXPECT_EQ(f->Bar("OsieX")->Max(), 301);
    EXPECT_EQ(f->Bar("OsieY")->Min(), -oh);
    EXPECT_EQ(f->Bar("OsieY")->Position(), 0);
    // A picture under 800 pixels pans nowhere: the region is all of it.
    EXPECT_EQ(f->OSX->Position(), 400);
    EXPECT_EQ(f->OSY->Position(), 400);
    f->Tryb->setCurrentIndex(c.tryb);
    f->Przezroczystosc->SetPosition(c.transparency);
    // A first position elsewhere: moving on must not leave its pixels behind.
    f->Bar("OsieX")->SetPosition(40);
    f->Bar("OsieX")->SetPosition(c.osieX);
    f->Bar("OsieY")->SetPosition(c.osieY);
    EXPECT_EQ(f->ValueLabel("OsieX")->text(), QString::number(c.osieX));
    EXPECT_TRUE(SameColors(f->ImageViewUser->Picture(), expected));
    f->OK->click();
  });
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[0], FormImposition);
  EXPECT_TRUE(qobject_cast<QFileDialog*>(shown[1]));
  EXPECT_EQ(shown[2], FormFilterImPos);
  EXPECT_TRUE(SameColors(FormImageHome->HomeImage.WorkImage, expected));
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_TRUE(TitleIs(entries, "Nakładanie obrazka"));
  FormFilterImPos->Tryb->setCurrentIndex(0);
  FormFilterImPos->Przezroczystosc->SetPosition(100);
  FormImposition->AutoDopasowanie->setChecked(false);
}

INSTANTIATE_TEST_SUITE_P(Imposition, OverlayTest,
                         ::testing::Values(OverlayCase{false, 10, 20, 0, 100}, OverlayCase{true, 0, 0, 0, 100},
                                           // Covers nothing, yet OK records the entry.
                                           OverlayCase{false, -120, 0, 0, 100},
                                           OverlayCase{false, 250, 150, 3, 70}));

TEST_F(GeometryDialogTest, OverlayPreviewOfALargePictureSitsAtItsPicturePosition) {
  const Bitmap pic = Noise(1000, 900, 14);
  const Bitmap ov = Noise(300, 200, 15);
  const std::string ovFile = Path("overlay.EMF");
  WritePictureFile(ov, ovFile);  // read back through the metafile loader
  const Bitmap expected =
      Batch(pic, {"--filter", "Imposition", "--overlay", ovFile, "--set", "OsieX=250", "--set", "OsieY=380"});
  Open(pic);
  Drive([] { Hand("HandNakladanieObrazka")->trigger(); }, QString::fromStdString(ovFile), [&](QDialog* d) {
    if (d == FormImposition) {
      FormImposition->OK->click();
      return;
    }
    TFormFilterImPos* f = FormFilterImPos;
    EXPECT_EQ(f->Bar("OsieX")->Min(), -LoadPictureFile(ovFile).Width());
    f->Bar("OsieX")->SetPosition(250);
    f->Bar("OsieY")->SetPosition(380);
    // Centre (500, 450): the region starts at (100, 50).
    EXPECT_TRUE(SameColors(f->ImageViewUser->Picture(), expected.Copy(100, 50, 800, 800)));
    f->OSX->SetPosition(600);
    f->Przezroczystosc->SetPosition(99);
    f->Przezroczystosc->SetPosition(100);
    EXPECT_TRUE(SameColors(f->ImageViewUser->Picture(), expected.Copy(200, 50, 800, 800)));
    f->OK->click();
  });
  EXPECT_TRUE(SameColors(FormImageHome->HomeImage.WorkImage, expected));
}

TEST_F(GeometryDialogTest, OverlayChoiceCancelledOrFailedOpensNoDialog) {
  const Bitmap pic = Noise(50, 40, 16);
  Open(pic);
  const int entries = FormHistory->Count();
  // Anuluj of the choice window.
  QList<QDialog*> shown = Drive([] { Bar("Nakadanieobrazka1")->trigger(); }, QStringLiteral("x"),
                                [](QDialog*) { FormImposition->Anuluj->click(); });
  EXPECT_EQ(shown, QList<QDialog*>{FormImposition});
  // No file chosen: nothing happens, no message.
  shown = Drive([] { Bar("Nakadanieobrazka1")->trigger(); }, QString(), [](QDialog* d) {
    if (d == FormImposition) {
      FormImposition->OK->click();
      EXPECT_TRUE(FormImposition->isVisible());
      FormImposition->Anuluj->click();
    }
  });
  EXPECT_EQ(shown.size(), 2);
  EXPECT_TRUE(messages_.isEmpty());
  // A file that is no picture.
  const QString junk = dir_.path() + "/junk.bmp";
  QFile f(junk);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a picture");
  f.close();
  shown = Drive([] { Bar("Nakadanieobrazka1")->trigger(); }, junk, [](QDialog* d) {
    if (d == FormImposition) {
      FormImposition->OK->click();
      FormImposition->Anuluj->click();
    }
  });
  EXPECT_FALSE(shown.contains(FormFilterImPos));
  EXPECT_EQ(messages_, QStringList{QString::fromUtf8("Nie mogłem wczytać obrazka")});
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
}

// A cancelled full run keeps the overlay dialog open; Anuluj then closes it.
TEST_F(GeometryDialogTest, OverlayDialogsCancelAndAnulujChangeNothing) {
  const Bitmap pic = Noise(50, 40, 17);
  const std::string ovFile = Path("overlay.bmp");
  WritePictureFile(Noise(20, 20, 18), ovFile);
  Open(pic);
  const int entries = FormHistory->Count();
  auto cancelThenAnuluj = [&](TFormFilter* f) {
    const auto conn = QObject::connect(f->Progress, &QProgressBar::valueChanged, f, [f](int v) {
      if (v == 5) QTimer::singleShot(0, f, [f] { f->Cancel2Click(); });
    });
    f->OK->click();
    QObject::disconnect(conn);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
    f->Anuluj->click();
  };
  Drive([] { Bar("Nakadanieobrazka1")->trigger(); }, QString::fromStdString(ovFile), [&](QDialog* d) {
    if (d == FormImposition)
      FormImposition->OK->click();
    else
      cancelThenAnuluj(FormFilterImPos);
  });
  EXPECT_FALSE(FormFilterImPos->isVisible());
  Drive([] { Hand("HandNakladanieTekstury")->trigger(); }, QString::fromStdString(ovFile),
        [&](QDialog*) { cancelThenAnuluj(FormTexture); });
  EXPECT_FALSE(FormTexture->isVisible());
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
}

// ---- Texture ----

struct TextureCase {
  int power;
  bool mono;
  int tryb, typeBox;
  bool fromHand;
};

void PrintTo(const TextureCase& c, std::ostream* os) {
  *os << "Power " << c.power << (c.mono ? " mon" : "") << " tryb " << c.tryb << " typebox " << c.typeBox;
}

class TextureTest : public GeometryDialogTest, public ::testing::WithParamInterface<TextureCase> {};

TEST_P(TextureTest, OkGivesTheBatchPicture) {
  const TextureCase c = GetParam();
  const Bitmap pic = Noise(301, 203, 19);
  const Bitmap tex = Noise(150, 100, 20);
  const std::string texFile = Path("texture.bmp");
  WritePictureFile(tex, texFile);
  const Bitmap expected =
      Batch(pic, {"--filter", "Texture", "--overlay", texFile, "--set", "Power=" + std::to_string(c.power), "--set",
                  "mon=" + std::to_string(c.mono), "--tryb", std::to_string(c.tryb), "--typebox",
                  std::to_string(c.typeBox)});
  Open(pic);
  const int entries = FormHistory->Count();
  const QList<QDialog*> shown =
      Drive([&] { (c.fromHand ? Hand("HandNakladanieTekstury") : Bar("Nakadanietekstury1"))->trigger(); },
            QString::fromStdString(texFile), [&](QDialog* d) {
              ASSERT_EQ(d, FormTexture);
              TFormTexture* t = FormTexture;
              // Measured once, on the texture stretched over the picture.
              const Rgb mean = MeasureTextureMean(ResampleBilinear(tex, 301, 203));
              EXPECT_EQ(t->TextureMean.r, mean.r);
              EXPECT_EQ(t->TextureMean.g, mean.g);
              EXPECT_EQ(t->TextureMean.b, mean.b);
              EXPECT_EQ(FormImposition->ImPos->PictureWidth(), 301);
              t->Bar("Power")->SetPosition(c.power);
              if (t->Box("mon")->isChecked() != c.mono) t->Box("mon")->click();
              t->Tryb->setCurrentIndex(c.tryb);
              t->TypeBox->setCurrentIndex(c.typeBox);
              EXPECT_TRUE(SameColors(t->ImageViewUser->Picture(), expected));
              t->OK->click();
            });
  ASSERT_EQ(shown.size(), 2);
  EXPECT_TRUE(SameColors(FormImageHome->HomeImage.WorkImage, expected));
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_TRUE(TitleIs(entries, "Nakładanie tekstury"));
  FormTexture->ApplySettings(FilterSettings(FormTexture->Decl()));
  FormTexture->Tryb->setCurrentIndex(0);
  FormTexture->TypeBox->setCurrentIndex(0);
}

INSTANTIATE_TEST_SUITE_P(Texture, TextureTest,
                         ::testing::Values(TextureCase{100, false, 0, 0, false}, TextureCase{230, true, 0, 0, true},
                                           TextureCase{60, false, 3, 14, false}, TextureCase{0, true, 0, 5, true}));

TEST_F(GeometryDialogTest, TextureCancelledOrFailedOpensNoDialog) {
  const Bitmap pic = Noise(50, 40, 21);
  Open(pic);
  const int entries = FormHistory->Count();
  QList<QDialog*> shown = Drive([] { Bar("Nakadanietekstury1")->trigger(); }, QString());
  EXPECT_EQ(shown.size(), 1);
  EXPECT_TRUE(messages_.isEmpty());
  const QString junk = dir_.path() + "/junk.wmf";  // the metafile loader's spelling
  QFile f(junk);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a metafile at all");
  f.close();
  shown = Drive([] { Hand("HandNakladanieTekstury")->trigger(); }, junk);
  EXPECT_EQ(shown.size(), 1);
  EXPECT_EQ(messages_, QStringList{QString::fromUtf8("Nie wybrano odpowiednio tekstury")});
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
}

// The texture is measured with the event loop running once per row; no
// command of the menus may start meanwhile.
TEST_F(GeometryDialogTest, TextureMeasureKeepsTheMenusWaiting) {
  Open(Noise(40, 30, 24));
  const std::string texFile = Path("texture.bmp");
  WritePictureFile(Noise(40, 30, 25), texFile);
  int checks = 0;
  bool enabledDuring = true;
  QTimer::singleShot(0, [&] {
    ++checks;
    enabledDuring = FormHome->Menus().EffectivelyEnabled(Bar("Nakadanietekstury1"));
  });
  Drive([] { Bar("Nakadanietekstury1")->trigger(); }, QString::fromStdString(texFile), [&](QDialog*) {
    EXPECT_EQ(checks, 1);
    FormTexture->Anuluj->click();
  });
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(FormHome->Menus().EffectivelyEnabled(Bar("Nakadanietekstury1")));
}

// ---- The colour, histogram, gradient and alignment dialogs ----

struct PlainCase {
  const char* stem;
  const char* menu;     // the menu bar's caption
  const char* caption;  // the dialog's
  const char* label;    // the history entry's
  int half;             // PreviewHalfSize
};

void PrintTo(const PlainCase& c, std::ostream* os) { *os << c.stem; }

class PlainDialogTest : public GeometryDialogTest, public ::testing::WithParamInterface<PlainCase> {};

// From one menu Anuluj, from the other a cancelled run and then OK, which
// gives the batch command's picture under the dialog's label.
TEST_P(PlainDialogTest, BothMenusAnulujCancelAndOk) {
  const PlainCase c = GetParam();
  const std::string stem = c.stem;
  TFormFilter* dialog = nullptr;
  for (TFormFilter* f : FilterDialogs())
    if (stem == f->Decl().Stem) dialog = f;
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog->windowTitle()), c.caption);
  EXPECT_EQ(dialog->PreviewHalfSize(), c.half);
  const Bitmap pic = Noise(211, 157, 22);
  Open(pic);
  const CHomeImage& doc = FormImageHome->HomeImage;
  const int entries = FormHistory->Count();
  const QList<QAction*> items = FormHome->Menus().ItemsFor(QString::fromLatin1(dialog->Decl().DialogClass));
  ASSERT_EQ(items.size(), 2);
  EXPECT_TRUE(Text(MenuTree::Caption(items[0])) == c.menu || Text(MenuTree::Caption(items[1])) == c.menu);

  QList<QDialog*> shown = Drive([&] { items[1]->trigger(); }, QString(), [&](QDialog*) { dialog->Anuluj->click(); });
  EXPECT_EQ(shown, QList<QDialog*>{dialog});
  EXPECT_EQ(doc.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);

  shown = Drive([&] { items[0]->trigger(); }, QString(), [&](QDialog*) {
    const auto conn = QObject::connect(dialog->Progress, &QProgressBar::valueChanged, dialog, [dialog](int v) {
      if (v == 5) QTimer::singleShot(0, dialog, [dialog] { dialog->Cancel2Click(); });
    });
    dialog->OK->click();
    QObject::disconnect(conn);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(doc.WorkImage, pic);
    EXPECT_EQ(FormHistory->Count(), entries);
    dialog->OK->click();
  });
  EXPECT_EQ(shown, QList<QDialog*>{dialog});
  EXPECT_FALSE(dialog->isVisible());
  const Bitmap expected = Batch(pic, {"--filter", stem});
  EXPECT_TRUE(SameColors(doc.WorkImage, expected));
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_TRUE(TitleIs(entries, c.label)) << Text(FormHistory->Entries.last().Title);
}

INSTANTIATE_TEST_SUITE_P(
    Families, PlainDialogTest,
    ::testing::Values(
        PlainCase{"BalanceColor", "Balans kolorów...", "Balans kolorów", "Balans kolorów", 400},
        PlainCase{"Saturation", "Nasycenie...", "Opcje nasycenia", "Nasycenie", 400},
        PlainCase{"GrayFilter", "Skala szarości...", "Opcje szarości", "Skala szarości", 400},
        PlainCase{"Sepia", "Sepia...", "Opcje sepii", "Sepia", 400},
        PlainCase{"Hue", "Barwa...", "Opcje barwy", "Zmiana barwy", 200},
        PlainCase{"Selective", "Kolor selektywny...", "Kolor selektywny", "Kolor selektywny", 300},
        PlainCase{"Shadow", "Korekcja cieni / świateł...", "Opcje cienia / światła", "Korekcja cieni/świateł", 400},
        PlainCase{"Layer", "Nałóż warstwę...", "Opcje warstwy", "Nałóż warstwę", 400},
        PlainCase{"Extension", "Rozciąganie histogramu...", "Opcje rozciągania histogramu", "Rozciąganie histogramu",
                  400},
        // The equalisation records the stretching's label.
        PlainCase{"Aligment", "Wyrównanie histogramu...", "Opcje wyrównania histogramu", "Rozciąganie histogramu",
                  400},
        PlainCase{"GradientWidth", "Gradient poziomy...", "Opcje poziomego gradientu", "Gradient poziomy", 400},
        PlainCase{"GradientPoint", "Gradient promienisty...", "Opcje promienistego gradientu", "Gradient promienisty",
                  400},
        PlainCase{"Width", "Wyrównanie wertykalne...", "Opcje wyrównania wertykalnego", "Wyrównanie wertykalne", 300},
        PlainCase{"Height", "Wyrównanie horyzontalne...", "Opcje wyrównania horyzontalnego", "Wyrównanie horyzontalne",
                  300}));

TEST_F(GeometryDialogTest, OnlyTheHorizontalAlignmentPreviewsOnItsCropBox) {
  Open(Noise(100, 80, 23));
  for (const char* cls : {"TFormWidth", "TFormHeight"}) {
    TFormFilter* d = nullptr;
    for (TFormFilter* f : FilterDialogs())
      if (std::string(f->Decl().DialogClass) == cls) d = f;
    ASSERT_NE(d, nullptr);
    Drive([&] { FormHome->Menus().Run(QString::fromLatin1(cls)); }, QString(), [&](QDialog*) {
      const int runs = d->PreviewRuns();
      d->Box("AutoFram")->click();
      d->Box("AutoFram")->click();
      EXPECT_EQ(d->PreviewRuns() - runs, std::string(cls) == "TFormHeight" ? 2 : 0) << cls;
      d->Anuluj->click();
    });
  }
}

}  // namespace
}  // namespace rv
