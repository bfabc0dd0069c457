// What the history and the milestones keep: every state comes back exactly,
// states share what did not change, and running out of memory while
// recording leaves everything as it was.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/StoredPicture.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/BrushSettings.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/RowList.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }

// A stroke's change: a rectangle of the working picture, committed and recorded.
void CommitRect(int left, int top, int w, int h, Pixel p) {
  CHomeImage& doc = Doc();
  for (int y = top; y < top + h; ++y)
    for (int x = left; x < left + w; ++x) doc.WorkImage.Set(x, y, p);
  doc.BackupImage = doc.WorkImage;
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Pędzel"), doc.Width(), doc.Height());
}

// A filter over the whole picture: every pixel another colour.
void CommitNegative() {
  CHomeImage& doc = Doc();
  for (int y = 0; y < doc.Height(); ++y)
    for (int x = 0; x < doc.Width(); ++x) doc.WorkImage.Set(x, y, doc.WorkImage.At(x, y) ^ 0x00FFFFFFu);
  doc.BackupImage = doc.WorkImage;
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Negatyw"), doc.Width(), doc.Height());
}

// Every entry, restored in turn, puts its own picture into the document.
void ExpectEveryEntry(const QList<Bitmap>& expected, const char* when) {
  ASSERT_EQ(FormHistory->Count(), expected.size()) << when;
  for (int i = 0; i < expected.size(); ++i) {
    FormHistory->RestoreHistoryEntry(i);
    EXPECT_EQ(Doc().WorkImage, expected[i]) << when << ", entry " << i;
    EXPECT_EQ(Doc().BackupImage, expected[i]) << when << ", entry " << i;
    EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), expected[i]) << when << ", entry " << i;
    EXPECT_EQ(FormHistory->Entries[i].Thumb->Picture(), expected[i]) << when << ", entry " << i;
  }
}

TEST(HistoryMemory, EntriesComeBackExactlyAfterDeletionsClearsAndOtherPictures) {
  const QString first = test::WriteImage("a.png", test::Pattern(200, 150, 1));
  const QString second = test::WriteImage("b.png", test::Pattern(130, 70, 2));
  FormHome->OpenDroppedFiles({first});
  QList<Bitmap> expected{Doc().WorkImage};
  CommitRect(60, 60, 10, 10, MakePixel(255, 0, 0));  // inside one tile
  expected.append(Doc().WorkImage);
  CommitRect(0, 0, 200, 1, MakePixel(0, 255, 0));  // the top row of every tile
  expected.append(Doc().WorkImage);
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("zielony"), Doc().Width(), Doc().Height());
  const Bitmap milestone = Doc().BackupImage;
  FormHome->OpenDroppedFiles({second});
  expected.append(Doc().WorkImage);
  CommitRect(129, 69, 1, 1, MakePixel(1, 2, 3));  // the last pixel
  expected.append(Doc().WorkImage);
  // Back to a state of the first picture and on from there.
  FormHistory->RestoreHistoryEntry(1);
  CommitRect(100, 20, 50, 50, MakePixel(0, 0, 255));
  expected.append(Doc().WorkImage);
  ExpectEveryEntry(expected, "recorded");

  // Drop the states the milestone and the newest state share tiles with.
  for (int victim : {2, 1}) {
    FormHistory->RestoreHistoryEntry(victim);
    FormHistory->DeleteHistoryEntry();
    expected.removeAt(victim);
  }
  ExpectEveryEntry(expected, "after deletions");
  FormHistory->RestoreHistoryEntry(2);  // the second picture, changed
  FormHistory->ClearHistory();
  expected = {expected[2]};
  ExpectEveryEntry(expected, "after clearing");

  FormMil->RestoreMilestone(1);
  EXPECT_EQ(Doc().WorkImage, milestone);
  EXPECT_EQ(Doc().FileName, first);
  expected.append(milestone);
  CommitRect(0, 149, 200, 1, MakePixel(9, 9, 9));
  expected.append(Doc().WorkImage);
  ExpectEveryEntry(expected, "after the milestone");
  FormMil->RestoreMilestone(0);  // "Startowy obraz"
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(200, 150, 1)));
}

TEST(HistoryMemory, AStateCostsTheTilesItsChangeTouched) {
  FormHome->OpenDroppedFiles({test::WriteImage("s.png", test::Pattern(640, 448, 3))});  // 10 x 7 tiles
  const TileStore& store = PictureStore();
  // The first entry and "Startowy obraz" hold the same tiles.
  EXPECT_EQ(store.Tiles(), 70u);
  CommitRect(10, 10, 20, 20, MakePixel(255, 255, 0));
  EXPECT_EQ(store.Tiles(), 71u);
  CommitRect(120, 120, 20, 20, MakePixel(255, 0, 255));  // across four tiles
  EXPECT_EQ(store.Tiles(), 75u);
  // A filter over the whole picture: one 24-bit copy (and the tiles' headers).
  const std::size_t before = store.Bytes();
  CommitNegative();
  EXPECT_EQ(store.Tiles(), 145u);
  EXPECT_GE(store.Bytes() - before, 640u * 448u * 3u);
  EXPECT_LT(store.Bytes() - before, 640u * 448u * 3u * 101 / 100);
  // One colour over everything: no pixels kept at all.
  const std::size_t beforeFill = store.Bytes();
  test::CommitChange(QStringLiteral("Wypełnij"), MakePixel(0, 0, 0));
  EXPECT_EQ(store.Tiles(), 215u);
  EXPECT_LT(store.Bytes() - beforeFill, 70u * 256u);
  FormHistory->DeleteHistoryEntry();
  EXPECT_EQ(store.Tiles(), 145u);
  // Going back and changing a little shares with the state gone back to.
  FormHistory->RestoreHistoryEntry(2);
  CommitRect(600, 400, 5, 5, MakePixel(1, 1, 1));
  EXPECT_EQ(store.Tiles(), 146u);
  // A milestone of the current state and its restore cost no tile.
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("m"), Doc().Width(), Doc().Height());
  FormMil->RestoreMilestone(1);
  EXPECT_EQ(store.Tiles(), 146u);
  EXPECT_EQ(FormHistory->Count(), 6);
  // Deleting the full-picture state frees its tiles.
  FormHistory->RestoreHistoryEntry(3);
  FormHistory->DeleteHistoryEntry();
  EXPECT_EQ(store.Tiles(), 76u);
}

TEST(HistoryMemory, ThumbnailsAreTwentyPixelViewsOfTheState) {
  FormHome->OpenDroppedFiles({test::WriteImage("t.png", test::Solid(300, 100, QColor(10, 20, 30)))});
  CommitRect(150, 0, 150, 100, MakePixel(200, 100, 50));  // the right half
  const QPixmap thumb = FormHistory->Entries[1].RowBox->Thumb()->pixmap();
  const QImage img = thumb.toImage().convertToFormat(QImage::Format_RGB32).scaled(20, 20);
  ASSERT_EQ(img.size(), QSize(20, 20));
  EXPECT_EQ(QColor(img.pixel(2, 10)), QColor(10, 20, 30));
  EXPECT_EQ(QColor(img.pixel(17, 10)), QColor(200, 100, 50));
}

TEST(HistoryMemory, RunningOutOfMemoryAddsNoEntryAndKeepsTheDocument) {
  FormHome->OpenDroppedFiles({test::WriteImage("o.png", test::Pattern(320, 256, 4))});
  CommitRect(0, 0, 10, 10, MakePixel(5, 5, 5));
  TileStore& store = PictureStore();
  const std::size_t bytes = store.Bytes();
  const std::size_t tiles = store.Tiles();
  store.SetLimit(bytes + 4 * kTileSide * kTileSide * 3);  // a small change fits, a filter does not
  test::ClearMessages();

  CommitNegative();
  const Bitmap changed = Doc().WorkImage;
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie mogłem stworzyć nowej historii")});
  EXPECT_EQ(FormHistory->Count(), 2);
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 1);
  EXPECT_EQ(store.Bytes(), bytes);
  EXPECT_EQ(store.Tiles(), tiles);
  EXPECT_EQ(Doc().WorkImage, changed);
  EXPECT_EQ(Doc().BackupImage, changed);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), changed);

  // A milestone of a picture unlike every state does not fit either.
  test::ClearMessages();
  FormMil->AddMilestone(Doc().BackupImage, QStringLiteral("duży"), Doc().Width(), Doc().Height());
  EXPECT_EQ(test::Messages(), QStringList{QStringLiteral("Nie mogłem stworzyć kamienia milowego")});
  EXPECT_EQ(FormMil->Count(), 1);
  // With memory again, the next change is recorded and the old states hold.
  store.SetLimit(0);
  test::ClearMessages();
  CommitRect(100, 100, 3, 3, MakePixel(1, 2, 3));
  EXPECT_TRUE(test::Messages().isEmpty());
  ASSERT_EQ(FormHistory->Count(), 3);
  EXPECT_EQ(FormHistory->Entries[2].Thumb->Picture(), Doc().WorkImage);
  FormHistory->RestoreHistoryEntry(0);
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(320, 256, 4)));
}

TEST(HistoryMemory, AStrokesRectangleIsTrustedOnlyRightAfterARecordOrARestore) {
  FormHome->OpenDroppedFiles({test::WriteImage("r.png", test::Pattern(320, 256, 5))});  // 5 x 4 tiles
  CHomeImage& doc = Doc();
  TileStore& store = PictureStore();
  auto stroke = [&doc](int x, int y, Pixel p) {
    for (int j = y; j < y + 4; ++j)
      for (int i = x; i < x + 4; ++i) doc.WorkImage.Set(i, j, p);
    doc.BackupImage = doc.WorkImage;
    FormImageHome->ShowOnDisplay(doc.WorkImage);
    return QRect(x, y, 4, 4);
  };
  // Right after the open: only the rectangle's tile is looked at.
  const std::size_t tiles = store.Tiles();
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Pędzel"), 320, 256, stroke(10, 10, MakePixel(1, 1, 1)));
  EXPECT_EQ(store.Tiles(), tiles + 1);
  EXPECT_EQ(FormHistory->Entries[1].Thumb->Picture(), doc.WorkImage);

  // A stroke that could not be recorded: the next stroke's rectangle does not
  // cover it, so the whole picture is compared and both strokes are kept.
  store.SetLimit(store.Bytes() + 1);
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Pędzel"), 320, 256, stroke(200, 10, MakePixel(2, 2, 2)));
  ASSERT_EQ(FormHistory->Count(), 2);
  store.SetLimit(0);
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Pędzel"), 320, 256, stroke(10, 200, MakePixel(3, 3, 3)));
  ASSERT_EQ(FormHistory->Count(), 3);
  const Bitmap both = doc.WorkImage;
  EXPECT_EQ(both.At(201, 11), MakePixel(2, 2, 2));
  EXPECT_EQ(FormHistory->Entries[2].Thumb->Picture(), both);

  // After a restore the document is the entry again: rectangles count anew.
  FormHistory->RestoreHistoryEntry(1);
  const std::size_t before = store.Tiles();
  FormHistory->AddHistoryEntry(doc.WorkImage, QStringLiteral("Pędzel"), 320, 256, stroke(100, 100, MakePixel(4, 4, 4)));
  EXPECT_EQ(store.Tiles(), before + 1);
  EXPECT_EQ(FormHistory->Entries[3].Thumb->Picture(), doc.WorkImage);
  FormHistory->RestoreHistoryEntry(2);
  EXPECT_EQ(doc.WorkImage, both);
}

// Real strokes: the brush's rectangle spares the comparison, and a history
// brush stroke that adds no entry is still part of the next entry.
TEST(HistoryMemory, StrokesWithoutAnEntryReachTheNextEntry) {
  FormHome->OpenDroppedFiles({test::WriteImage("p.png", test::Pattern(300, 200, 6))});
  const Bitmap opened = Doc().WorkImage;
  test::CommitChange(QStringLiteral("Kontrast"), MakePixel(0, 0, 255));
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  auto stroke = [display](QPoint at) {
    QTest::mousePress(display, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(display, Qt::LeftButton, Qt::NoModifier, at);
  };
  BrushToolSettings& settings = BrushSettings();
  settings.BrushHistory.Wielkosc = 10;
  settings.BrushHistory.Twardosc = 100;
  settings.BrushHistory.BoxNewHistory = false;
  FormTools->SelectTool(kToolBrushHistory);
  stroke(QPoint(40, 40));  // paints the opened picture back, no entry
  ASSERT_EQ(FormHistory->Count(), 2);
  ASSERT_EQ(Doc().BackupImage.At(40, 40), opened.At(40, 40));

  settings.Brush.Wielkosc = 10;
  settings.Brush.Twardosc = 100;
  FormTools->SelectTool(kToolBrush);
  FormTools->SetToolColor(ToolColor::Primary, MakePacked(255, 0, 0));
  stroke(QPoint(200, 150));
  ASSERT_EQ(FormHistory->Count(), 3);
  EXPECT_EQ(Doc().WorkImage.At(200, 150), MakePixel(255, 0, 0));
  EXPECT_EQ(FormHistory->Entries[2].Thumb->Picture(), Doc().WorkImage);

  // Right after that entry a stroke inside one tile costs that tile alone.
  const std::size_t tiles = PictureStore().Tiles();
  stroke(QPoint(100, 100));
  ASSERT_EQ(FormHistory->Count(), 4);
  EXPECT_EQ(PictureStore().Tiles(), tiles + 1);
  EXPECT_EQ(FormHistory->Entries[3].Thumb->Picture(), Doc().WorkImage);
  FormHistory->RestoreHistoryEntry(2);
  EXPECT_EQ(Doc().WorkImage.At(40, 40), opened.At(40, 40));
  EXPECT_EQ(Doc().WorkImage.At(100, 100), MakePixel(0, 0, 255));
}

}  // namespace
}  // namespace rv
