// The filter dialog on the offscreen platform: the preview pan, dragging,
// linked sliders, the full run with its cancel and commit, and the full run
// against the batch command.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sstream>

#include "app/StartUp.h"
#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "batch/BatchCommand.h"
#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "filters/FilterDialogs.h"
#include "history/UnitHistory.h"
#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/ToneKernels.h"
#include "support/FilterTestSupport.h"
#include "tools/UnitCanal.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {
namespace {

using test::Noise;

void OpenPicture(const Bitmap& picture) {
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.AssignPicture(picture, QStringLiteral("test.bmp"));
  doc.AllocateMask();
  FormImageHome->ShowOnDisplay(picture);
}

// Opens the dialog through its menu command; the modal part is replaced by
// drive, which gets the shown dialog.
void OpenDialog(TFormFilter* d, const std::function<void(TFormFilter*)>& drive = {}) {
  ui::SetDialogRunner([d, drive](QDialog* shown) {
    EXPECT_EQ(shown, d);
    d->show();
    if (drive) drive(d);
    return d->result();
  });
  ASSERT_TRUE(FormHome->Menus().Run(QString::fromLatin1(d->Decl().DialogClass)));
  ui::SetDialogRunner({});
}

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
  const QPoint local(w->width() / 2, w->height() / 2);
  QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

class FilterDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!FormHome) CreateWindows(false);
  }
  void SetUp() override {
    FormTools->ResetColors();
    FormCanal->SelectChannel(0);
  }
  void TearDown() override {
    for (TFormFilter* d : FilterDialogs()) d->hide();
  }
};

TEST_F(FilterDialogTest, DialogsExistInOrderAndTheirItemsAreConnected) {
  // The start-up order of the filter dialogs (the resize and picture-choice
  // windows are not of this design); the welcome screen sits before the last five.
  const QStringList order = {
      "TFormFill",       "TFormLight",       "TFormDark",          "TFormContrast",   "TFormGamma",
      "TFormBalanceColor", "TFormSaturaton", "TFormGrayFilter",    "TFormExposure",   "TFormHold",
      "TFormPosterize",  "TFormNegativ",     "TFormNoise",         "TFormBlurFilter", "TFormMin",
      "TFormMax",        "TFormShadow",      "TFormLayer",         "TFormSelective",  "TFormDeleteNoise",
      "TFormSulfur",     "TFormScreening",   "TFormWind",          "TFormDif",        "TFormSepia",
      "TFormVignette",   "TFormMozaic",      "TFormHue",           "TFormWidth",      "TFormHeight",
      "TFormFilterImPos", "TFormTexture",    "TFormShift",         "TFormWetPaper",   "TFormHeave",
      "TFormAnalg",      "TFormFrag",        "TFormBreak",         "TFormMedian",     "TFormEdges",
      "TFormHP",         "TFormEdgesGradient", "TFormDomed",       "TFormLaplace",    "TFormContours",
      "TFormFeather",    "TFormExtension",   "TFormAligment",      "TFormPatchwork",  "TFormGradientWidth",
      "TFormGradientPoint"};
  QStringList made;
  for (TFormFilter* d : FilterDialogs()) made.append(QString::fromLatin1(d->Decl().DialogClass));
  QStringList expected;
  for (const QString& c : order)
    if (FindDialogDecl(c.toLatin1().constData())) expected.append(c);
  EXPECT_EQ(made, expected);
  for (const char* tone : {"TFormFill", "TFormContrast", "TFormHold", "TFormNegativ"})
    EXPECT_TRUE(made.contains(QString::fromLatin1(tone))) << tone;
  // With a picture every item of both menus opens its dialog.
  FormHome->EnableDocumentMenus();
  for (const QString& c : made) {
    if (c == "TFormFilterImPos" || c == "TFormTexture") continue;  // opened by their overlay commands
    EXPECT_TRUE(FormHome->Menus().IsConnected(c)) << c.toStdString();
    EXPECT_EQ(FormHome->Menus().ItemsFor(c).size(), 2) << c.toStdString();
    for (QAction* item : FormHome->Menus().ItemsFor(c)) EXPECT_TRUE(item->isEnabled()) << c.toStdString();
  }
}

// A dialog of two linked bars and a free one, and one without a preview.
const FilterDecl& TwoBarDecl() {
  static const FilterDecl decl{
      .Stem = "TestTwoBars",
      .DialogClass = "TFormTestTwoBars",
      .MenuCaption = "Test...",
      .DialogCaption = "Opcje testu",
      .HistoryLabel = "Test",
      .PreviewHalfSize = 100,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls = {Track("CanalR", "Kanał czerwony", 0, 255, 127, "Scal"),
                   Track("CanalG", "Kanał zielony", 0, 255, 127, "Scal"), Link("Scal", true),
                   Track("Rozpietosc", "Rozpiętość", 1, 255, 127)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyLight(a, v.Get("CanalR"), v.Get("CanalG"), 0); },
      .Summary = "",
  };
  return decl;
}

const FilterDecl& NoPreviewDecl() {
  static const FilterDecl decl{
      .Stem = "TestNoPreview",
      .DialogClass = "TFormTestNoPreview",
      .MenuCaption = "Test...",
      .DialogCaption = "Opcje testu",
      .HistoryLabel = "Test bez podglądu",
      .PreviewHalfSize = 0,
      .HasTryb = false,
      .HasTypeBox = false,
      .HasTransparency = false,
      .Controls = {Track("Power", "Moc:", 2, 60, 4)},
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyNegativ(a, v.Get("Power"), 255, 255); },
      .Summary = "",
  };
  return decl;
}

TEST_F(FilterDialogTest, TwoLinkedBarsRunOnePreviewAndTheFreeBarItsOwn) {
  OpenPicture(Noise(300, 300, 14));
  TFormFilter d(TwoBarDecl(), FormHome);
  ui::SetDialogRunner([&](QDialog*) {
    for (const char* moved : {"CanalR", "CanalG"}) {
      const int runs = d.PreviewRuns();
      d.Bar(moved)->SetPosition(d.Bar(moved)->Position() + 20);
      EXPECT_EQ(d.PreviewRuns(), runs + 1) << moved;
      EXPECT_EQ(d.Bar("CanalR")->Position(), d.Bar("CanalG")->Position());
    }
    const int runs = d.PreviewRuns();
    d.Bar("Rozpietosc")->SetPosition(3);
    EXPECT_EQ(d.PreviewRuns(), runs + 1);
    EXPECT_EQ(d.Bar("CanalR")->Position(), 167);
    d.CancelFilterDialog();
    return 0;
  });
  d.FilterCommand();
  ui::SetDialogRunner({});
}

TEST_F(FilterDialogTest, DialogWithoutPreviewIsTheColumnAndStillCommits) {
  const Bitmap pic = Noise(120, 90, 15);
  OpenPicture(pic);
  const int entries = FormHistory->Count();
  TFormFilter d(NoPreviewDecl(), FormHome);
  EXPECT_EQ(d.width(), 280);
  EXPECT_FALSE(d.PanelPreview->isVisibleTo(&d));
  EXPECT_EQ(d.Tryb, nullptr);
  EXPECT_EQ(d.Przezroczystosc, nullptr);
  ui::SetDialogRunner([&](QDialog*) {
    d.show();
    EXPECT_EQ(d.PreviewRuns(), 0);
    d.Bar("Power")->SetPosition(10);
    EXPECT_EQ(d.PreviewRuns(), 0);
    d.OK->click();
    return d.result();
  });
  d.FilterCommand();
  ui::SetDialogRunner({});
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, test::RunFull(test::Run("Negativ", {{"Scal", 0}, {"CanalR", 10}}), pic));
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_EQ(FormHistory->Entries.last().Title, QString::fromUtf8("Test bez podglądu - nr: %1").arg(entries));
}

TEST_F(FilterDialogTest, ContrastLayout) {
  TFormContrast* d = FormContrast;
  EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Opcje kontrastu"));
  EXPECT_EQ(d->size(), QSize(681, 419));
  EXPECT_EQ(d->PanelPreview->geometry(), QRect(0, 0, 401, 401));
  EXPECT_EQ(d->ImageViewUser->size(), QSize(391, 391));
  EXPECT_EQ(d->ScrollBox2->geometry().left(), 401);
  EXPECT_EQ(d->ScrollBox2->width(), 280);
  EXPECT_EQ(d->Progress->geometry().bottom(), 418);
  EXPECT_EQ(d->Cancel1->size(), QSize(16, 16));
  EXPECT_EQ(d->Cancel1->geometry(), d->Cancel2->geometry());
  EXPECT_GE(d->Cancel1->x(), d->Progress->geometry().right());
  EXPECT_EQ(d->Tryb->count(), 26);
  EXPECT_EQ(d->TypeBox->count(), 26);
  EXPECT_EQ(d->Tryb->itemText(0), QString::fromUtf8("Zwykły"));
  EXPECT_EQ(d->Box("Scal")->text(), QString::fromUtf8("Scal suwaki"));
  EXPECT_TRUE(d->Box("ScalTolerant")->isChecked());
  EXPECT_EQ(d->Bar("TolerancjaB")->Position(), 127);
  EXPECT_EQ(d->OK->text(), "OK");
  EXPECT_EQ(d->Anuluj->text(), "Anuluj");
  // The threshold dialog has no blend mode and no effect mode.
  EXPECT_EQ(FormHold->Tryb, nullptr);
  EXPECT_EQ(FormHold->TypeBox, nullptr);
  EXPECT_NE(FormHold->Box("Mono"), nullptr);
  EXPECT_EQ(FormFill->TypeBox, nullptr);
  EXPECT_NE(FormFill->Tryb, nullptr);
}

struct PanCase {
  int w, h;
  int minX, maxX, cx;  // expected horizontal range and centre
  int minY, maxY, cy;
  int regionW, regionH;
};

class PanTest : public FilterDialogTest, public ::testing::WithParamInterface<PanCase> {};

TEST_P(PanTest, RangeCentreAndRegion) {
  const PanCase c = GetParam();
  const Bitmap pic = Noise(c.w, c.h, 7);
  OpenPicture(pic);
  TFormFilter* d = FormNegativ;  // H = 400
  d->Bar("CanalR")->SetPosition(255);
  OpenDialog(d);
  EXPECT_EQ(d->OSX->Min(), c.minX);
  EXPECT_EQ(d->OSX->Max(), c.maxX);
  EXPECT_EQ(d->OSX->Position(), c.cx);
  EXPECT_EQ(d->OSY->Min(), c.minY);
  EXPECT_EQ(d->OSY->Max(), c.maxY);
  EXPECT_EQ(d->OSY->Position(), c.cy);
  const QPoint o = PreviewRegionOrigin(c.cx, c.cy, 400);
  EXPECT_EQ(d->ImageBuf->Picture(), pic.Copy(o.x(), o.y(), c.regionW, c.regionH));
  EXPECT_EQ(d->ImageBuf->PictureWidth(), c.regionW);
  EXPECT_EQ(d->ImageBuf->PictureHeight(), c.regionH);
  // The command ran the filter once over the region: the negative of it.
  const Bitmap& shown = d->ImageViewUser->Picture();
  ASSERT_EQ(shown.Width(), c.regionW);
  for (int y = 0; y < c.regionH; y += 37)
    for (int x = 0; x < c.regionW; x += 41) {
      const Pixel s = d->ImageBuf->Picture().At(x, y);
      EXPECT_EQ(shown.At(x, y) & 0xFFFFFFu,
                MakePixel(255 - PixelRed(s), 255 - PixelGreen(s), 255 - PixelBlue(s)) & 0xFFFFFFu);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, PanTest,
                         ::testing::Values(
                             // at least 2H: the central 2H strip, centre range H..W - H
                             PanCase{1000, 900, 400, 600, 500, 400, 500, 450, 800, 800},
                             // between H and 2H: the whole size, range 0..W - H, centre at its end
                             PanCase{600, 799, 0, 200, 200, 0, 399, 399, 600, 799},
                             // narrower than H: range 0..0
                             PanCase{300, 120, 0, 0, 0, 0, 0, 0, 300, 120},
                             // mixed: wide and short
                             PanCase{2000, 250, 400, 1600, 1000, 0, 0, 0, 800, 250}));

TEST_F(FilterDialogTest, DragOfTenScreenPixelsPansSixtyAndKeepsThePointer) {
  const Bitmap pic = Noise(2000, 1500, 3);
  OpenPicture(pic);
  TFormFilter* d = FormNegativ;
  OpenDialog(d, [&](TFormFilter* d) {
    ASSERT_EQ(d->OSX->Position(), 1000);
    ASSERT_EQ(d->OSY->Position(), 750);
    const QPoint anchor = d->ImageViewUser->mapToGlobal(QPoint(100, 100));
    QCursor::setPos(anchor);
    SendMouse(d->ImageViewUser, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(d->DragAnchor(), anchor);
    EXPECT_EQ(d->OSX->Position(), 1000);  // the press is a null move
    const int runs = d->PreviewRuns();

    QCursor::setPos(anchor + QPoint(10, -10));
    SendMouse(d->ImageViewUser, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(d->OSX->Position(), 1060);
    EXPECT_EQ(d->OSY->Position(), 690);
    EXPECT_EQ(QCursor::pos(), anchor);
    // Only the raw region follows the drag.
    EXPECT_EQ(d->ImageBuf->Picture(), pic.Copy(660, 290, 800, 800));
    EXPECT_EQ(d->ImageViewUser->Picture(), d->ImageBuf->Picture());
    EXPECT_EQ(d->PreviewRuns(), runs);

    // Far beyond the end: clamped.
    QCursor::setPos(anchor + QPoint(500, 0));
    SendMouse(d->ImageViewUser, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(d->OSX->Position(), 1600);

    // Without a button held nothing pans.
    QCursor::setPos(anchor + QPoint(-10, 0));
    SendMouse(d->ImageViewUser, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(d->OSX->Position(), 1600);
    QCursor::setPos(anchor);

    SendMouse(d->ImageViewUser, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    EXPECT_NE(d->ImageViewUser->Picture(), d->ImageBuf->Picture());
    d->CancelFilterDialog();
  });
}

TEST_F(FilterDialogTest, ReopeningKeepsValuesAndCentresThePreviewAgain) {
  OpenPicture(Noise(1200, 1000, 5));
  TFormFilter* d = FormContrast;
  OpenDialog(d, [](TFormFilter* d) {
    d->Box("Scal")->click();  // clear
    d->Bar("CanalG")->SetPosition(40);
    d->Tryb->setCurrentIndex(3);
    d->OSX->SetPosition(d->OSX->Max());
    d->CancelFilterDialog();
  });
  OpenDialog(d, [](TFormFilter* d) {
    EXPECT_FALSE(d->Box("Scal")->isChecked());
    EXPECT_EQ(d->Bar("CanalG")->Position(), 40);
    EXPECT_EQ(d->ValueLabel("CanalG")->text(), "40");
    EXPECT_EQ(d->Tryb->currentIndex(), 3);
    EXPECT_EQ(d->OSX->Position(), 600);
    d->CancelFilterDialog();
  });
  // Back to the defaults for the other tests.
  d->Box("Scal")->click();
  d->Tryb->setCurrentIndex(0);
}

struct LinkCase {
  const char* moved;
  const char* link;
  const char* others[2];
};

class LinkTest : public FilterDialogTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTest, OnePreviewPerLinkedMove) {
  const LinkCase c = GetParam();
  OpenPicture(Noise(500, 500, 9));
  TFormFilter* d = FormContrast;
  OpenDialog(d, [&](TFormFilter* d) {
    ASSERT_TRUE(d->Box(c.link)->isChecked());
    int runs = d->PreviewRuns();
    d->Bar(c.moved)->SetPosition(200);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    for (const char* o : c.others) {
      EXPECT_EQ(d->Bar(o)->Position(), 200) << o;
      EXPECT_EQ(d->ValueLabel(o)->text(), "200") << o;
    }
    EXPECT_EQ(d->ValueLabel(c.moved)->text(), "200");

    // Clear: only the moved bar changes, one preview.
    d->Box(c.link)->click();
    runs = d->PreviewRuns();
    d->Bar(c.moved)->SetPosition(30);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    for (const char* o : c.others) EXPECT_EQ(d->Bar(o)->Position(), 200) << o;

    // Ticking again brings the group to its first bar, with one preview.
    runs = d->PreviewRuns();
    d->Box(c.link)->click();
    const QString first = QString::fromLatin1(c.link) == "Scal" ? "CanalR" : "TolerancjaR";
    const int v = d->Bar(first)->Position();
    for (const char* o : c.others) EXPECT_EQ(d->Bar(o)->Position(), v) << o;
    EXPECT_EQ(d->Bar(c.moved)->Position(), v);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);

    for (const QString& n : {first}) d->Bar(n)->SetPosition(127);
    d->CancelFilterDialog();
  });
}

INSTANTIATE_TEST_SUITE_P(Bars, LinkTest,
                         ::testing::Values(LinkCase{"CanalR", "Scal", {"CanalG", "CanalB"}},
                                           LinkCase{"CanalG", "Scal", {"CanalR", "CanalB"}},
                                           LinkCase{"CanalB", "Scal", {"CanalR", "CanalG"}},
                                           LinkCase{"TolerancjaG", "ScalTolerant", {"TolerancjaR", "TolerancjaB"}}));

TEST_F(FilterDialogTest, OtherControlsRunThePreviewOnce) {
  OpenPicture(Noise(300, 300, 2));
  OpenDialog(FormHold, [](TFormFilter* d) {
    int runs = d->PreviewRuns();
    d->Box("Mono")->click();
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    d->Box("Mono")->click();
    runs = d->PreviewRuns();
    d->Przezroczystosc->SetPosition(40);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    EXPECT_EQ(d->PrzezroczystoscLabel->text(), "40");
    d->Przezroczystosc->SetPosition(100);
    d->CancelFilterDialog();
  });
  OpenDialog(FormContrast, [](TFormFilter* d) {
    const int runs = d->PreviewRuns();
    d->TypeBox->setCurrentIndex(2);
    d->Tryb->setCurrentIndex(5);
    EXPECT_EQ(d->PreviewRuns(), runs + 2);
    d->TypeBox->setCurrentIndex(0);
    d->Tryb->setCurrentIndex(0);
    // Panning only copies the region.
    const int before = d->PreviewRuns();
    d->OSX->SetPosition(0);
    EXPECT_EQ(d->PreviewRuns(), before);
    d->CancelFilterDialog();
  });
}

TEST_F(FilterDialogTest, CancelledFullRunRestoresAndStaysOpen) {
  const Bitmap pic = Noise(300, 2000, 11);
  OpenPicture(pic);
  const int entries = FormHistory->Count();
  TFormFilter* d = FormNegativ;
  int highest = 0;
  int previewsAfter = -1;
  OpenDialog(d, [&](TFormFilter* d) {
    const auto conn = QObject::connect(d->Progress, &QProgressBar::valueChanged, d, [&](int v) {
      highest = std::max(highest, v);
      if (v != 1000) return;
      // The click arrives through the event loop, as the user's would.
      QTimer::singleShot(0, d, [d] {
        EXPECT_TRUE(d->Running());
        EXPECT_TRUE(d->Cancel1->isVisible());
        EXPECT_FALSE(d->OK->isEnabled());
        SendMouse(d->Cancel1, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
        EXPECT_TRUE(d->Cancel2->isVisible());
        SendMouse(d->Cancel2, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        SendMouse(d->Cancel2, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
      });
    });
    const int runs = d->PreviewRuns();
    d->OK->click();
    QObject::disconnect(conn);
    previewsAfter = d->PreviewRuns() - runs;
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->Running());
    EXPECT_TRUE(d->OK->isEnabled());
    EXPECT_TRUE(d->Anuluj->isEnabled());
    EXPECT_TRUE(d->ImageViewUser->isEnabled());
    EXPECT_TRUE(d->Bar("CanalG")->isEnabled());
    EXPECT_FALSE(d->Cancel1->isVisible());
    EXPECT_FALSE(d->Cancel2->isVisible());
    EXPECT_EQ(d->Progress->value(), 0);
    EXPECT_FALSE(FormTools->FilterEngine.Cancelled);
    d->CancelFilterDialog();
  });
  // The kernel stopped at the next row.
  EXPECT_GE(highest, 1000);
  EXPECT_LT(highest, 1010);
  EXPECT_EQ(previewsAfter, 1);
  const CHomeImage& doc = FormImageHome->HomeImage;
  EXPECT_EQ(doc.WorkImage, pic);
  EXPECT_EQ(doc.BackupImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
  EXPECT_EQ(d->ImageBuf->Picture(), pic.Copy(0, 600, 300, 800));
}

TEST_F(FilterDialogTest, AnulujRestoresTheWorkingPictureAndRecordsNothing) {
  const Bitmap pic = Noise(200, 100, 4);
  OpenPicture(pic);
  FormImageHome->HomeImage.WorkImage.Fill(0xFF000000u);  // a leftover the dialog must drop
  const int entries = FormHistory->Count();
  OpenDialog(FormContrast, [](TFormFilter* d) { d->Anuluj->click(); });
  EXPECT_FALSE(FormContrast->isVisible());
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, pic);
  EXPECT_EQ(FormHistory->Count(), entries);
}

TEST_F(FilterDialogTest, TransparencyZeroKeepsPixelsAndStillAddsTheEntry) {
  const Bitmap pic = Noise(320, 240, 6);
  OpenPicture(pic);
  const int entries = FormHistory->Count();
  OpenDialog(FormContrast, [](TFormFilter* d) {
    d->Przezroczystosc->SetPosition(0);
    d->OK->click();
  });
  EXPECT_FALSE(FormContrast->isVisible());
  EXPECT_EQ(FormContrast->result(), QDialog::Accepted);
  const CHomeImage& doc = FormImageHome->HomeImage;
  EXPECT_EQ(doc.WorkImage, pic);
  EXPECT_EQ(doc.BackupImage, pic);
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_EQ(FormHistory->Entries.last().Title, QString("Kontrast - nr: %1").arg(entries));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), entries);
  FormContrast->Przezroczystosc->SetPosition(100);
}

TEST_F(FilterDialogTest, CommitShowsTheResultEverywhere) {
  const Bitmap pic = Noise(400, 300, 8);
  OpenPicture(pic);
  const int entries = FormHistory->Count();
  OpenDialog(FormNegativ, [](TFormFilter* d) { d->OK->click(); });
  const CHomeImage& doc = FormImageHome->HomeImage;
  const Bitmap expected = test::RunFull(test::Run("Negativ"), pic);
  EXPECT_EQ(doc.WorkImage, expected);
  EXPECT_EQ(doc.BackupImage, expected);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), expected);
  EXPECT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_EQ(FormHistory->Entries.last().Title, QString("Negatyw - nr: %1").arg(entries));
  EXPECT_EQ(FormNegativ->Progress->value(), 0);
  EXPECT_TRUE(FormNegativ->OK->isEnabled());
}

TEST_F(FilterDialogTest, PreviewTakesTheSelectionAtTheTruePicturePosition) {
  const Bitmap pic = Noise(2000, 1000, 12);
  OpenPicture(pic);
  SelectionMask& mask = FormImageHome->HomeImage.SelectionMask;
  // Columns below 1000 unselected, from 1000 on fully selected, rows below 300 half.
  for (int y = 0; y < 1000; ++y)
    for (int x = 0; x < 2000; ++x) mask.Set(x, y, x < 1000 ? 0 : (y < 300 ? 50 : 100));
  TFormFilter* d = FormNegativ;
  auto check = [&](int left, int top) {
    const Bitmap& src = d->ImageBuf->Picture();
    const Bitmap& out = d->ImageViewUser->Picture();
    ASSERT_EQ(src, pic.Copy(left, top, 800, 800));
    for (int y = 0; y < 800; y += 13)
      for (int x = 0; x < 800; x += 7) {
        const Pixel s = src.At(x, y);
        const int m = mask.At(left + x, top + y);
        const Pixel o = out.At(x, y);
        if (m == 0) {
          ASSERT_EQ(o, s) << x << "," << y;
        } else if (m == 100) {
          ASSERT_EQ(PixelRed(o), 255 - PixelRed(s)) << x << "," << y;
        } else {
          // Half selected: halfway between the pixel and its negative, within truncation.
          const int half = (PixelRed(s) + 255 - PixelRed(s)) / 2;
          ASSERT_NEAR(PixelRed(o), half, 1) << x << "," << y;
        }
      }
  };
  OpenDialog(d, [&](TFormFilter* d) {
    check(600, 100);
    d->OSX->SetPosition(1300);
    d->OSY->SetPosition(400);
    d->Przezroczystosc->SetPosition(99);  // runs the preview on the new region
    d->Przezroczystosc->SetPosition(100);
    check(900, 0);
    d->CancelFilterDialog();
  });
  mask.Fill(100);
}

// The editor's full run and the batch command, same picture and settings.
struct BatchCase {
  const char* stem;
  std::vector<std::pair<std::string, int>> sets;
  int tryb, typeBox, transparency, channel;
};

class BatchEqualTest : public FilterDialogTest, public ::testing::WithParamInterface<BatchCase> {};

TEST_P(BatchEqualTest, FullRunGivesTheBatchResult) {
  const BatchCase c = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string in = (dir.path() + "/in.bmp").toStdString();
  const std::string maskFile = (dir.path() + "/mask.bmp").toStdString();
  const std::string out = (dir.path() + "/out.bmp").toStdString();
  const Bitmap pic = Noise(301, 203, 21);
  WritePictureFile(pic, in);
  // A grey ramp of whole percents: grey g selects g * 100 / 255.
  Bitmap greys(301, 203);
  for (int y = 0; y < 203; ++y)
    for (int x = 0; x < 301; ++x) {
      const int g = (x * 255 / 300 + y) % 256;
      greys.Set(x, y, MakePixel(g, g, g));
    }
  WritePictureFile(greys, maskFile);

  OpenPicture(pic);
  SelectionMask& mask = FormImageHome->HomeImage.SelectionMask;
  for (int y = 0; y < 203; ++y)
    for (int x = 0; x < 301; ++x) mask.Set(x, y, static_cast<std::uint8_t>(PixelRed(greys.At(x, y)) * 100 / 255));
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(200, 30, 90));
  FormTools->SetToolColor(ToolColor::Secondary, MakePacked(10, 250, 120));
  FormCanal->SelectChannel(c.channel);

  std::vector<std::string> args = {in, out, "--filter", c.stem, "--seed", "77", "--primary", "C81E5A", "--secondary", "0AFA78",
                                   "--przezroczystosc", std::to_string(c.transparency), "--mask", maskFile,
                                   "--channel", std::vector<std::string>{"all", "red", "green", "blue"}[c.channel]};
  if (c.tryb) args.insert(args.end(), {"--tryb", std::to_string(c.tryb)});
  if (c.typeBox) args.insert(args.end(), {"--typebox", std::to_string(c.typeBox)});
  for (const auto& [n, v] : c.sets) args.insert(args.end(), {"--set", n + "=" + std::to_string(v)});
  std::ostringstream o, e;
  ASSERT_EQ(RunBatch(args, o, e), 0) << e.str();
  const Bitmap batch = LoadPictureFile(out);

  TFormFilter* d = nullptr;
  for (TFormFilter* f : FilterDialogs())
    if (std::string(f->Decl().Stem) == c.stem) d = f;
  ASSERT_NE(d, nullptr);
  OpenDialog(d, [&](TFormFilter* d) {
    for (const auto& [n, v] : c.sets) {
      const QString name = QString::fromStdString(n);
      if (auto* bar = d->Bar(name))
        bar->SetPosition(v);
      else if (auto* box = d->Box(name)) {
        if (box->isChecked() != (v != 0)) box->click();
      } else if (auto* radio = d->Radio(name)) {
        radio->click();
      } else {
        ADD_FAILURE() << "no control " << n;
      }
    }
    if (d->Tryb) d->Tryb->setCurrentIndex(c.tryb);
    if (d->TypeBox) d->TypeBox->setCurrentIndex(c.typeBox);
    if (d->Przezroczystosc) d->Przezroczystosc->SetPosition(c.transparency);
    SeedRandom(77);
    d->OK->click();
  });
  EXPECT_TRUE(SameColors(FormImageHome->HomeImage.WorkImage, batch));

  // Leave the dialog at its defaults.
  FilterSettings defaults(d->Decl());
  d->ApplySettings(defaults);
  if (d->Tryb) d->Tryb->setCurrentIndex(0);
  if (d->TypeBox) d->TypeBox->setCurrentIndex(0);
  if (d->Przezroczystosc) d->Przezroczystosc->SetPosition(100);
  FormImageHome->HomeImage.SelectionMask.Fill(100);
}

INSTANTIATE_TEST_SUITE_P(
    Tone, BatchEqualTest,
    ::testing::Values(BatchCase{"Fill", {}, 4, 0, 80, 0},
                      BatchCase{"Light", {{"CanalR", 60}}, 0, 3, 100, 0},
                      BatchCase{"Dark", {{"Scal", 0}, {"CanalG", 200}}, 14, 0, 70, 2},
                      BatchCase{"Contrast", {{"Scal", 0}, {"CanalB", 250}, {"TolerancjaR", 90}}, 21, 19, 100, 0},
                      BatchCase{"Gamma", {{"CanalR", 40}, {"RedukcjaR", 200}}, 0, 0, 55, 1},
                      BatchCase{"Exposure", {{"CanalR", 200}, {"ScalTolerant", 0}, {"RedukcjaG", 50}}, 3, 4, 100, 0},
                      BatchCase{"Hold", {{"Mono", 1}, {"CanalG", 90}}, 0, 0, 100, 0},
                      BatchCase{"Hold", {{"Scal", 0}, {"CanalB", 10}}, 0, 0, 65, 3},
                      BatchCase{"Posterize", {{"CanalR", 31}}, 1, 0, 100, 0},
                      BatchCase{"Negativ", {{"CanalR", 180}}, 0, 25, 90, 0}));

// The other families whose dialogs are of the common design: ranges set from
// the picture, dialogs without a preview, random draws, the alignment crop.
INSTANTIATE_TEST_SUITE_P(
    Families, BatchEqualTest,
    ::testing::Values(BatchCase{"Sepia", {{"CanalG", 60}, {"Rozpietosc", 200}}, 0, 5, 100, 0},
                      BatchCase{"BalanceColor", {{"CanalR", -90}, {"CanalB", 40}}, 0, 0, 100, 0},
                      BatchCase{"Selective", {{"CanalC", 90}, {"CanalY", 200}}, 0, 0, 85, 0},
                      BatchCase{"Shadow", {{"swiatla", 1}, {"CanalR", -40}}, 0, 0, 100, 0},
                      BatchCase{"Hue", {{"Power", 77}}, 0, 0, 100, 0},
                      BatchCase{"GradientWidth", {{"Wid", 250}, {"Sila", 120}}, 0, 0, 100, 0},
                      BatchCase{"Vignette", {{"Wid", 280}, {"Hei", 150}, {"Sila", 500}}, 0, 0, 100, 0},
                      BatchCase{"Shift", {{"PosX", -120}, {"PosY", 50}}, 0, 0, 100, 0},
                      BatchCase{"Noise", {{"Scal", 0}, {"CanalG", 30}, {"Pieprz", 1}}, 0, 0, 100, 0},
                      BatchCase{"Wind", {{"Radius", 120}}, 0, 0, 100, 0},
                      BatchCase{"Width", {{"Power", 30}}, 0, 0, 100, 0},
                      BatchCase{"Height", {{"Power", -25}, {"AutoFram", 0}}, 0, 0, 100, 0}));

TEST_F(FilterDialogTest, AlignmentWithAutoFramCropsAndRecordsOneEntry) {
  TFormFilter* d = nullptr;
  for (TFormFilter* f : FilterDialogs())
    if (std::string(f->Decl().DialogClass) == "TFormHeight") d = f;
  if (!d) GTEST_SKIP() << "no horizontal alignment in the registry";
  const Bitmap pic = Noise(200, 100, 16);
  OpenPicture(pic);
  const int entries = FormHistory->Count();
  OpenDialog(d, [](TFormFilter* d) {
    ASSERT_TRUE(d->Box("AutoFram")->isChecked());
    d->Bar("Power")->SetPosition(20);
    d->OK->click();
  });
  const Bitmap full = test::RunFull(test::Run("Height", {{"Power", 20}}), pic);
  const CHomeImage& doc = FormImageHome->HomeImage;
  // Columns 20..199 of the sheared picture remain.
  EXPECT_EQ(doc.Width(), 180);
  EXPECT_EQ(doc.Height(), 100);
  EXPECT_EQ(doc.WorkImage, full.Copy(20, 0, 180, 100));
  EXPECT_EQ(doc.BackupImage, doc.WorkImage);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), doc.WorkImage);
  EXPECT_EQ(doc.SelectionMask.Width(), 180);
  ASSERT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_EQ(FormHistory->Entries.last().Title, QString::fromUtf8("Wyrównanie horyzontalne - nr: %1").arg(entries));
  EXPECT_EQ(FormHistory->Entries.last().Width, 180);
  d->Bar("Power")->SetPosition(0);
}

// The menu place each declaration gives (shown on the help pages) is the
// place of its item in the main menu.
TEST_F(FilterDialogTest, DeclaredMenuPlacesAreTheMenuItemsPlaces) {
  for (const FilterDecl* d : AllFilters()) {
    // The picture overlay's item opens its picture choice first.
    const std::string command =
        std::string(d->DialogClass) == "TFormFilterImPos" ? "TFormImposition" : std::string(d->DialogClass);
    const char* menu = nullptr;
    const MenuItemDecl* item = nullptr;
    for (const MenuItemDecl& m : MainMenuDecl()) {
      if (m.Depth == 0) menu = m.Caption;
      if (m.Command && command == m.Command) {
        item = &m;
        break;
      }
    }
    ASSERT_NE(item, nullptr) << d->Stem;
    EXPECT_STREQ(d->Menu, menu) << d->Stem;
    EXPECT_STREQ(d->MenuCaption, item->Caption) << d->Stem;
  }
}

// Option buttons set out as the dialogs show them: rows top to bottom,
// columns left to right, each grid below the controls before it.
struct GridCase {
  const char* dialogClass;
  std::vector<std::vector<const char*>> rows;  // "" leaves a place empty
};

class GridTest : public FilterDialogTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridTest, ButtonsInTheirRowsAndColumns) {
  const GridCase c = GetParam();
  TFormFilter* d = nullptr;
  for (TFormFilter* f : FilterDialogs())
    if (std::string(f->Decl().DialogClass) == c.dialogClass) d = f;
  ASSERT_NE(d, nullptr);
  auto at = [&](const char* name) {
    QRadioButton* r = d->Radio(QString::fromLatin1(name));
    EXPECT_NE(r, nullptr) << name;
    return r ? r->mapTo(d, QPoint(0, 0)) : QPoint();
  };
  for (std::size_t i = 0; i < c.rows.size(); ++i)
    for (std::size_t j = 0; j < c.rows[i].size(); ++j) {
      const char* name = c.rows[i][j];
      if (!*name) continue;
      const QPoint p = at(name);
      for (std::size_t k = j + 1; k < c.rows[i].size(); ++k)
        if (*c.rows[i][k]) {
          EXPECT_EQ(at(c.rows[i][k]).y(), p.y()) << name << " " << c.rows[i][k];
          EXPECT_GT(at(c.rows[i][k]).x(), p.x()) << name << " " << c.rows[i][k];
        }
      if (i + 1 < c.rows.size()) {
        for (const char* below : c.rows[i + 1]) {
          if (*below) {
            EXPECT_GT(at(below).y(), p.y()) << name << " " << below;
          }
        }
      }
      // Same column, same left edge.
      for (std::size_t k = i + 1; k < c.rows.size(); ++k) {
        if (j < c.rows[k].size() && *c.rows[k][j]) {
          EXPECT_EQ(at(c.rows[k][j]).x(), p.x()) << name;
        }
      }
    }
  if (QWidget* power = d->Bar("Power")) {
    EXPECT_LT(power->mapTo(d, QPoint(0, 0)).y(), at(c.rows[0][0]).y());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, GridTest,
    ::testing::Values(GridCase{"TFormEdges", {{"NW", "N", "NE"}, {"W", "", "E"}, {"SW", "S", "SE"}}},
                      GridCase{"TFormEdgesGradient", {{"NW", "N", "NE"}, {"W", "", "E"}, {"SW", "S", "SE"}}},
                      GridCase{"TFormDomed", {{"NW", "N", "NE"}, {"W", "", "E"}, {"SW", "S", "SE"}}},
                      GridCase{"TFormHP", {{"E", "N"}}},
                      GridCase{"TFormLaplace", {{"NW", "N", "NE"}}},
                      GridCase{"TFormContours", {{"NW", "N"}, {"NE", "NN"}}},
                      GridCase{"TFormNoise", {{"Pieprz", "Szum", "Sol"}}}),
    [](const ::testing::TestParamInfo<GridCase>& i) { return std::string(i.param.dialogClass); });

// The matrix dialogs: the button shown as chosen is the matrix the preview and
// OK use, also when the dialog is reopened on a button another opening left
// chosen; checked against matrices written out by hand, and the full run
// against the batch command given the same buttons.
struct MatrixCase {
  const char* stem;
  const char* before;  // the button left chosen by the previous opening
  int power;           // "Moc:" where the dialog has it, else 0
  FilterMatrix shown;  // that button's matrix
  const char* click;   // the button clicked after the reopening
  FilterMatrix clicked;
};

class MatrixDialogTest : public FilterDialogTest, public ::testing::WithParamInterface<MatrixCase> {};

Bitmap Convolved(const Bitmap& src, const FilterMatrix& m, bool fullRun) {
  Bitmap dst = src;
  CPixelEngine e;
  SelectionMask all(src.Width(), src.Height(), 100);
  KernelContext ctx;
  ApplyMatrix({e, dst, src, all, 100, fullRun, src.Width(), src.Height(), ctx}, m, 1);
  return dst;
}

void ClickButton(QWidget* w) {
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() / 2));
}

TEST_P(MatrixDialogTest, TheButtonShownIsTheMatrixUsedAsTheBatchCommands) {
  const MatrixCase c = GetParam();
  TFormFilter* d = nullptr;
  for (TFormFilter* f : FilterDialogs())
    if (std::string(f->Decl().Stem) == c.stem) d = f;
  ASSERT_NE(d, nullptr);
  const Bitmap pic = Noise(63, 45, 31);
  const QString before = QString::fromLatin1(c.before);
  const QString click = QString::fromLatin1(c.click);

  // A previous opening leaves its button (and strength) chosen.
  OpenPicture(pic);
  OpenDialog(d, [&](TFormFilter*) {
    ClickButton(d->Radio(before));
    if (c.power) d->Bar("Power")->SetPosition(c.power);
    d->CancelFilterDialog();
  });

  // Reopened: the button stays, and the preview and an immediate OK use its matrix.
  OpenDialog(d, [&](TFormFilter*) {
    EXPECT_TRUE(d->Radio(before)->isChecked());
    EXPECT_EQ(BuildMatrix(d->Settings()), c.shown);
    EXPECT_EQ(d->ImageViewUser->Picture(), Convolved(d->ImageBuf->Picture(), c.shown, false));
    QTest::mouseClick(d->OK, Qt::LeftButton);
  });
  EXPECT_EQ(FormImageHome->HomeImage.WorkImage, Convolved(pic, c.shown, true));

  // Reopened again and a button clicked: the dialog's run, the batch
  // command's with the same button, and the hand-written matrix agree.
  OpenPicture(pic);
  OpenDialog(d, [&](TFormFilter*) {
    ClickButton(d->Radio(click));
    EXPECT_TRUE(d->Radio(click)->isChecked());
    EXPECT_EQ(d->ImageViewUser->Picture(), Convolved(d->ImageBuf->Picture(), c.clicked, false));
    QTest::mouseClick(d->OK, Qt::LeftButton);
  });
  const Bitmap dialog = FormImageHome->HomeImage.WorkImage;
  EXPECT_EQ(dialog, Convolved(pic, c.clicked, true));

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string in = (dir.path() + "/in.bmp").toStdString();
  const std::string out = (dir.path() + "/out.bmp").toStdString();
  WritePictureFile(pic, in);
  std::vector<std::string> args = {in, out, "--filter", c.stem, "--set", std::string(c.click) + "=1"};
  if (c.power) args.insert(args.end(), {"--set", "Power=" + std::to_string(c.power)});
  std::ostringstream o, e;
  ASSERT_EQ(RunBatch(args, o, e), 0) << e.str();
  EXPECT_TRUE(SameColors(LoadPictureFile(out), dialog));

  // Back to the dialog's defaults.
  d->ApplySettings(FilterSettings(d->Decl()));
}

// Moving "Moc:" runs the preview with the strength and the button shown.
TEST_F(FilterDialogTest, MovingPowerRunsThePreviewOfTheChosenButton) {
  TFormFilter* d = FormEdges;
  OpenPicture(Noise(50, 40, 32));
  OpenDialog(d, [&](TFormFilter*) {
    ClickButton(d->Radio("NE"));
    d->CancelFilterDialog();
  });
  OpenDialog(d, [&](TFormFilter*) {
    EXPECT_EQ(d->ImageViewUser->Picture(),
              Convolved(d->ImageBuf->Picture(), FilterMatrix{{{0, 0, -4}, {0, 4, 0}, {0, 0, 0}}}, false));
    const int runs = d->PreviewRuns();
    d->Bar("Power")->SetPosition(9);
    EXPECT_EQ(d->PreviewRuns(), runs + 1);
    EXPECT_EQ(d->ValueLabel("Power")->text(), "9");
    EXPECT_EQ(d->ImageViewUser->Picture(),
              Convolved(d->ImageBuf->Picture(), FilterMatrix{{{0, 0, -9}, {0, 9, 0}, {0, 0, 0}}}, false));
    d->CancelFilterDialog();
  });
  d->ApplySettings(FilterSettings(d->Decl()));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MatrixDialogTest,
    ::testing::Values(
        // The reopened dialog keeps SW, and SW is what it runs (not the N preset).
        MatrixCase{"Edges", "SW", 7, {{{0, 0, 0}, {0, 7, 0}, {-7, 0, 0}}}, "SW", {{{0, 0, 0}, {0, 7, 0}, {-7, 0, 0}}}},
        MatrixCase{"Edges", "N", 20, {{{0, -20, 0}, {0, 20, 0}, {0, 0, 0}}}, "E", {{{0, 0, 0}, {0, 20, -20}, {0, 0, 0}}}},
        MatrixCase{"HP", "N", 0, {{{0, -1, 0}, {-1, 5, -1}, {0, -1, 0}}}, "E", {{{-1, -1, -1}, {-1, 9, -1}, {-1, -1, -1}}}},
        MatrixCase{"EdgesGradient", "E", 0, {{{1, 1, -1}, {1, -2, -1}, {1, 1, -1}}}, "NW",
                   {{{-1, -1, 1}, {-1, -2, 1}, {1, 1, 1}}}},
        MatrixCase{"EdgesGradient", "SW", 0, {{{1, 1, 1}, {-1, -2, 1}, {-1, -1, 1}}}, "SW",
                   {{{1, 1, 1}, {-1, -2, 1}, {-1, -1, 1}}}},
        MatrixCase{"Domed", "S", 0, {{{1, 1, 1}, {0, 1, 0}, {-1, -1, -1}}}, "SE", {{{1, 1, 0}, {1, 1, -1}, {0, -1, -1}}}},
        MatrixCase{"Domed", "NE", 0, {{{0, -1, -1}, {1, 1, -1}, {1, 1, 0}}}, "W", {{{-1, 0, 1}, {-1, 1, 1}, {-1, 0, 1}}}},
        MatrixCase{"Laplace", "NE", 0, {{{1, -2, 1}, {-2, 4, -2}, {1, -2, 1}}}, "NW", {{{0, -1, 0}, {-1, 4, -1}, {0, -1, 0}}}},
        MatrixCase{"Contours", "NN", 0, {{{1, 0, -1}, {1, 0, -1}, {1, 0, -1}}}, "NW", {{{1, 2, 1}, {0, 0, 0}, {-1, -2, -1}}}},
        MatrixCase{"Contours", "NE", 0, {{{-1, -1, -1}, {0, 0, 0}, {1, 1, 1}}}, "N", {{{1, 0, -1}, {2, 0, -2}, {1, 0, -1}}}}),
    [](const ::testing::TestParamInfo<MatrixCase>& i) {
      return std::string(i.param.stem) + "_" + i.param.before + "_" + i.param.click;
    });

}  // namespace
}  // namespace rv

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  rv::RastroviaApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
