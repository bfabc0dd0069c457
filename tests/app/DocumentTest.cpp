// The image document and the open commands: loading, the fit rule, failed
// files, drag and drop, the selection commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <QListView>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "AppTestSupport.h"
#include <QContextMenuEvent>
#include <QMenu>

#include <cstdlib>
#include <ctime>

#include "app/StartUp.h"
#include "engine/Random.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/UnitCanal.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"
#include "ui/Windows.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }

bool MaskIs(int value) {
  const SelectionMask& m = Doc().SelectionMask;
  if (m.Width() != Doc().Width() || m.Height() != Doc().Height()) return false;
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x)
      if (m.At(x, y) != value) return false;
  return true;
}

TEST(FitRule, SevenHundredPixels) {
  struct Case {
    int W, H, DW, DH;
  };
  const Case cases[] = {{700, 700, 700, 700}, {701, 701, 700, 693}, {1024, 768, 700, 522},
                        {768, 1024, 522, 700}, {700, 1400, 350, 700}, {300, 200, 300, 200},
                        {1, 1, 1, 1},           {6000, 4000, 700, 440}};
  for (const Case& c : cases) EXPECT_EQ(FitDisplaySize(c.W, c.H), QSize(c.DW, c.DH)) << c.W << "x" << c.H;
}

TEST(FitRule, OpeningFitsTheDisplayAndTheWindowWrapsIt) {
  FormHome->OpenDroppedFiles({test::WriteImage("wide.png", test::Pattern(1024, 768))});
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->size(), QSize(700, 522));
  EXPECT_EQ(Doc().DisplayWidth, 700);
  EXPECT_EQ(Doc().DisplayHeight, 522);
  // The display keeps the full-size picture; it is only shown smaller.
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->PictureWidth(), 1024);
  EXPECT_EQ(FormImageHome->ScrollBox()->viewport()->size(), QSize(700, 522));
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->pos(), QPoint(0, 0));
}

TEST(Document, MetafileExtensionRuleIsCaseSensitive) {
  const std::pair<const char*, bool> cases[] = {
      {"a.wmf", true},  {"a.WMF", true},   {"a.emf", true},    {"a.EMF", true},   {"a.Emf", true},
      {"a.Wmf", true},  {"a.wMf", false},  {"photo.JPG", false}, {"photo.jpg", false}, {"x.emf.png", false},
      {"noext", false}, {"dir.wmf/x", false}};
  for (const auto& [name, meta] : cases) EXPECT_EQ(UsesMetafileLoader(QString::fromUtf8(name)), meta) << name;
}

TEST(Document, CentringInTheScrollBox) {
  EXPECT_EQ(CentredDisplayOrigin(QSize(425, 406), QSize(300, 200)), QPoint(62, 103));
  EXPECT_EQ(CentredDisplayOrigin(QSize(300, 200), QSize(301, 100)), QPoint(0, 50));
  EXPECT_EQ(CentredDisplayOrigin(QSize(100, 100), QSize(700, 700)), QPoint(0, 0));
}

TEST(Document, FirstOpenByTheDialogRecordsEverything) {
  const QString path = test::WriteImage("first.png", test::Pattern(300, 200));
  EXPECT_FALSE(FormImageHome->isVisible());
  FormCanal->SelectChannel(2);
  test::OpenWithDialog(path);
  EXPECT_TRUE(FormImageHome->isVisible());
  EXPECT_EQ(FormImageHome->windowTitle(), path);
  EXPECT_EQ(Doc().FileName, path);
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(300, 200)));
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  EXPECT_EQ(Doc().SnapshotImage, Doc().WorkImage);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), Doc().BackupImage);
  EXPECT_TRUE(MaskIs(100));
  ASSERT_EQ(FormHistory->Count(), 1);
  EXPECT_EQ(FormHistory->Entries[0].RowBox->Text(), QStringLiteral("Otwórz - nr: 0"));
  ASSERT_EQ(FormMil->Count(), 1);
  EXPECT_EQ(FormMil->Milestones[0].Name, QStringLiteral("Startowy obraz"));
  EXPECT_EQ(FormCanal->ActiveChannel, 0);
  EXPECT_TRUE(test::Messages().isEmpty());
}

TEST(Document, CancellingTheOpenDialogChangesNothing) {
  int runs = 0;
  ui::SetDialogRunner([&runs](QDialog*) {
    ++runs;
    return int(QDialog::Rejected);
  });
  FormHome->OpenPicture();
  ui::SetDialogRunner({});
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(FormHistory->Count(), 0);
  EXPECT_FALSE(FormImageHome->isVisible());
  EXPECT_FALSE(FormHome->Menus().Bar(QStringLiteral("Zapisz1"))->isEnabled());
}

TEST(Document, OpenDialogListsPicturesAsThumbnails) {
  QFileDialog* d = FormHome->OpenPictureDialog1();
  EXPECT_EQ(d->nameFilters().first(), QStringLiteral("All (*.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.png)"));
  EXPECT_EQ(d->nameFilters().size(), 9);
  EXPECT_EQ(d->nameFilters().last(), QStringLiteral("PNG Image (*.png)"));
  FormHome->SetThumbnailView(d);
  auto* list = d->findChild<QListView*>(QStringLiteral("listView"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->viewMode(), QListView::IconMode);
  EXPECT_EQ(d->viewMode(), QFileDialog::List);
  // The icon provider shows a preview of a picture file.
  const QString path = test::WriteImage("thumb.png", test::Solid(64, 32, Qt::red));
  const QIcon icon = d->iconProvider()->icon(QFileInfo(path));
  const QImage preview = icon.pixmap(96, 96).toImage();
  ASSERT_FALSE(preview.isNull());
  EXPECT_EQ(QColor(preview.pixel(preview.width() / 2, preview.height() / 2)), QColor(Qt::red));
}

TEST(Document, DoubleClickOnTheEmptyAreaOpens) {
  int runs = 0;
  ui::SetDialogRunner([&runs](QDialog*) {
    ++runs;
    return int(QDialog::Rejected);
  });
  QWidget* area = FormHome->centralWidget();
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(50, 50), area->mapToGlobal(QPointF(50, 50)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(area, &dbl);
  ui::SetDialogRunner({});
  EXPECT_EQ(runs, 1);
}

// Files the loader cannot read, each tried while a picture is open.
QStringList UnreadableFiles() {
  const QByteArray png = [] {
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    test::Pattern(64, 64).save(&buf, "PNG");
    return b;
  }();
  // A bitmap header that claims 100000 x 100000 pixels at 32 bits.
  QByteArray huge(54, '\0');
  auto put32 = [&huge](int at, quint32 v) {
    for (int i = 0; i < 4; ++i) huge[at + i] = char((v >> (8 * i)) & 0xFF);
  };
  huge[0] = 'B';
  huge[1] = 'M';
  put32(2, 54 + 16);
  put32(10, 54);
  put32(14, 40);
  put32(18, 100000);
  put32(22, 100000);
  huge[26] = 1;
  huge[28] = 32;
  huge.append(QByteArray(16, '\x7f'));
  QDir(test::TempPath(QString())).mkpath(QStringLiteral("folder.png"));
  return {test::WriteBytes("truncated.png", png.left(png.size() / 2)),
          test::WriteBytes("garbage.jpg", QByteArray(5000, '\x5a')),
          test::WriteBytes("empty.bmp", QByteArray()),
          test::TempPath(QStringLiteral("folder.png")),
          test::WriteBytes("huge.bmp", huge),
          test::TempPath(QStringLiteral("missing.gif")),
          test::WriteBytes("drawing.wmf", QByteArray(300, '\x01'))};
}

TEST(Document, UnreadableFileLeavesTheDocumentAsItWas) {
  FormHome->OpenDroppedFiles({test::WriteImage("a.png", test::Pattern(120, 80, 1))});
  test::CommitChange(QStringLiteral("Zmiana"), MakePixel(9, 9, 9));
  FormHistory->StepBack();  // the document shows entry 0, not the newest
  Doc().SelectionMask.Set(3, 4, 42);
  FormTools->SelectionKind = 1;
  const Bitmap picture = Doc().WorkImage;
  const SelectionMask mask = Doc().SelectionMask;
  const QString name = Doc().FileName;
  for (const QString& bad : UnreadableFiles()) {
    test::ClearMessages();
    test::OpenWithDialog(bad);
    EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie mogłem otworzyć pliku!")}) << bad.toStdString();
    EXPECT_EQ(Doc().WorkImage, picture) << bad.toStdString();
    EXPECT_EQ(Doc().BackupImage, picture);
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), picture);
    EXPECT_EQ(Doc().SelectionMask, mask);
    EXPECT_EQ(Doc().FileName, name);
    EXPECT_EQ(FormImageHome->windowTitle(), name);
    EXPECT_EQ(FormHistory->Count(), 2);
    EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
    EXPECT_EQ(FormMil->Count(), 1);
    EXPECT_EQ(FormTools->SelectionKind, 1);
  }
}

TEST(Document, UnreadableFirstFileLeavesNoPicture) {
  test::OpenWithDialog(test::WriteBytes("bad.gif", QByteArray("GIF89a")));
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie mogłem otworzyć pliku!")});
  EXPECT_FALSE(Doc().HasPicture());
  EXPECT_FALSE(FormImageHome->isVisible());
  EXPECT_EQ(FormHistory->Count(), 0);
  EXPECT_EQ(FormMil->Count(), 0);
  // With no picture the picture menus stay disabled.
  EXPECT_FALSE(FormHome->Menus().EffectivelyEnabled(FormHome->Menus().Bar(QStringLiteral("Cofnij1"))));
}

TEST(Document, TransparentAreasBecomeWhite) {
  QImage img(8, 8, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  img.setPixel(1, 1, qRgba(255, 0, 0, 255));
  for (const char* name : {"clear.png", "clear.ico"}) {
    FormHome->OpenDroppedFiles({test::WriteImage(QString::fromUtf8(name), img)});
    ASSERT_TRUE(Doc().HasPicture()) << name;
    EXPECT_EQ(Doc().WorkImage.At(0, 0) & 0xFFFFFFu, 0xFFFFFFu) << name;
    EXPECT_EQ(Doc().WorkImage.At(1, 1) & 0xFFFFFFu, 0xFF0000u) << name;
  }
}

TEST(Document, ThreeDroppedFilesMakeThreeEntries) {
  const QStringList files = {test::WriteImage("d1.png", test::Pattern(30, 20, 1)),
                             test::WriteImage("d2.bmp", test::Pattern(40, 20, 2)),
                             test::WriteImage("d3.jpg", test::Solid(50, 20, Qt::white))};
  auto* mime = new QMimeData;
  QList<QUrl> urls;
  for (const QString& f : files) urls.append(QUrl::fromLocalFile(f));
  mime->setUrls(urls);
  // The platform delivers a drop to the window the drag entered.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(FormHome, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(FormHome, &drop);
  delete mime;
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  ASSERT_EQ(FormHistory->Count(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(FormHistory->Entries[i].RowBox->Text(), QStringLiteral("Otwórz - nr: %1").arg(i));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 2);
  EXPECT_EQ(Doc().FileName, files[2]);
  EXPECT_EQ(Doc().Width(), 50);
  EXPECT_EQ(FormMil->Count(), 1);
}

TEST(Document, CommandLineFilesOpenLikeDroppedOnes) {
  EXPECT_EQ(CommandLineFiles({"rastrovia", "a.png", "--quit-when-idle", "b c.jpg"}), QStringList({"a.png", "b c.jpg"}));
  EXPECT_TRUE(CommandLineFiles({"rastrovia"}).isEmpty());
}

TEST(Selection, SelectAllResetsMaskToolAndInvertItem) {
  FormHome->OpenDroppedFiles({test::WriteImage("s.png", test::Pattern(20, 10))});
  Doc().SelectionMask.Fill(30);
  FormTools->SetInvertMenu(true, true);
  FormTools->SelectTool(5);
  FormTools->SelectionKind = 2;
  FormHome->Menus().Bar(QStringLiteral("Zaznaczwszystko1"))->trigger();
  EXPECT_TRUE(MaskIs(100));
  EXPECT_EQ(FormTools->ToolId, 0);
  EXPECT_EQ(FormTools->SelectionKind, 0);
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_FALSE(FormHome->Menus().Bar(QStringLiteral("Zaznaczodwrotno1"))->isEnabled());
}

TEST(Selection, InvertTogglesTickMaskAndFrame) {
  FormHome->OpenDroppedFiles({test::WriteImage("inv.png", test::Solid(300, 100, Qt::black))});
  Doc().SelectionMask.Set(0, 0, 30);
  FormTools->SetInvertMenu(false, true);
  FormHome->Menus().Bar(QStringLiteral("Zaznaczodwrotno1"))->trigger();
  EXPECT_TRUE(FormHome->InvertTicked());
  EXPECT_TRUE(FormHome->Menus().Hand(QStringLiteral("HandZaznaczOdwrotnosc"))->isChecked());
  EXPECT_EQ(Doc().SelectionMask.At(0, 0), 70);
  EXPECT_EQ(Doc().SelectionMask.At(5, 5), 0);
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture(), Doc().WorkImage);  // the frame is drawn
  FormHome->Menus().Hand(QStringLiteral("HandZaznaczOdwrotnosc"))->trigger();
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_EQ(Doc().SelectionMask.At(0, 0), 30);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), Doc().WorkImage);
}

// Pixels the frame changed lie in the border band of the given width; each
// of the four sides has some.
void ExpectFrame(int w, int h, int band) {
  FormHome->OpenDroppedFiles({test::WriteImage(QStringLiteral("frame%1.png").arg(w), test::Solid(w, h, Qt::black))});
  FormHome->DrawInvertFrame();
  const Bitmap& shown = FormImageHome->ObrazDlaUsera->Picture();
  int sides[4] = {0, 0, 0, 0};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Pixel p = shown.At(x, y) & 0xFFFFFFu;
      if (p == 0) continue;
      ASSERT_EQ(p, 0xFFFFFFu) << x << "," << y;  // white: the contrast of black
      const bool inBand = x < band || x >= w - band || y < band || y >= h - band;
      ASSERT_TRUE(inBand) << w << "x" << h << " at " << x << "," << y;
      if (x < band) ++sides[0];
      if (x >= w - band) ++sides[1];
      if (y < band) ++sides[2];
      if (y >= h - band) ++sides[3];
    }
  }
  for (int s : sides) EXPECT_GT(s, 0) << w << "x" << h;
}

TEST(Selection, InvertFrameWidthFollowsThePictureSize) {
  ExpectFrame(255, 255, 1);   // 255 / 256 = 0: the thinnest line
  ExpectFrame(1024, 512, 4);  // 4 pixels wide, inset by 2
}

TEST(Selection, OpeningWhileInvertedEndsWithNothingSelected) {
  FormHome->OpenDroppedFiles({test::WriteImage("i1.png", test::Pattern(20, 10))});
  FormTools->SetInvertMenu(false, true);
  FormHome->InvertSelection();
  ASSERT_TRUE(FormHome->InvertTicked());
  test::OpenWithDialog(test::WriteImage("i2.png", test::Pattern(30, 10)));
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_TRUE(MaskIs(0));
}

TEST(Selection, KursorSelectsEverything) {
  FormHome->OpenDroppedFiles({test::WriteImage("k.png", test::Pattern(20, 10))});
  Doc().SelectionMask.Fill(0);
  FormTools->SetInvertMenu(true, true);
  FormTools->SelectTool(28);
  FormTools->Slot(0)->Click();
  EXPECT_TRUE(MaskIs(100));
  EXPECT_EQ(FormTools->ToolId, 0);
  EXPECT_FALSE(FormHome->InvertTicked());
}

TEST(Selection, RestoreCleanDisplayErasesMarksOnlyAfterThePointerWasOver) {
  FormHome->OpenDroppedFiles({test::WriteImage("c.png", test::Pattern(20, 10))});
  FormImageHome->ObrazDlaUsera->EditPicture().Fill(MakePixel(1, 1, 1));
  FormHome->PointerOverPicture = false;
  FormHome->FormMouseMove();
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture(), Doc().BackupImage);
  FormHome->PointerOverPicture = true;
  FormHome->FormMouseMove();
  EXPECT_FALSE(FormHome->PointerOverPicture);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), Doc().BackupImage);
}

TEST(StartUp, RightClickOnTheEmptyAreaOpensMenuHand) {
  QWidget* area = FormHome->centralWidget();
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(40, 40), area->mapToGlobal(QPoint(40, 40)));
  QApplication::sendEvent(area, &menu);
  EXPECT_TRUE(FormImageHome->MenuHand->isVisible());
  FormImageHome->MenuHand->hide();
}

TEST(StartUp, TheGeneratorIsSeededFromTheClock) {
  // Nothing draws before the first test runs; the state is the seed.
  const auto now = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_LE(std::llabs(static_cast<std::int64_t>(RandomState()) - now), 120);
}

TEST(StartUp, AnErrorReachingTheEventLoopIsShownAndTheProgramGoesOn) {
  struct Thrower : QObject {
    bool event(QEvent*) override { throw std::runtime_error("zepsuło się"); }
  } thrower;
  QStringList errors;
  SetUnexpectedErrorSink([&errors](const QString& t) { errors.append(t); });
  QEvent e(QEvent::User);
  QApplication::sendEvent(&thrower, &e);
  SetUnexpectedErrorSink({});
  EXPECT_EQ(errors, QStringList{QStringLiteral("zepsuło się")});
}

}  // namespace
}  // namespace rv
