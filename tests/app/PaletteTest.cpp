// The tool, channels and colour palettes, the platform helpers they stand
// on, the welcome screen and the start-up layout.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QGroupBox>
#include <QTest>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "app/UnitWelcome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "history/UnitOptionsMileStone.h"
#include "tools/UnitCanal.h"
#include "tools/UnitColor.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Shape.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {
namespace {

TEST(TrackBar, RefusesCrossingEndsClampsAndSignalsRealChanges) {
  ui::TrackBar bar(0, 100, 50);
  QSignalSpy changed(&bar, &ui::TrackBar::Changed);
  EXPECT_FALSE(bar.SetMin(150));  // above the maximum: ignored
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_FALSE(bar.SetMax(-5));  // below the minimum: ignored
  EXPECT_EQ(bar.Max(), 100);
  bar.SetPosition(50);  // no change, no signal
  EXPECT_EQ(changed.count(), 0);
  bar.SetPosition(500);
  EXPECT_EQ(bar.Position(), 100);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.takeFirst().at(0).toInt(), 100);
  bar.SetPosition(-10);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_TRUE(bar.SetMin(20));  // the position follows into the range
  EXPECT_EQ(bar.Position(), 20);
  EXPECT_EQ(changed.count(), 2);
  // A range set minimum first: -width then width would be refused in the
  // other order from 0..0.
  ui::TrackBar shift(0, 0, 0);
  shift.SetRange(-300, 300);
  EXPECT_EQ(shift.Min(), -300);
  EXPECT_EQ(shift.Max(), 300);
  ui::TrackBar narrow(0, 10, 5);
  narrow.SetRange(20, 30);  // minimum refused, maximum taken
  EXPECT_EQ(narrow.Min(), 0);
  EXPECT_EQ(narrow.Max(), 30);
}

TEST(Windows, SnapToWorkArea) {
  const QRect area(0, 0, 1600, 1000);
  struct Case {
    QRect Proposed;
    QPoint Expected;
  };
  const Case cases[] = {
      {QRect(25, 300, 56, 400), QPoint(0, 300)},      // left edge within 30
      {QRect(30, 300, 56, 400), QPoint(0, 300)},      // exactly 30
      {QRect(31, 300, 56, 400), QPoint(31, 300)},     // too far
      {QRect(-20, 300, 56, 400), QPoint(0, 300)},     // past the edge
      {QRect(1360, 300, 218, 100), QPoint(1382, 300)},  // right edge 1578 within 30 of 1600
      {QRect(1400, 300, 218, 100), QPoint(1382, 300)},  // 1618 past the right edge
      {QRect(500, 10, 100, 100), QPoint(500, 0)},     // top
      {QRect(500, 880, 100, 100), QPoint(500, 900)},  // bottom 980
      {QRect(500, 500, 100, 100), QPoint(500, 500)},  // far from every edge
  };
  for (const Case& c : cases) EXPECT_EQ(ui::SnapToWorkArea(area, c.Proposed), c.Expected) << c.Proposed.x();
  // A work area that does not start at 0 (a panel on the left or top).
  EXPECT_EQ(ui::SnapToWorkArea(QRect(40, 30, 1560, 970), QRect(60, 50, 56, 56)), QPoint(40, 30));
}

TEST(Windows, PalettesSnapWhenMoved) {
  const QRect area = FormTools->screen()->availableGeometry();
  for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormCanal),
                     static_cast<QWidget*>(FormColor), static_cast<QWidget*>(FormHistory),
                     static_cast<QWidget*>(FormMil)}) {
    w->move(area.left() + 12, area.top() + 300);
    EXPECT_EQ(w->frameGeometry().x(), area.left()) << w->objectName().toStdString();
  }
}

TEST(Windows, ToolWindowStyle) {
  for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormCanal),
                     static_cast<QWidget*>(FormColor), static_cast<QWidget*>(FormHistory),
                     static_cast<QWidget*>(FormMil), static_cast<QWidget*>(FormImageHome),
                     static_cast<QWidget*>(FormOptionsMileStone)}) {
    const Qt::WindowFlags f = w->windowFlags();
    EXPECT_TRUE(f.testFlag(Qt::WindowStaysOnTopHint)) << w->objectName().toStdString();
    EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool) << w->objectName().toStdString();
    EXPECT_FALSE(f.testFlag(Qt::WindowCloseButtonHint)) << w->objectName().toStdString();
    EXPECT_FALSE(f.testFlag(Qt::WindowMinMaxButtonsHint)) << w->objectName().toStdString();
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(0xA0, 0xA0, 0xA4)) << w->objectName().toStdString();
  }
}

TEST(StartUp, WindowsVisibleAtStartAndTheirPlaces) {
  EXPECT_TRUE(FormHome->isVisible());
  EXPECT_EQ(FormHome->windowTitle(), QStringLiteral("Rastrovia 2.0"));
  EXPECT_TRUE(FormHome->windowState().testFlag(Qt::WindowMaximized));
  for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormCanal),
                     static_cast<QWidget*>(FormColor), static_cast<QWidget*>(FormHistory),
                     static_cast<QWidget*>(FormMil), static_cast<QWidget*>(FormWelcome)})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
  EXPECT_FALSE(FormImageHome->isVisible());
  EXPECT_FALSE(FormOptionsMileStone->isVisible());
  const int right = FormHome->width();
  // Outer edges: the frame's right edge meets the main window's.
  const std::pair<QWidget*, int> right_aligned[] = {{FormHistory, 290}, {FormMil, 430}, {FormCanal, 570}, {FormColor, 150}};
  for (const auto& [w, top] : right_aligned) {
    EXPECT_EQ(w->frameGeometry().right() + 1, right) << w->objectName();
    EXPECT_EQ(w->frameGeometry().top(), top) << w->objectName();
  }
  EXPECT_EQ(FormTools->width(), 56);
  EXPECT_EQ(FormTools->frameGeometry().x(), 0);
  EXPECT_EQ(FormTools->frameGeometry().y(), FormTools->screen()->geometry().height() / 2 - FormTools->frameGeometry().height() / 2);
  EXPECT_EQ(FormHistory->size(), QSize(218, 100));
  EXPECT_EQ(FormImageHome->size(), QSize(425, 406));
}

TEST(ToolPalette, LooksOfTheToolFrames) {
  FormTools->SelectTool(0);
  const ToolSlot* cursor = FormTools->Slot(0);
  const ToolSlot* brush = FormTools->Slot(28);
  ASSERT_TRUE(cursor && brush);
  EXPECT_EQ(cursor->Frame->Pen(), SelectedFramePen());
  EXPECT_EQ(cursor->Frame->Fill(), SelectedFrameFill());
  EXPECT_EQ(brush->Frame->Pen(), NeutralFrameColor());
  FormTools->HoverTool(28);
  EXPECT_EQ(brush->Frame->Pen(), HoverFramePen());
  EXPECT_EQ(brush->Frame->Fill(), HoverFrameFill());
  FormTools->HoverTool(0);  // the selected icon keeps its look while hovered
  EXPECT_EQ(cursor->Frame->Pen(), SelectedFramePen());
  EXPECT_EQ(brush->Frame->Pen(), NeutralFrameColor());
  // Moving over a panel's background removes the hover look.
  FormTools->HoverTool(28);
  QTest::mouseMove(FormTools->Panel(QStringLiteral("PanelFigures")), QPoint(2, 2));
  EXPECT_EQ(brush->Frame->Pen(), NeutralFrameColor());
  EXPECT_EQ(cursor->Frame->Pen(), SelectedFramePen());
  // The frame wraps its icon by one pixel.
  EXPECT_EQ(brush->Frame->geometry(), brush->Icon->geometry().adjusted(-1, -1, 1, 1));
  // A tool number without an icon highlights nothing.
  FormTools->SelectTool(9);
  for (const ToolSlot& s : FormTools->Slots()) EXPECT_EQ(s.Frame->Pen(), NeutralFrameColor()) << s.ToolId;
}

TEST(ToolPalette, ToolsOfLaterWorkAreShownDisabledUntilConnected) {
  EXPECT_TRUE(FormTools->Slot(0)->Icon->isEnabled());
  EXPECT_EQ(FormTools->Slots().size(), 32);
  for (const ToolSlot& s : FormTools->Slots()) EXPECT_EQ(s.Icon->isEnabled(), static_cast<bool>(s.Click)) << s.Name;
  // A tool without its work is shown disabled and ignores clicks.
  FormTools->ConnectTool(28, {});
  EXPECT_FALSE(FormTools->Slot(28)->Icon->isEnabled());
  QTest::mousePress(FormTools->Slot(28)->Icon, Qt::LeftButton);
  EXPECT_NE(FormTools->ToolId, 28);
  int clicks = 0;
  FormTools->ConnectTool(28, [&clicks] { ++clicks; });
  EXPECT_TRUE(FormTools->Slot(28)->Icon->isEnabled());
  QTest::mousePress(FormTools->Slot(28)->Icon, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(FormTools->Slot(28)->Hint, QStringLiteral("Pędzel"));
}

TEST(ToolPalette, OptionWindowsArePlacedBesideThePaletteAndClosed) {
  QWidget option;
  FormTools->RegisterOptionWindow(&option);
  FormTools->PlaceOptionWindow(&option);
  EXPECT_EQ(option.pos(), QPoint(FormTools->x() + FormTools->width(), FormTools->y() + FormTools->height() / 2));
  option.show();
  FormHome->OpenDroppedFiles({test::WriteImage("o.png", test::Pattern(10, 10))});
  EXPECT_FALSE(option.isVisible());  // opening a picture closes the option windows
}

TEST(Colors, ColourShapesOpenTheColourDialog) {
  std::optional<QColor> answer = QColor(10, 20, 30);
  ui::SetColorChooser([&answer](const QColor&) { return answer; });
  QTest::mousePress(FormTools->KolorDodatkowy, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(10, 20, 30));
  EXPECT_EQ(FormColor->State.SecondaryColor, MakePacked(10, 20, 30));
  EXPECT_EQ(FormColor->KolorDodatkowy->Fill(), QColor(10, 20, 30));
  answer.reset();  // Cancel changes nothing
  QTest::mousePress(FormTools->KolorGlowny, Qt::LeftButton, {}, QPoint(5, 5));
  ui::SetColorChooser({});
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(0, 0, 0));
}

TEST(Colors, MovingABarSetsTheEditedColourInBothPalettes) {
  FormColor->BarR->SetPosition(200);
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(200, 0, 0));
  EXPECT_EQ(FormColor->State.PrimaryColor, MakePacked(200, 0, 0));
  EXPECT_EQ(FormColor->KolorGlowny->Fill(), QColor(200, 0, 0));
  EXPECT_EQ(FormTools->KolorGlowny->Pen(), QColor(55, 255, 255));
  EXPECT_EQ(FormColor->LR->text(), QStringLiteral("200"));
  EXPECT_EQ(FormColor->State.R, 200);
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(255, 255, 255));
}

TEST(Colors, SwapTwiceRestoresColoursAndOutlines) {
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(10, 200, 30));
  const QColor p = FormTools->KolorGlowny->Fill(), s = FormTools->KolorDodatkowy->Fill();
  const QColor pp = FormTools->KolorGlowny->Pen(), sp = FormTools->KolorDodatkowy->Pen();
  FormTools->SwapColors();
  EXPECT_EQ(FormTools->KolorGlowny->Fill(), s);
  EXPECT_EQ(FormColor->KolorDodatkowy->Fill(), p);
  EXPECT_EQ(FormColor->State.PrimaryColor, ToPacked(s));
  EXPECT_EQ(FormColor->State.SecondaryColor, ToPacked(p));
  EXPECT_EQ(FormTools->KolorGlowny->Pen(), sp);
  FormTools->SwapColors();
  EXPECT_EQ(FormTools->KolorGlowny->Fill(), p);
  EXPECT_EQ(FormTools->KolorDodatkowy->Fill(), s);
  EXPECT_EQ(FormTools->KolorGlowny->Pen(), pp);
  EXPECT_EQ(FormTools->KolorDodatkowy->Pen(), sp);
}

TEST(Colors, ResetGivesBlackAndWhiteWithOpposedOutlines) {
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(1, 2, 3));
  FormTools->SetToolColor(ToolColor::Secondary, MakePacked(4, 5, 6));
  QTest::mousePress(FormTools->ResetujKolory, Qt::LeftButton);
  EXPECT_EQ(FormTools->KolorGlowny->Fill(), QColor(Qt::black));
  EXPECT_EQ(FormTools->KolorGlowny->Pen(), QColor(Qt::white));
  EXPECT_EQ(FormTools->KolorDodatkowy->Fill(), QColor(Qt::white));
  EXPECT_EQ(FormTools->KolorDodatkowy->Pen(), QColor(Qt::black));
  EXPECT_EQ(FormColor->State.PrimaryColor, MakePacked(0, 0, 0));
  EXPECT_EQ(FormColor->State.SecondaryColor, MakePacked(255, 255, 255));
  // The colour palette outlines the edited (primary, black) shape in white.
  EXPECT_EQ(FormColor->KolorGlowny->Pen(), QColor(Qt::white));
  EXPECT_EQ(FormColor->KolorDodatkowy->Pen(), QColor(Qt::white));
}

TEST(Colors, EditingTheSecondaryColourSurvivesASwap) {
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(30, 60, 90));
  QTest::mousePress(FormColor->KolorDodatkowy, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(FormColor->State.EditSecondary);
  EXPECT_EQ(FormColor->KolorDodatkowy->Pen(), QColor(Qt::black));
  EXPECT_EQ(FormColor->BarR->Position(), 255);  // the bars show white
  EXPECT_EQ(FormColor->State.PrimaryColor, MakePacked(30, 60, 90));  // nothing re-applied
  QTest::mousePress(FormTools->ZamienKolory, Qt::LeftButton);
  EXPECT_TRUE(FormColor->State.EditSecondary);
  EXPECT_EQ(FormColor->State.SecondaryColor, MakePacked(30, 60, 90));
  EXPECT_EQ(FormColor->BarG->Position(), 60);
  FormColor->BarB->SetPosition(0);
  EXPECT_EQ(FormTools->SecondaryColor(), MakePacked(30, 60, 0));
  EXPECT_EQ(FormTools->PrimaryColor(), MakePacked(255, 255, 255));
  // Pressing the shape already edited changes nothing.
  QTest::mousePress(FormColor->KolorDodatkowy, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(FormColor->State.EditSecondary);
}

TEST(Colors, ContrastOutlineThreshold) {
  EXPECT_EQ(ContrastOutline(QColor(128, 128, 128)), QColor(Qt::black));
  EXPECT_EQ(ContrastOutline(QColor(127, 128, 128)), QColor(Qt::white));  // mean 127
  EXPECT_EQ(ContrastOutline(QColor(255, 129, 0)), QColor(Qt::black));    // mean 128
  EXPECT_EQ(ContrastOutline(QColor(0, 0, 0)), QColor(Qt::white));
}

TEST(Colors, GradientStripsShowOneComponentRunning) {
  FormColor->PaintColorBars(10, 20, 30);
  const Bitmap& r = FormColor->ImageR->Picture();
  const Bitmap& g = FormColor->ImageG->Picture();
  ASSERT_EQ(r.Width(), 109);
  ASSERT_EQ(r.Height(), 6);
  EXPECT_EQ(r.At(0, 0) & 0xFFFFFFu, PixelToPacked(0) == 0 ? MakePixel(0, 20, 30) & 0xFFFFFFu : 0u);
  EXPECT_EQ(PixelRed(r.At(54, 3)), 124);
  EXPECT_EQ(PixelRed(r.At(108, 5)), 252);
  EXPECT_EQ(PixelGreen(r.At(54, 3)), 20);
  EXPECT_EQ(PixelGreen(g.At(108, 0)), 252);
  EXPECT_EQ(PixelRed(g.At(108, 0)), 10);
  EXPECT_EQ(PixelBlue(FormColor->ImageB->Picture().At(54, 0)), 124);
}

TEST(Channels, SelectingARowHighlightsItAndTicksItsRadio) {
  const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
  QTest::mousePress(FormCanal->RowLabel(1), Qt::LeftButton);
  EXPECT_EQ(FormCanal->ActiveChannel, 1);
  EXPECT_TRUE(FormCanal->RRadio->isChecked());
  EXPECT_EQ(FormCanal->RCanalBox->palette().color(QPalette::Window), highlight);
  EXPECT_EQ(FormCanal->Label2->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(FormCanal->AllCanalBox->palette().color(QPalette::Window), ui::PaletteGrey());
  FormCanal->BRadio->click();
  EXPECT_EQ(FormCanal->ActiveChannel, 3);
  EXPECT_EQ(FormCanal->RCanalBox->palette().color(QPalette::Window), ui::PaletteGrey());
  // Hover colours a row but never changes the channel.
  FormCanal->HoverChannelRow(2);
  EXPECT_NE(FormCanal->GCanalBox->palette().color(QPalette::Window), ui::PaletteGrey());
  EXPECT_EQ(FormCanal->BCanalBox->palette().color(QPalette::Window), highlight);
  EXPECT_EQ(FormCanal->ActiveChannel, 3);
  // Opening a picture returns to all channels.
  FormHome->OpenDroppedFiles({test::WriteImage("ch.png", test::Pattern(10, 10))});
  EXPECT_EQ(FormCanal->ActiveChannel, 0);
  EXPECT_TRUE(FormCanal->AllRadio->isChecked());
}

TEST(Welcome, LinksOpenTheHelpPages) {
  QList<QUrl> opened;
  SetWebPageOpener([&opened](const QUrl& u) { opened.append(u); });
  ASSERT_EQ(FormWelcome->Links.size(), 7);
  for (QLabel* l : FormWelcome->Links) QTest::mouseClick(l, Qt::LeftButton);
  SetWebPageOpener({});
  ASSERT_EQ(opened.size(), 7);
  const QStringList files = {"index.html", "o-projekcie.html", "opis-palet.html", "opis-narzedzi.html",
                             "o-trybach.html", "filtry.html", "tutoriale.html"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(opened[i].isLocalFile());
    EXPECT_EQ(QFileInfo(opened[i].toLocalFile()).fileName(), files[i]);
    EXPECT_TRUE(QFileInfo::exists(opened[i].toLocalFile())) << opened[i].toString().toStdString();
    EXPECT_TRUE(opened[i].toString().startsWith(WebSiteBase()));
  }
  EXPECT_EQ(FormWelcome->Links[0]->text(), QStringLiteral("Strona główna"));
  EXPECT_EQ(FormWelcome->Links[6]->parentWidget(), static_cast<QWidget*>(FormWelcome->GroupBox2));
}

TEST(Welcome, ClosingHidesAndF1ShowsAgain) {
  EXPECT_EQ(FormWelcome->windowTitle(), QStringLiteral("Rastrovia 2.0 - Ekran powitalny"));
  FormWelcome->close();
  EXPECT_FALSE(FormWelcome->isVisible());
  FormHome->Menus().Bar(QStringLiteral("Oautorze1"))->trigger();
  EXPECT_TRUE(FormWelcome->isVisible());
  FormWelcome->close();
  FormHome->Menus().Hand(QStringLiteral("HandInformacje"))->trigger();
  EXPECT_TRUE(FormWelcome->isVisible());
}

}  // namespace
}  // namespace rv
