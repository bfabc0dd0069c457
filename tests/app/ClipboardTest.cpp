// "Kopiuj" and "Wklej": what goes on the clipboard for each kind of
// selection, and what a pasted picture makes of the document; on a real X11
// display also against another program (xclip).
#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/SelectionShapes.h"
#include "tools/UnitEllipseSel.h"
#include "tools/UnitRectangleSel.h"
#include "tools/UnitTools.h"
#include "ui/Clipboard.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {
namespace {

CHomeImage& Doc() { return FormImageHome->HomeImage; }
QClipboard* Clip() { return QGuiApplication::clipboard(); }

const char* const kNothingSelected = "Żadne piksele nie są zaznaczone!";
const char* const kCannotCopy = "Nie mogłem skopiować obrazka";
const char* const kCannotPaste = "Nie mogłem załadować obrazka";

Bitmap OpenPicture(int w, int h, int seed = 0) {
  FormHome->OpenDroppedFiles({test::WriteImage(QStringLiteral("open%1.png").arg(seed), test::Pattern(w, h, seed))});
  return test::ToBitmap(test::Pattern(w, h, seed));
}

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

Bitmap Decoded(const QByteArray& bytes) { return test::ToBitmap(QImage::fromData(bytes)); }

void PutText(const QString& text) { Clip()->setText(text); }

QStringList HistoryRows() {
  QStringList rows;
  for (const CHistory& e : FormHistory->Entries) rows.append(e.Title);
  return rows;
}

// Picks a shape selection tool, gives it two corners and commits the shape.
void SelectShape(TFormShapeSel* window, QPoint first, QPoint second) {
  const ToolSlot* slot = FormTools->Slot(window->ToolId());
  ASSERT_TRUE(slot && slot->Click);
  slot->Click();
  window->OSX->SetPosition(first.x());
  window->OSY->SetPosition(first.y());
  window->OSX2->SetPosition(second.x());
  window->OSY2->SetPosition(second.y());
  window->CommitSelectionShape();
}

// An elliptical selection on a 40 x 30 picture between the corners (30, 25)
// and (10, 5), with the pixel (20, 6) half selected.
void SelectEllipse() {
  SelectShape(FormEllipseSel, {30, 25}, {10, 5});
  ASSERT_EQ(FormTools->SelectionKind, 2);
  Doc().SelectionMask.Set(20, 6, 50);
}

// The copy of SelectEllipse's selection, worked out pixel by pixel.
Bitmap WhitenedEllipse(const Bitmap& picture) {
  Bitmap out(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const int m = Doc().SelectionMask.At(10 + x, 5 + y);
      const Pixel p = picture.At(10 + x, 5 + y);
      if (m == 100) {
        out.Set(x, y, p);
      } else if (m == 0) {
        out.Set(x, y, MakePixel(255, 255, 255));
      } else {
        // Half selected: v × 0.5 + 127.5, truncated.
        auto half = [](int v) { return (v + 255) / 2; };
        out.Set(x, y, MakePixel(half(PixelRed(p)), half(PixelGreen(p)), half(PixelBlue(p))));
      }
    }
  return out;
}

TEST(Copy, WholePictureInEveryOfferedForm) {
  const Bitmap picture = OpenPicture(40, 30);
  FormHome->Menus().Bar(QStringLiteral("Kopiuj1"))->trigger();
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  const QMimeData* data = Clip()->mimeData();
  ASSERT_NE(data, nullptr);
  for (const char* form : {"image/png", "image/bmp", "application/x-qt-image"})
    EXPECT_TRUE(data->formats().contains(QString::fromLatin1(form))) << form;
  EXPECT_EQ(Decoded(data->data(QStringLiteral("image/png"))), picture);
  EXPECT_EQ(Decoded(data->data(QStringLiteral("image/bmp"))), picture);
  EXPECT_EQ(test::ToBitmap(qvariant_cast<QImage>(data->imageData())), picture);
  EXPECT_EQ(Doc().WorkImage, picture);
}

TEST(Copy, BySelectionKind) {
  const Bitmap picture = OpenPicture(40, 30);
  // A rectangle: the part between the corners, whatever their order.
  SelectShape(FormRectangleSel, {25, 20}, {5, 10});
  FormHome->CopyPicture();
  EXPECT_EQ(test::ToBitmap(Clip()->image()), picture.Copy(5, 10, 20, 10));
  // An ellipse: its bounding rectangle, whitened outside the selection.
  SelectEllipse();
  FormHome->CopyPicture();
  const Bitmap ellipse = test::ToBitmap(Clip()->image());
  EXPECT_EQ(ellipse, WhitenedEllipse(picture));
  EXPECT_EQ(ellipse.At(0, 0), MakePixel(255, 255, 255));
  EXPECT_EQ(ellipse.At(10, 10), picture.At(20, 15));
  // The wand and the masks: the whole picture, whitened the same way.
  FormTools->SelectionKind = 4;
  ASSERT_EQ(Doc().SelectionMask.At(20, 6), 50);
  const Bitmap shown = FormImageHome->ObrazDlaUsera->Picture();
  FormHome->CopyPicture();
  const Bitmap whole = test::ToBitmap(Clip()->image());
  ASSERT_EQ(whole.Width(), 40);
  EXPECT_EQ(whole.Copy(10, 5, 20, 20), WhitenedEllipse(picture));
  EXPECT_EQ(whole.At(39, 29), MakePixel(255, 255, 255));
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  // The document never changes.
  EXPECT_EQ(Doc().WorkImage, picture);
  EXPECT_EQ(Doc().BackupImage, picture);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), shown);
  EXPECT_EQ(FormHistory->Count(), 1);
}

TEST(Copy, FailuresKeepTheClipboard) {
  OpenPicture(40, 30);
  PutText(QStringLiteral("kept"));
  // Nothing selected (an inverted full selection).
  FormHome->InvertSelection();
  FormHome->CopyPicture();
  EXPECT_EQ(test::Messages(), QStringList({kNothingSelected}));
  EXPECT_EQ(Clip()->text(), QStringLiteral("kept"));
  // A selection rectangle with no area selects nothing.
  FormHome->SelectAll();
  SelectShape(FormRectangleSel, {7, 3}, {7, 20});
  test::ClearMessages();
  FormHome->CopyPicture();
  EXPECT_EQ(test::Messages(), QStringList({kNothingSelected}));
  EXPECT_EQ(Clip()->text(), QStringLiteral("kept"));
  // Pixels selected outside a rectangle without area (a mask brush after
  // the rectangle): nothing to put on the clipboard.
  Doc().SelectionMask.Fill(100);
  test::ClearMessages();
  FormHome->CopyPicture();
  EXPECT_EQ(test::Messages(), QStringList({kCannotCopy}));
  EXPECT_EQ(Clip()->text(), QStringLiteral("kept"));
}

TEST(Paste, KeepsTheWholePictureAndMakesANewDocument) {
  const Bitmap first = OpenPicture(40, 30);
  FormTools->SelectionKind = 4;
  Doc().SelectionMask.Fill(0);
  FormTools->SetInvertMenu(true, true);
  FormTools->SelectTool(28);
  const QImage pasted = test::Pattern(100, 80, 5);
  Clip()->setImage(pasted);
  FormHome->Menus().Bar(QStringLiteral("Wklej1"))->trigger();
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  const Bitmap expected = test::ToBitmap(pasted);
  EXPECT_EQ(Doc().WorkImage, expected);
  EXPECT_EQ(Doc().BackupImage, expected);
  EXPECT_EQ(Doc().SnapshotImage, expected);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), expected);
  EXPECT_EQ(Doc().FileName, QStringLiteral("Nowy obrazek"));
  EXPECT_EQ(FormImageHome->windowTitle(), QStringLiteral("Nowy obrazek"));
  EXPECT_EQ(Doc().SelectionMask, SelectionMask(100, 80, 100));
  EXPECT_EQ(FormTools->SelectionKind, 0);
  EXPECT_EQ(FormTools->ToolId, 0);
  EXPECT_FALSE(FormHome->InvertTicked());
  EXPECT_FALSE(FormHome->Menus().Bar(QStringLiteral("Zaznaczodwrotno1"))->isEnabled());
  EXPECT_EQ(HistoryRows(), QStringList({"Otwórz - nr: 0", "Wklej - nr: 1"}));
  EXPECT_EQ(FormMil->Count(), 1);
  // The earlier picture is still in the history with its own size.
  FormHistory->RestoreHistoryEntry(0);
  EXPECT_EQ(Doc().WorkImage, first);
}

TEST(Paste, FirstPictureOfTheRun) {
  EXPECT_FALSE(FormImageHome->isVisible());
  Clip()->setImage(test::Pattern(3, 2));
  // Ctrl+V works before any picture exists.
  EXPECT_TRUE(FormHome->Menus().DispatchKey(QKeySequence(QStringLiteral("Ctrl+V"))));
  EXPECT_TRUE(FormImageHome->isVisible());
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(test::Pattern(3, 2)));
  EXPECT_EQ(HistoryRows(), QStringList({"Otwórz - nr: 0"}));
  ASSERT_EQ(FormMil->Count(), 1);
  EXPECT_EQ(FormMil->Milestones[0].Name, QStringLiteral("Startowy obraz"));
  EXPECT_TRUE(FormHome->Menus().EffectivelyEnabled(FormHome->Menus().Bar(QStringLiteral("Zapisz1"))));
  EXPECT_TRUE(FormHome->Menus().EffectivelyEnabled(FormHome->Menus().Bar(QStringLiteral("Kopiuj1"))));
}

TEST(Paste, WithoutAPictureNothingChanges) {
  OpenPicture(40, 30, 1);
  test::CommitChange(QStringLiteral("Sepia"), MakePixel(10, 20, 30));
  FormHistory->StepBack();
  const Bitmap shown = Doc().WorkImage;
  Doc().SelectionMask.Set(3, 3, 42);
  const SelectionMask mask = Doc().SelectionMask;
  const QStringList rows = HistoryRows();
  for (auto put : std::initializer_list<std::function<void()>>{
           [] { PutText(QStringLiteral("only text")); }, [] { Clip()->clear(); },
           [] {
             auto* data = new QMimeData;
             data->setData(QStringLiteral("image/png"), "not a picture");
             Clip()->setMimeData(data);
           }}) {
    test::ClearMessages();
    put();
    FormHome->PastePicture();
    EXPECT_EQ(test::Messages(), QStringList({kCannotPaste}));
    EXPECT_EQ(HistoryRows(), rows);
    EXPECT_EQ(Doc().WorkImage, shown);
    EXPECT_EQ(Doc().SelectionMask, mask);
    EXPECT_EQ(FormHistory->CurrentHistoryIndex(), 0);
  }
}

TEST(Paste, FormsThatDesktopProgramsOffer) {
  QImage transparent(6, 4, QImage::Format_ARGB32);
  transparent.fill(Qt::transparent);
  transparent.setPixel(1, 1, qRgba(200, 0, 0, 255));
  Bitmap onWhite(6, 4);
  onWhite.Fill(MakePixel(255, 255, 255));
  onWhite.Set(1, 1, MakePixel(200, 0, 0));
  const QImage opaque = test::Pattern(9, 7, 3);
  const QString file = test::WriteImage(QStringLiteral("copied.bmp"), opaque);
  struct Case {
    const char* What;
    std::function<QMimeData*()> Data;
    Bitmap Expected;
  };
  const Case cases[] = {
      {"PNG only", [&] { auto* d = new QMimeData; d->setData("image/png", Encoded(opaque, "PNG")); return d; },
       test::ToBitmap(opaque)},
      {"bitmap only", [&] { auto* d = new QMimeData; d->setData("image/bmp", Encoded(opaque, "BMP")); return d; },
       test::ToBitmap(opaque)},
      {"transparent PNG",
       [&] { auto* d = new QMimeData; d->setData("image/png", Encoded(transparent, "PNG")); return d; }, onWhite},
      {"a copied file", [&] { auto* d = new QMimeData; d->setUrls({QUrl::fromLocalFile(file)}); return d; },
       test::ToBitmap(opaque)},
      {"a file copied in GNOME's files",
       [&] {
         auto* d = new QMimeData;
         d->setData("x-special/gnome-copied-files", "copy\n" + QUrl::fromLocalFile(file).toEncoded());
         return d;
       },
       test::ToBitmap(opaque)},
  };
  for (const Case& c : cases) {
    test::ClearMessages();
    Clip()->setMimeData(c.Data());
    FormHome->PastePicture();
    EXPECT_TRUE(test::Messages().isEmpty()) << c.What << ": " << test::Messages();
    EXPECT_EQ(Doc().WorkImage, c.Expected) << c.What;
  }
}

TEST(Paste, CopyThenPasteGivesTheCopy) {
  const Bitmap picture = OpenPicture(40, 30);
  SelectEllipse();
  FormHome->CopyPicture();
  const Bitmap expected = WhitenedEllipse(picture);
  FormHome->PastePicture();
  EXPECT_EQ(Doc().WorkImage, expected);
  EXPECT_EQ(Doc().Width(), 20);
}

// --- Against a real X11 clipboard (the xclip run of tests/CMakeLists.txt) ---

// Skipped on the offscreen platform; the xclip run sets RV_X11_CLIPBOARD and
// must not skip.
#define REQUIRE_X11()                                                                       \
  do {                                                                                      \
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {                          \
      if (qEnvironmentVariableIsSet("RV_X11_CLIPBOARD")) FAIL() << "not on an X11 display"; \
      GTEST_SKIP() << "needs an X11 display (run by the xclip test under Xvfb)";            \
    }                                                                                       \
  } while (false)

// Runs xclip while our event loop keeps serving the clipboard.
QByteArray Xclip(const QStringList& args, const QByteArray& input = {}) {
  QProcess p;
  QEventLoop loop;
  QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(15000, &loop, &QEventLoop::quit);
  p.start(QStringLiteral("xclip"), QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + args);
  if (!p.waitForStarted(5000)) return "xclip did not start";
  if (!input.isNull()) {
    p.write(input);
    p.closeWriteChannel();
  }
  if (p.state() != QProcess::NotRunning) loop.exec();
  EXPECT_EQ(p.state(), QProcess::NotRunning) << "xclip did not finish";
  return p.readAllStandardOutput();
}

// Waits until another program offers this form on the clipboard (xclip -i
// serves it from the background once it has read its input).
void WaitForOffer(const char* form) {
  for (int i = 0; i < 250; ++i) {
    const QMimeData* data = Clip()->mimeData();
    if (!Clip()->ownsClipboard() && data && data->formats().contains(QString::fromLatin1(form))) return;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  ADD_FAILURE() << "the clipboard never offered " << form;
}

TEST(X11Clipboard, PasteAPngFromAnotherProgram) {
  REQUIRE_X11();
  OpenPicture(40, 30);
  const QImage other = test::Pattern(100, 80, 9);
  Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i")}, Encoded(other, "PNG"));
  WaitForOffer("image/png");
  ASSERT_FALSE(Clip()->ownsClipboard());
  FormHome->PastePicture();
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  EXPECT_EQ(Doc().WorkImage, test::ToBitmap(other));
  EXPECT_TRUE(HistoryRows().last().startsWith(QStringLiteral("Wklej - nr: "))) << HistoryRows();
}

TEST(X11Clipboard, CopiedEllipseIsReadByAnotherProgram) {
  REQUIRE_X11();
  const Bitmap picture = OpenPicture(40, 30);
  SelectEllipse();
  FormHome->CopyPicture();
  const QByteArray targets = Xclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")});
  EXPECT_TRUE(targets.contains("image/png")) << targets.toStdString();
  EXPECT_TRUE(targets.contains("image/bmp")) << targets.toStdString();
  const QByteArray png = Xclip({QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o")});
  ASSERT_TRUE(png.startsWith("\x89PNG")) << png.left(40).toStdString();
  EXPECT_EQ(Decoded(png), WhitenedEllipse(picture));
  const QByteArray bmp = Xclip({QStringLiteral("-t"), QStringLiteral("image/bmp"), QStringLiteral("-o")});
  ASSERT_TRUE(bmp.startsWith("BM"));
  EXPECT_EQ(Decoded(bmp), WhitenedEllipse(picture));
}

TEST(X11Clipboard, TextFromAnotherProgramIsNoPicture) {
  REQUIRE_X11();
  OpenPicture(40, 30);
  const QStringList rows = HistoryRows();
  const Bitmap before = Doc().WorkImage;
  Xclip({QStringLiteral("-i")}, "just some text");
  WaitForOffer("text/plain");
  FormHome->PastePicture();
  EXPECT_EQ(test::Messages(), QStringList({kCannotPaste}));
  EXPECT_EQ(HistoryRows(), rows);
  EXPECT_EQ(Doc().WorkImage, before);
}

}  // namespace
}  // namespace rv
