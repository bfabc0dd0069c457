// The history and milestones palettes and their commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "AppTestSupport.h"
#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "history/UnitOptionsMileStone.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"
#include "ui/Windows.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }

QStringList Rows() {
  QStringList out;
  for (const CHistory& e : FormHistory->Entries) out.append(e.RowBox->Text());
  return out;
}

const Pixel kContrast = MakePixel(200, 10, 10);
const Pixel kSepia = MakePixel(120, 90, 60);

// A picture and two changes on it: Otwórz, Kontrast, Sepia.
QString OpenWithTwoChanges() {
  const QString path = test::WriteImage("h.png", test::Pattern(60, 40));
  FormHome->OpenDroppedFiles({path});
  test::CommitChange(QStringLiteral("Kontrast"), kContrast);
  test::CommitChange(QStringLiteral("Sepia"), kSepia);
  return path;
}

TEST(History, NewEntriesAppendAfterStepsBack) {
  FormHome->OpenDroppedFiles({test::WriteImage("h.png", test::Pattern(60, 40))});
  test::CommitChange(QStringLiteral("Kontrast"), kContrast);
  FormHome->Menus().Bar(QStringLiteral("Cofnij1"))->trigger();  // "Do tyłu"
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(60, 40)));
  test::CommitChange(QStringLiteral("Sepia"), kSepia);
  EXPECT_EQ(Rows(), QStringList({"Otwórz - nr: 0", "Kontrast - nr: 1", "Sepia - nr: 2"}));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 2);
  FormHistory->RestoreHistoryEntry(1);
  EXPECT_EQ(Doc().WorkImage.At(0, 0), kContrast);
}

TEST(History, CurrentRowIsHighlightedWithWhiteText) {
  OpenWithTwoChanges();
  FormHistory->RestoreHistoryEntry(1);
  for (int i = 0; i < 3; ++i) {
    const ui::ListRow* r = FormHistory->Entries[i].RowBox;
    EXPECT_EQ(r->Background(), i == 1 ? CurrentRowColor() : ui::PaletteGrey()) << i;
    EXPECT_EQ(r->TextColor(), i == 1 ? QColor(Qt::white) : QColor(Qt::black)) << i;
  }
  FormHistory->HoverHistoryRow(2);
  EXPECT_EQ(FormHistory->Entries[2].RowBox->Background(), HoverRowColor());
  FormHistory->HoverHistoryRow(1);  // the current row keeps its highlight
  EXPECT_EQ(FormHistory->Entries[1].RowBox->Background(), CurrentRowColor());
  FormHome->FormMouseMove();
  EXPECT_EQ(FormHistory->Entries[2].RowBox->Background(), ui::PaletteGrey());
}

TEST(History, PressingARowRestoresIt) {
  OpenWithTwoChanges();
  QTest::mousePress(FormHistory->Entries[1].RowBox->TitleLabel(), Qt::LeftButton);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  EXPECT_EQ(Doc().BackupImage.At(5, 5), kContrast);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture().At(5, 5), kContrast);
  // The right button restores too, then offers the palette's menu.
  QTest::mousePress(FormHistory->Entries[0].RowBox->Thumb(), Qt::RightButton);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  EXPECT_TRUE(FormHistory->MenuHistory->isVisible());
  FormHistory->MenuHistory->hide();
}

TEST(History, DeleteMovesLaterRowsUpWithTheirNumbers) {
  OpenWithTwoChanges();
  FormHistory->RestoreHistoryEntry(1);
  FormHome->Menus().Bar(QStringLiteral("Usupozycjwhistorii1"))->trigger();
  EXPECT_EQ(Rows(), QStringList({"Otwórz - nr: 0", "Sepia - nr: 2"}));
  EXPECT_EQ(FormHistory->Entries[1].Index, 1);
  EXPECT_EQ(FormHistory->Entries[1].RowBox->y(), 20);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(60, 40)));
  EXPECT_TRUE(test::Messages().isEmpty());
}

TEST(History, TheFirstEntryCannotBeDeleted) {
  OpenWithTwoChanges();
  FormHistory->RestoreHistoryEntry(0);
  FormHistory->MenuHistory->actions()[0]->trigger();  // "Usuń pozycję"
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie można usunąć pierwszej historii")});
  EXPECT_EQ(FormHistory->Count(), 3);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
}

TEST(History, ClearKeepsOnlyTheCurrentEntry) {
  OpenWithTwoChanges();
  FormHistory->MenuHistory->actions()[1]->trigger();  // "Wyczyść wszystko", entry 2 current
  EXPECT_EQ(Rows(), QStringList({"Sepia - nr: 2"}));
  EXPECT_EQ(FormHistory->Entries[0].Index, 0);
  EXPECT_EQ(FormHistory->Entries[0].RowBox->y(), 0);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  EXPECT_EQ(Doc().WorkImage.At(0, 0), kSepia);
  // The first entry is now undeletable.
  FormHistory->DeleteHistoryEntry();
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie można usunąć pierwszej historii")});
}

TEST(History, UndoToggleFlipsItsCaptionOnEveryPress) {
  OpenWithTwoChanges();
  FormHistory->RestoreHistoryEntry(0);
  QAction* cofnij = FormHome->Menus().Bar(QStringLiteral("cofnij2"));
  cofnij->trigger();  // undo at entry 0: nothing to restore
  EXPECT_EQ(MenuTree::Caption(cofnij), QStringLiteral("Ponów"));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  cofnij->trigger();  // redo: entry 1
  EXPECT_EQ(MenuTree::Caption(cofnij), QStringLiteral("Cofnij"));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  cofnij->trigger();  // undo: entry 0
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  FormHistory->RestoreHistoryEntry(2);
  cofnij->trigger();  // redo at the last entry: nothing
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 2);
  EXPECT_EQ(MenuTree::Caption(cofnij), QStringLiteral("Cofnij"));
}

TEST(History, StepsStopAtBothEnds) {
  OpenWithTwoChanges();
  QAction* back = FormHome->Menus().Bar(QStringLiteral("Cofnij1"));
  QAction* forward = FormHome->Menus().Bar(QStringLiteral("Ponw1"));
  forward->trigger();
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 2);
  for (int i = 0; i < 4; ++i) back->trigger();
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  forward->trigger();
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  EXPECT_FALSE(FormHistory->UndoFlagRedo());
}

TEST(History, RestoringAnotherPictureResetsMaskZoomAndTool) {
  const QString first = test::WriteImage("first.png", test::Pattern(60, 40, 1));
  const QString second = test::WriteImage("second.png", test::Pattern(90, 30, 2));
  FormHome->OpenDroppedFiles({first, second});
  ASSERT_EQ(FormHistory->Count(), 2);
  Doc().SelectionMask.Fill(20);
  FormTools->ZoomPercent = 50;
  FormTools->SelectTool(28);
  FormTools->SelectionKind = 1;
  FormHistory->RestoreHistoryEntry(0);
  EXPECT_EQ(Doc().Width(), 60);
  EXPECT_EQ(Doc().FileName, first);
  EXPECT_EQ(FormImageHome->windowTitle(), first);
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(60, 40, 100));
  EXPECT_EQ(FormTools->ZoomPercent, 0);
  EXPECT_EQ(FormTools->ToolId, 0);
  EXPECT_EQ(FormTools->SelectionKind, 0);
  EXPECT_EQ(Doc().SnapshotImage, Doc().WorkImage);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->size(), QSize(60, 40));
}

TEST(History, RestoringTheSamePictureKeepsSelectionAndZoom) {
  OpenWithTwoChanges();
  Doc().SelectionMask.Fill(20);
  FormTools->ZoomPercent = 50;
  FormTools->SelectTool(28);
  FormHistory->RestoreHistoryEntry(1);
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(60, 40, 20));
  EXPECT_EQ(FormTools->ZoomPercent, 50);
  EXPECT_EQ(FormTools->ToolId, 28);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->size(), QSize(90, 60));  // 60 x 40 enlarged by half
}

TEST(History, RestoringAnotherPictureWhileInvertedSelectsNothing) {
  FormHome->OpenDroppedFiles({test::WriteImage("p1.png", test::Pattern(60, 40, 1)),
                              test::WriteImage("p2.png", test::Pattern(70, 40, 2))});
  FormTools->SetInvertMenu(true, true);
  FormHistory->RestoreHistoryEntry(0);
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(60, 40, 0));
}

TEST(History, WheelScrollsOneRowPerNotch) {
  FormHome->OpenDroppedFiles({test::WriteImage("w.png", test::Pattern(10, 10))});
  for (int i = 0; i < 12; ++i) test::CommitChange(QStringLiteral("Zmiana"), MakePixel(i, i, i));
  ui::RowList* box = FormHistory->BoxHistory;
  const int bottom = box->ScrollPosition();
  ASSERT_GT(bottom, 40);
  QWheelEvent up(QPointF(20, 20), FormHistory->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(FormHistory, &up);
  EXPECT_EQ(box->ScrollPosition(), bottom - 20);
  QWheelEvent down(QPointF(20, 20), box->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(box->viewport(), &down);
  EXPECT_EQ(box->ScrollPosition(), bottom);
}

TEST(Milestones, NamesMustHoldMoreThanSpaces) {
  QLineEdit edit;
  const std::pair<const char*, bool> cases[] = {{"", false}, {"   ", false}, {" x ", true}, {"\t", true}, {"a", true}};
  for (const auto& [text, ok] : cases) {
    edit.setText(QString::fromUtf8(text));
    EXPECT_EQ(HasNonSpace(&edit), ok) << '"' << text << '"';
  }
}

TEST(Milestones, NamingDialogRefusesBlankNamesAndKeepsSpaces) {
  OpenWithTwoChanges();
  TFormOptionsMileStone* dlg = FormOptionsMileStone;
  EXPECT_EQ(dlg->NameMil->text(), QStringLiteral("Kamień milowy"));
  dlg->show();
  dlg->NameMil->setText(QStringLiteral("   "));
  dlg->MilOK->click();
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Wpisz jakąś nazwę dla kamienia milowego")});
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(FormMil->Count(), 1);
  dlg->NameMil->setText(QStringLiteral(" x "));
  QTest::keyClick(dlg->NameMil, Qt::Key_Return);
  EXPECT_FALSE(dlg->isVisible());
  ASSERT_EQ(FormMil->Count(), 2);
  EXPECT_EQ(FormMil->Milestones[1].Name, QStringLiteral(" x "));
  EXPECT_EQ(FormMil->Milestones[1].TitleRow->Text(), QStringLiteral(" x "));
  EXPECT_EQ(FormMil->Milestones[1].Thumb->Picture(), Doc().BackupImage);
}

TEST(Milestones, CommandShowsTheDialogAndSelectsTheNameAfterwards) {
  OpenWithTwoChanges();
  int shown = 0;
  ui::SetDialogRunner([&shown](QDialog* d) {
    ++shown;
    EXPECT_EQ(d, FormOptionsMileStone);
    return int(QDialog::Rejected);
  });
  FormHome->Menus().Hand(QStringLiteral("HandKamien"))->trigger();
  FormHistory->MenuHistory->actions()[3]->trigger();
  ui::SetDialogRunner({});
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(FormOptionsMileStone->NameMil->selectedText(), FormOptionsMileStone->NameMil->text());
  EXPECT_EQ(FormMil->Count(), 1);  // cancelled
}

TEST(Milestones, ClickingAMilestoneAddsAHistoryState) {
  FormHome->OpenDroppedFiles({test::WriteImage("m.png", test::Pattern(60, 40))});
  test::CommitChange(QStringLiteral("Kontrast"), kContrast);
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("Kamień milowy"), Doc().Width(), Doc().Height());
  test::CommitChange(QStringLiteral("Sepia"), kSepia);
  QTest::mousePress(FormMil->Milestones[1].TitleRow->TitleLabel(), Qt::LeftButton);
  EXPECT_EQ(Rows().last(), QStringLiteral("Kamień Milowy: Kamień milowy - nr: 3"));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 3);
  EXPECT_EQ(Doc().WorkImage.At(0, 0), kContrast);
  EXPECT_EQ(FormMil->Count(), 2);
}

TEST(Milestones, MilestoneOfAnotherPictureSwitchesBack) {
  const QString first = test::WriteImage("m1.png", test::Pattern(60, 40, 1));
  FormHome->OpenDroppedFiles({first, test::WriteImage("m2.png", test::Pattern(80, 50, 2))});
  FormTools->ZoomPercent = 100;
  FormTools->SelectTool(28);
  FormMil->RestoreMilestone(0);  // "Startowy obraz" of the first picture
  EXPECT_EQ(Doc().Width(), 60);
  EXPECT_EQ(Doc().FileName, first);
  EXPECT_EQ(FormTools->ZoomPercent, 0);
  EXPECT_EQ(FormTools->ToolId, 0);
  EXPECT_EQ(FormHistory->Entries.last().FileName, first);
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(60, 40, 100));
}

TEST(Milestones, RightButtonDeletesEvenTheStartMilestone) {
  FormHome->OpenDroppedFiles({test::WriteImage("r.png", test::Pattern(20, 20))});
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("drugi"), 20, 20);
  QTest::mousePress(FormMil->Milestones[0].TitleRow, Qt::RightButton);
  ASSERT_EQ(FormMil->Count(), 1);
  EXPECT_EQ(FormMil->Milestones[0].Name, QStringLiteral("drugi"));
  QApplication::processEvents();
  EXPECT_EQ(FormMil->Milestones[0].TitleRow->y(), 0);
  QTest::mousePress(FormMil->Milestones[0].TitleRow->Thumb(), Qt::RightButton);
  EXPECT_EQ(FormMil->Count(), 0);
  EXPECT_EQ(FormHistory->Count(), 1);  // deleting adds nothing to the history
}

TEST(Milestones, HoverColoursOneRow) {
  FormHome->OpenDroppedFiles({test::WriteImage("hv.png", test::Pattern(20, 20))});
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("b"), 20, 20);
  FormMil->HoverMilestoneRow(1);
  EXPECT_EQ(FormMil->Milestones[1].TitleRow->Background(), HoverRowColor());
  EXPECT_EQ(FormMil->Milestones[0].TitleRow->Background(), ui::PaletteGrey());
  FormHome->FormMouseMove();
  EXPECT_EQ(FormMil->Milestones[1].TitleRow->Background(), ui::PaletteGrey());
}

}  // namespace
}  // namespace rv
