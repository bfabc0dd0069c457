// The shape, text and framing windows driven as the document window drives
// them: their opening from the palette, the main window disabled meanwhile,
// the figures on the picture, OK and "Anuluj".
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTest>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/UnitCanal.h"
#include "tools/UnitElipsy.h"
#include "tools/UnitFraming.h"
#include "tools/UnitLine.h"
#include "tools/UnitLineBezier.h"
#include "tools/UnitRectangle.h"
#include "tools/UnitRectangleRound.h"
#include "tools/UnitTextHorz.h"
#include "tools/UnitTextVert.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"
#include "ui/TrackBar.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }

void Open(const QImage& picture) {
  test::OpenWithDialog(test::WriteImage(QStringLiteral("picture.png"), picture));
  ASSERT_TRUE(Doc().HasPicture());
}

void Pick(int toolId) {
  const ToolSlot* slot = FormTools->Slot(toolId);
  ASSERT_TRUE(slot && slot->Click);
  slot->Click();
}

PointerEvent At(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
  PointerEvent e;
  e.Picture = QPoint(x, y);
  e.Display = e.Picture;
  e.Button = button;
  e.Held = button;
  return e;
}

// Press at a, drag to b, release there, as the routing hands them on.
void Stroke(int toolId, QPoint a, QPoint b, Qt::MouseButton button = Qt::LeftButton) {
  PointerTarget* t = FindPointerTarget(toolId);
  ASSERT_TRUE(t);
  t->Press(At(a.x(), a.y(), button));
  t->Drag(At(b.x(), b.y(), button));
  t->Release(At(b.x(), b.y(), button));
}

Rgb RgbOf(const Bitmap& b, int x, int y) {
  const Pixel p = b.At(x, y);
  return {PixelRed(p), PixelGreen(p), PixelBlue(p)};
}

bool MainUiEnabled() {
  return FormHome->centralWidget()->isEnabled() && FormHome->menuBar()->isEnabled() && FormTools->isEnabled() &&
         FormHistory->isEnabled() && FormMil->isEnabled() && FormCanal->isEnabled();
}

struct WindowRow {
  int toolId;
  QWidget* (*window)();
  const char* caption;
  const char* label;
};

const WindowRow kWindows[] = {
    {5, [] { return static_cast<QWidget*>(FormRectangle); }, "Opcje prostokąta", "Prostokąt"},
    {6, [] { return static_cast<QWidget*>(FormElipsy); }, "Opcje elipsy", "Elipsa"},
    {7, [] { return static_cast<QWidget*>(FormRectangleRound); }, "Opcje prostokąta zaokrąglonego",
     "Prostokąt zaokrąglony"},
    {8, [] { return static_cast<QWidget*>(FormFraming); }, "Opcje kadrowania", "Kadrowanie"},
    {10, [] { return static_cast<QWidget*>(FormLine); }, "Opcje linii", "Linia prosta"},
    {11, [] { return static_cast<QWidget*>(FormLineBezier); }, "Opcje linii beziera", "Linia Beziera"},
    {12, [] { return static_cast<QWidget*>(FormTextHorz); }, "Opcje tekstu poziomego", "Tekst poziomy"},
    {13, [] { return static_cast<QWidget*>(FormTextVert); }, "Opcje tekstu pionowego", "Tekst pionowy"},
};

TEST(ShapeWindows, IconsAreEnabledAndEachWindowDisablesTheMainWindowUntilOK) {
  Open(test::Pattern(60, 40));
  for (const WindowRow& row : kWindows) {
    SCOPED_TRACE(row.caption);
    const ToolSlot* slot = FormTools->Slot(row.toolId);
    ASSERT_TRUE(slot);
    EXPECT_TRUE(slot->Icon->isEnabled());
    QWidget* w = row.window();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(row.caption));
    const int entries = FormHistory->Count();
    Pick(row.toolId);
    EXPECT_EQ(FormTools->ToolId, row.toolId);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(FormTools->x() + FormTools->width(), FormTools->y() + FormTools->height() / 2));
    EXPECT_FALSE(MainUiEnabled());
    if (row.toolId == 8) {  // a frame with some area, or OK has nothing to crop
      Stroke(8, {0, 0}, {60, 40});
    }
    auto* ok = w->findChild<QPushButton*>(QStringLiteral("OK"));
    ASSERT_TRUE(ok);
    ok->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(MainUiEnabled());
    EXPECT_EQ(FormTools->ToolId, 0);
    ASSERT_EQ(FormHistory->Count(), entries + 1);
    EXPECT_TRUE(FormHistory->Entries.back().Title.startsWith(QString::fromUtf8(row.label) + QStringLiteral(" - nr:")))
        << FormHistory->Entries.back().Title;
  }
}

// Real clicks on the disabled palette (the icons' event filter sees them)
// neither pick another tool nor change the colours.
TEST(ShapeWindows, TheDisabledPaletteIgnoresClicks) {
  Open(test::Solid(40, 30, Qt::white));
  Pick(5);
  ASSERT_FALSE(FormTools->isEnabled());
  const PackedColor primary = FormTools->PrimaryColor();
  for (int tool : {28, 6, 0}) QTest::mouseClick(FormTools->Slot(tool)->Icon, Qt::LeftButton);
  QTest::mouseClick(FormTools->ZamienKolory, Qt::LeftButton);
  EXPECT_EQ(FormTools->ToolId, 5);
  EXPECT_TRUE(FormRectangle->isVisible());
  EXPECT_FALSE(FormElipsy->isVisible());
  EXPECT_EQ(FormTools->PrimaryColor(), primary);
  // Nor does a click on a history row restore its entry.
  test::CommitChange(QStringLiteral("Zmiana"), MakePixel(1, 2, 3));
  ASSERT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  QTest::mouseClick(FormHistory->Entries[0].RowBox, Qt::LeftButton);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  FormRectangle->Anuluj->click();
  QTest::mouseClick(FormTools->Slot(6)->Icon, Qt::LeftButton);  // enabled again
  EXPECT_EQ(FormTools->ToolId, 6);
  EXPECT_TRUE(FormElipsy->isVisible());
}

TEST(ShapeWindows, PickingAnotherShapeToolClosesTheFirstWindowAndWithoutAPictureNothingOpens) {
  Pick(5);  // no picture yet
  EXPECT_FALSE(FormRectangle->isVisible());
  EXPECT_TRUE(MainUiEnabled());
  Open(test::Solid(30, 30, Qt::white));
  Pick(5);
  FormRectangle->Anuluj->click();
  Pick(6);
  EXPECT_FALSE(FormRectangle->isVisible());
  EXPECT_TRUE(FormElipsy->isVisible());
  EXPECT_EQ(FormElipsy->OSX->Max(), 30);
  EXPECT_EQ(FormElipsy->OSY2->Max(), 30);
}

struct Colours {
  Colours(QColor primary, QColor secondary) {
    FormTools->SetToolColor(ToolColor::Primary, ToPacked(primary));
    FormTools->SetToolColor(ToolColor::Secondary, ToPacked(secondary));
  }
};

TEST(ShapeWindows, RectangleOfWidthOneCoversItsCornersBoxFilledAndOutlined) {
  Open(test::Solid(20, 16, Qt::white));
  Colours c(QColor(255, 0, 0), QColor(0, 0, 255));
  Pick(5);
  FormRectangle->Size->SetPosition(1);
  struct Row {
    QPoint a, b;  // the corners as pressed and dragged
    QRect box;    // the pixels covered
  };
  const Row rows[] = {
      {{3, 4}, {11, 10}, QRect(3, 4, 8, 6)},
      {{11, 10}, {3, 4}, QRect(3, 4, 8, 6)},  // reversed corners
      {{11, 4}, {3, 10}, QRect(3, 4, 8, 6)},
      {{5, 2}, {6, 9}, QRect(5, 2, 1, 7)},    // one column
      {{0, 0}, {20, 16}, QRect(0, 0, 20, 16)},
      {{7, 7}, {7, 12}, QRect()},             // no width: nothing
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.a.x() * 100 + r.b.x());
    Stroke(5, r.a, r.b);
    const Bitmap& work = Doc().WorkImage;
    const QRect& box = r.box;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool inside = box.contains(x, y);
        const bool edge = inside && (x == box.left() || x == box.right() || y == box.top() || y == box.bottom());
        const Rgb want = !inside ? Rgb{255, 255, 255} : edge ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
        ASSERT_EQ(RgbOf(work, x, y), want) << x << "," << y;
      }
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), work);
    EXPECT_EQ(Doc().BackupImage, test::ToBitmap(test::Solid(20, 16, Qt::white)));
  }
  Stroke(5, {3, 4}, {11, 10});
  FormRectangle->OK->click();
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  EXPECT_EQ(RgbOf(Doc().BackupImage, 5, 6), (Rgb{255, 0, 0}));
}

TEST(ShapeWindows, HalfOpacityAndTheSelectionMaskReachTheFigure) {
  Open(test::Solid(20, 20, Qt::black));
  Colours c(Qt::white, Qt::white);
  // The left half unselected.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) Doc().SelectionMask.Set(x, y, 0);
  Pick(5);
  FormRectangle->Transparent->SetPosition(50);
  Stroke(5, {2, 2}, {18, 18});
  const Bitmap& work = Doc().WorkImage;
  EXPECT_EQ(RgbOf(work, 14, 10), (Rgb{127, 127, 127}));
  EXPECT_EQ(RgbOf(work, 19, 19), (Rgb{0, 0, 0}));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(work.At(x, y), Doc().BackupImage.At(x, y)) << x << "," << y;
}

TEST(ShapeWindows, AnulujAfterSeveralRendersRestoresThePictureAsPicked) {
  Open(test::Pattern(40, 30, 3));
  const Bitmap before = Doc().WorkImage;
  const int entries = FormHistory->Count();
  Colours c(Qt::red, Qt::green);
  for (int tool : {5, 6, 7, 10, 11, 12, 13}) {
    SCOPED_TRACE(tool);
    Pick(tool);
    if (tool == 12) FormTextHorz->Text->setText(QStringLiteral("Ab"));
    if (tool == 13) FormTextVert->Text->setText(QStringLiteral("Ab"));
    Stroke(tool, {2, 3}, {30, 25});
    Stroke(tool, {35, 20}, {-5, -5}, Qt::RightButton);
    EXPECT_NE(Doc().WorkImage, before);
    QPushButton* anuluj = nullptr;
    for (const WindowRow& row : kWindows)
      if (row.toolId == tool) anuluj = row.window()->findChild<QPushButton*>(QStringLiteral("Anuluj"));
    ASSERT_TRUE(anuluj);
    anuluj->click();
    EXPECT_EQ(Doc().WorkImage, before);
    EXPECT_EQ(Doc().BackupImage, before);
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), before);
    EXPECT_TRUE(MainUiEnabled());
    EXPECT_EQ(FormTools->ToolId, 0);
  }
  EXPECT_EQ(FormHistory->Count(), entries);
}

TEST(ShapeWindows, TextInThePicturesOwnColourChangesNothing) {
  Open(test::Solid(200, 120, QColor(10, 20, 30)));
  Colours c(QColor(10, 20, 30), Qt::white);
  Pick(12);
  FormTextHorz->Text->setText(QStringLiteral("WM"));
  Stroke(12, {0, 0}, {5, 5});
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  // The same text in another colour does mark the picture, and where it
  // starts: nothing left of or above the origin.
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(250, 250, 250));
  Stroke(12, {0, 0}, {20, 10});
  int changed = 0, leftOfOrigin = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x)
      if (Doc().WorkImage.At(x, y) != Doc().BackupImage.At(x, y)) {
        ++changed;
        if (x < 20 || y < 10) ++leftOfOrigin;
      }
  EXPECT_GT(changed, 50);
  EXPECT_EQ(leftOfOrigin, 0);
}

// Where the text's pixels are: the bounding box of the changed pixels.
QRect ChangedBox() {
  QRect box;
  const Bitmap& a = Doc().WorkImage;
  const Bitmap& b = Doc().BackupImage;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(ShapeWindows, CharactersOneAtATimeAdvanceByRun) {
  Open(test::Solid(900, 900, Qt::white));
  Colours c(Qt::black, Qt::white);
  Pick(12);
  FormTextHorz->Text->setText(QStringLiteral("I"));
  Stroke(12, {10, 10}, {10, 10});
  const QRect single = ChangedBox();
  ASSERT_FALSE(single.isEmpty());
  FormTextHorz->Text->setText(QStringLiteral("II"));
  FormTextHorz->Run->SetPosition(300);
  EXPECT_FALSE(FormTextHorz->Run->isEnabled());
  FormTextHorz->RunCheck->setChecked(true);  // renders again
  EXPECT_TRUE(FormTextHorz->Run->isEnabled());
  const QRect spaced = ChangedBox();
  EXPECT_EQ(spaced.left(), single.left());
  EXPECT_EQ(spaced.right(), single.right() + 300);
  EXPECT_EQ(spaced.top(), single.top());
  EXPECT_EQ(spaced.bottom(), single.bottom());
  FormTextHorz->Anuluj->click();
  Pick(13);
  FormTextVert->Text->setText(QStringLiteral("II"));
  FormTextVert->Run->SetPosition(250);
  Stroke(13, {10, 10}, {10, 10});
  const QRect vertical = ChangedBox();
  EXPECT_EQ(vertical.left(), single.left());
  EXPECT_EQ(vertical.right(), single.right());
  EXPECT_EQ(vertical.top(), single.top());
  EXPECT_EQ(vertical.bottom(), single.bottom() + 250);
}

TEST(ShapeWindows, ANewFontMovesTheOriginMinimumToMinusTenTimesItsSize) {
  Open(test::Solid(50, 40, Qt::white));
  Pick(12);
  EXPECT_EQ(FormTextHorz->OSX->Min(), -10 * FormTextHorz->ChosenFont().pointSize());
  QFont big = FormTextHorz->ChosenFont();
  big.setPointSize(12);
  SetFontChooser([big](const QFont&) { return std::optional<QFont>(big); });
  FormTextHorz->UstawCzcionke->click();
  SetFontChooser({});
  EXPECT_EQ(FormTextHorz->OSX->Min(), -120);
  EXPECT_EQ(FormTextHorz->OSY->Min(), -120);
  EXPECT_EQ(FormTextHorz->OSX->Max(), 50);
  // Text may start above and left of the picture.
  FindPointerTarget(12)->Press(At(-100, -90));
  EXPECT_EQ(FormTextHorz->OSX->Position(), -100);
  EXPECT_EQ(FormTextHorz->OSY->Position(), -90);
}

TEST(ShapeWindows, PointerRoutingOfTheBezierLineAndTheWheel) {
  Open(test::Solid(100, 80, Qt::white));
  Pick(11);
  PointerTarget* t = FindPointerTarget(11);
  t->Press(At(5, 6));
  t->Drag(At(50, 40));  // left drag: the end
  t->Press(At(70, 10, Qt::RightButton));
  t->Drag(At(72, 12, Qt::RightButton));  // right: the control point
  EXPECT_EQ(QPoint(FormLineBezier->OSX->Position(), FormLineBezier->OSY->Position()), QPoint(5, 6));
  EXPECT_EQ(QPoint(FormLineBezier->OSX2->Position(), FormLineBezier->OSY2->Position()), QPoint(72, 12));
  EXPECT_EQ(QPoint(FormLineBezier->OSX3->Position(), FormLineBezier->OSY3->Position()), QPoint(50, 40));
  t->Wheel(-4, false);
  EXPECT_EQ(FormLineBezier->Transparent->Position(), 96);
  t->Wheel(+4, true);
  EXPECT_EQ(FormLineBezier->Size->Position(), 9);
  FormLineBezier->Anuluj->click();
  Pick(13);
  FindPointerTarget(13)->Wheel(-4, true);
  EXPECT_EQ(FormTextVert->Run->Position(), 196);
  FindPointerTarget(13)->Wheel(-4, false);
  EXPECT_EQ(FormTextVert->Transparent->Position(), 96);
  FormTextVert->Anuluj->click();
  Pick(7);
  EXPECT_EQ(FormRectangleRound->OSX3->Position(), 50);
  EXPECT_EQ(FormRectangleRound->OSY3->Position(), 40);
  EXPECT_TRUE(FormRectangleRound->OSX3->isVisibleTo(FormRectangleRound));
  EXPECT_FALSE(FormRectangleRound->OSX2->isVisibleTo(FormRectangleRound));
}

// A pointer move previews the figure as drawn (no blending) on the display
// alone; the release, a new "Tryb" and each typed key render it into the
// working picture; "Grubość" and "Krycie" of a shape wait for the next render.
TEST(ShapeWindows, PreviewOnTheDisplayRenderOnReleaseModeAndKeys) {
  Open(test::Solid(40, 30, Qt::black));
  Colours c(Qt::white, Qt::white);
  Pick(5);
  FormRectangle->Transparent->SetPosition(50);
  PointerTarget* t = FindPointerTarget(5);
  t->Press(At(4, 4));
  t->Drag(At(30, 20));
  EXPECT_EQ(RgbOf(FormImageHome->ObrazDlaUsera->Picture(), 10, 10), (Rgb{255, 255, 255}));
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  t->Release(At(30, 20));
  EXPECT_EQ(RgbOf(Doc().WorkImage, 10, 10), (Rgb{127, 127, 127}));
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), Doc().WorkImage);
  FormRectangle->Transparent->SetPosition(100);
  FormRectangle->Size->SetPosition(9);
  EXPECT_EQ(RgbOf(Doc().WorkImage, 10, 10), (Rgb{127, 127, 127}));
  EXPECT_EQ(FormRectangle->findChild<QLabel*>(QStringLiteral("SizeLabel"))->text(), QStringLiteral("9"));
  // "Różnica" of white over black at full opacity: white.
  FormRectangle->Tryb->setCurrentIndex(FindBlendMode("Różnica"));
  EXPECT_EQ(RgbOf(Doc().WorkImage, 10, 10), (Rgb{255, 255, 255}));
  FormRectangle->Anuluj->click();

  Pick(12);
  FormTextHorz->Text->clear();
  FindPointerTarget(12)->Press(At(0, 0));
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  QTest::keyClicks(FormTextHorz->Text, QStringLiteral("H"));
  EXPECT_NE(Doc().WorkImage, Doc().BackupImage);
}

// Whatever the figure, every pixel it draws lies inside the region the
// render scans (which for texts and curves is far smaller than the picture).
TEST(ShapeWindows, FiguresDrawOnlyInsideTheirScanRegion) {
  const Bitmap backup = test::ToBitmap(test::Solid(700, 500, Qt::white));
  QFont italic = DefaultToolFont();
  italic.setItalic(true);
  italic.setPointSize(5);
  struct Row {
    FigureKind kind;
    QPoint p1, p2, p3;
    int size;
    QString text;
    QFont font;
    bool perChar;
  };
  const Row rows[] = {
      {FigureKind::Rectangle, {650, 20}, {100, 480}, {}, 300, {}, {}, false},
      {FigureKind::Ellipse, {10, 10}, {90, 60}, {}, 41, {}, {}, false},
      {FigureKind::RoundRect, {10, 10}, {300, 200}, {300, 200}, 9, {}, {}, false},
      {FigureKind::Line, {600, 10}, {20, 450}, {}, 77, {}, {}, false},
      {FigureKind::Bezier, {10, 490}, {690, -200}, {350, 480}, 35, {}, {}, false},
      {FigureKind::TextHorz, {-30, 100}, {}, {}, 1, QStringLiteral("Wąż fj ŻÓŁĆ"), italic, false},
      {FigureKind::TextHorz, {5, 5}, {}, {}, 1, QStringLiteral("Ąfgjy"), DefaultToolFont(), true},
      {FigureKind::TextVert, {300, -40}, {}, {}, 1, QStringLiteral("Wgj"), italic, false},
  };
  for (const Row& r : rows) {
    FigureSpec f;
    f.Kind = r.kind;
    f.P1 = r.p1;
    f.P2 = r.p2;
    f.P3 = r.p3;
    f.Size = r.size;
    f.Text.Text = r.text;
    f.Text.Font = r.font;
    f.Text.Vertical = r.kind == FigureKind::TextVert;
    f.Text.CharacterByCharacter = r.perChar;
    f.Text.Run = 90;
    const Bitmap drawn = DrawFigureScratch(backup, f, WholePicture(700, 500));
    const ShapeRegion region = FigureScanRegion(f, 700, 500);
    int changed = 0, outside = 0;
    for (int y = 0; y < 500; ++y)
      for (int x = 0; x < 700; ++x)
        if (drawn.At(x, y) != backup.At(x, y)) {
          ++changed;
          if (x < region.x0 || x >= region.x1 || y < region.y0 || y >= region.y1) ++outside;
        }
    EXPECT_GT(changed, 0) << static_cast<int>(r.kind);
    EXPECT_EQ(outside, 0) << static_cast<int>(r.kind);
  }
}

// Renders restore and show only what the last one changed; after many moves
// the picture is what one render from the backup gives.
TEST(ShapeWindows, ManyRendersEndAsOneRenderFromTheBackup) {
  Open(test::Pattern(120, 90, 4));
  Colours c(QColor(200, 10, 10), QColor(10, 10, 200));
  Pick(6);
  FormElipsy->Transparent->SetPosition(70);
  Stroke(6, {5, 5}, {100, 80});
  Stroke(6, {60, 40}, {110, 85});
  FindPointerTarget(6)->Press(At(30, 20));  // a preview in between
  Stroke(6, {20, 30}, {50, 60}, Qt::RightButton);
  const FigureSpec f = FormElipsy->CurrentFigure();
  Bitmap expected = Doc().BackupImage;
  CPixelEngine e;
  ShapeComposeArgs a;
  a.Transparent = 70;
  a.Region = WholePicture(120, 90);
  ComposeShapeReference(e, expected, Doc().BackupImage, DrawFigureScratch(Doc().BackupImage, f, a.Region),
                        Doc().SelectionMask, a);
  EXPECT_EQ(Doc().WorkImage, expected);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), expected);
}

TEST(Framing, CropsTheBackupNotThePreviewWithANewSelection) {
  const QImage picture = test::Pattern(90, 60, 5);
  Open(picture);
  Doc().SelectionMask.Fill(30);
  FormTools->SelectionKind = 1;
  Pick(8);
  PointerTarget* t = FindPointerTarget(8);
  t->Press(At(70, 50));
  t->Drag(At(10, 5));  // reversed corners
  t->Release(At(10, 5));
  // The preview is on the display only.
  EXPECT_NE(FormImageHome->ObrazDlaUsera->Picture(), Doc().BackupImage);
  EXPECT_EQ(Doc().WorkImage, Doc().BackupImage);
  const int entries = FormHistory->Count();
  FormFraming->OK->click();
  EXPECT_EQ(Doc().Width(), 60);
  EXPECT_EQ(Doc().Height(), 45);
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(picture.copy(10, 5, 60, 45)));
  EXPECT_EQ(Doc().BackupImage, Doc().WorkImage);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), Doc().WorkImage);
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(60, 45, 100));
  EXPECT_EQ(FormTools->SelectionKind, 0);
  EXPECT_EQ(FormHistory->Count(), entries + 1);
  EXPECT_TRUE(MainUiEnabled());
}

TEST(Framing, AFrameWithoutAreaIsNotCroppedAndAnulujRestores) {
  Open(test::Pattern(50, 40, 2));
  const Bitmap before = Doc().WorkImage;
  Pick(8);
  FindPointerTarget(8)->Press(At(20, 10));
  FindPointerTarget(8)->Drag(At(20, 30));  // no width
  FormFraming->OK->click();
  EXPECT_TRUE(FormFraming->isVisible());
  EXPECT_EQ(Doc().Width(), 50);
  FormFraming->Anuluj->click();
  EXPECT_FALSE(FormFraming->isVisible());
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), before);
  EXPECT_TRUE(MainUiEnabled());
}

}  // namespace
}  // namespace rv
