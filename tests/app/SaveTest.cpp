// "Zapisz...": the save dialog, the way each name goes, the two option
// windows, the messages, and the question before an unsaved picture is lost.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/PictureFiles.h"
#include "document/SaveTestSupport.h"
#include "document/UnitImageHome.h"
#include "document/UnitSaveBMP.h"
#include "document/UnitSaveJPG.h"
#include "filters/FilterDialogs.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "history/UnitOptionsMileStone.h"
#include "tools/UnitBrushOptions.h"
#include "tools/UnitFraming.h"
#include "ui/TrackBar.h"
#include "ui/Windows.h"

namespace rv {
namespace {

namespace fs = std::filesystem;

CHomeImage& Doc() { return FormImageHome->HomeImage; }

const char* const kIconTooLarge = "Ikona może mieć najwyżej 256 × 256 pikseli.";
const char* const kUnsupported = "Nieobsługiwany format pliku! Nie zapisano obrazka.";
const char* const kSaveFailed = "Błąd przy zapisie! Nie mogłem zapisać obrazka.";

// What happened in the option window; by default its "Zapisz" is clicked.
using OptionsAction = std::function<void(QDialog*)>;
void ClickSave(QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("Save"))->click(); }

struct SaveRun {
  QStringList Dialogs;  // object names of the dialogs run, in order
  QString NameInDialog = QStringLiteral("?");  // the name the save dialog showed when it opened
  int OptionsResult = -1;
};

// "Zapisz..." with the save dialog answering name (as typed by the user).
SaveRun SaveAs(const QString& name, const OptionsAction& inOptions = ClickSave) {
  SaveRun run;
  ui::SetDialogRunner([&](QDialog* d) {
    run.Dialogs.append(d->objectName());
    if (auto* f = qobject_cast<QFileDialog*>(d)) {
      if (auto* edit = f->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) run.NameInDialog = edit->text();
      f->selectFile(name);
      return int(QDialog::Accepted);
    }
    d->setResult(QDialog::Rejected);
    inOptions(d);
    run.OptionsResult = d->result();
    return d->result();
  });
  FormHome->SavePicture();
  ui::SetDialogRunner({});
  return run;
}

// A picture opened from a file; returns the picture.
Bitmap OpenPicture(int w, int h) {
  FormHome->OpenDroppedFiles({test::WriteImage("open.png", test::Pattern(w, h))});
  return test::ToBitmap(test::Pattern(w, h));
}

std::string Head(const std::string& path, std::size_t n) { return test::Slurp(path).substr(0, n); }

TEST(SaveWindows, CreatedAfterTheToolOptionWindowsAndBeforeTheFilterDialogs) {
  // Children keep the order in which they were created.
  const QObjectList& order = FormHome->children();
  const auto at = [&order](const QObject* w) { return order.indexOf(const_cast<QObject*>(w)); };
  ASSERT_GE(at(FormOptionsMileStone), 0);
  ASSERT_GE(at(FormBrush), 0);
  ASSERT_GE(at(FormFraming), 0);
  EXPECT_LT(at(FormOptionsMileStone), at(FormBrush));
  EXPECT_LT(at(FormFraming), at(FormSaveBMP));
  EXPECT_LT(at(FormSaveBMP), at(FormSaveJPG));
  EXPECT_LT(at(FormSaveJPG), at(FormFill));
  for (QDialog* d : {static_cast<QDialog*>(FormSaveBMP), static_cast<QDialog*>(FormSaveJPG)}) {
    EXPECT_TRUE(d->windowFlags().testFlag(Qt::Tool)) << d->objectName();
    EXPECT_TRUE(d->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << d->objectName();
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowCloseButtonHint)) << d->objectName();
    EXPECT_FALSE(d->isVisible()) << d->objectName();
  }
}

TEST(SaveDialog, FiltersDefaultExtensionAndThumbnails) {
  QFileDialog* d = FormHome->SavePictureDialog1();
  EXPECT_EQ(d->nameFilters(),
            QStringList({"JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)", "Bitmaps (*.bmp)", "Icons (*.ico)",
                         "Enhanced Metafiles (*.emf)", "Metafiles (*.wmf)", "GIF Image (*.gif)",
                         "PNG Image (*.png)"}));
  EXPECT_EQ(d->defaultSuffix(), QStringLiteral("jpg"));
  EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
  // Cancelled: nothing is written and nothing is said.
  OpenPicture(20, 10);
  ui::SetDialogRunner([](QDialog*) { return int(QDialog::Rejected); });
  FormHome->SavePicture();
  ui::SetDialogRunner({});
  auto* list = d->findChild<QListView*>(QStringLiteral("listView"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->viewMode(), QListView::IconMode);
  EXPECT_TRUE(test::Messages().isEmpty());
}

TEST(SaveDialog, EachSaveStartsWithAnEmptyName) {
  test::TempFolder dir;
  OpenPicture(20, 10);
  SaveAs(QString::fromStdString(dir.Path("first.png")));
  ASSERT_TRUE(fs::exists(dir.Path("first.png")));
  const SaveRun again = SaveAs(QString::fromStdString(dir.Path("second.png")));
  EXPECT_TRUE(again.NameInDialog.isEmpty()) << again.NameInDialog;
}

TEST(SaveRoutes, ByExtensionInAnyLetterCase) {
  struct Case {
    const char* Name;      // as typed in the save dialog
    const char* Written;   // the file that must exist afterwards, "" for none
    const char* Window;    // the option window run, "" for none
    std::string Magic;     // the written file's first bytes
    const char* Message;   // "" for none
  };
  const Case cases[] = {
      {"a.png", "a.png", "", "\x89PNG", ""},
      {"b.PNG", "b.PNG", "", "\x89PNG", ""},
      {"c.Jpeg", "c.Jpeg", "FormSaveJPG", "\xFF\xD8\xFF", ""},
      {"d.JPG", "d.JPG", "FormSaveJPG", "\xFF\xD8\xFF", ""},
      {"noext", "noext.jpg", "FormSaveJPG", "\xFF\xD8\xFF", ""},
      {"e.Bmp", "e.Bmp", "FormSaveBMP", "BM", ""},
      {"f.GIF", "f.GIF", "FormSaveBMP", "GIF8", ""},
      {"g.Ico", "g.Ico", "", std::string("\0\0\1\0", 4), ""},
      {"h.WmF", "h.WmF", "", "\xD7\xCD\xC6\x9A", ""},
      {"i.Emf", "i.Emf", "", std::string("\x01\0\0\0", 4), ""},
      {"j.tif", "", "", "", kUnsupported},
      {"k.jpg.txt", "", "", "", kUnsupported},
  };
  for (const Case& c : cases) {
    test::TempFolder dir;
    OpenPicture(40, 30);
    test::ClearMessages();
    const SaveRun run = SaveAs(QString::fromStdString(dir.Path(c.Name)));
    const QStringList windows = run.Dialogs.mid(1);
    EXPECT_EQ(windows, *c.Window ? QStringList{QString::fromLatin1(c.Window)} : QStringList{}) << c.Name;
    EXPECT_EQ(test::Messages(), *c.Message ? QStringList{QString::fromUtf8(c.Message)} : QStringList{}) << c.Name;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Dir())) ++files;
    if (!*c.Written) {
      EXPECT_EQ(files, 0u) << c.Name;
      continue;
    }
    EXPECT_EQ(files, 1u) << c.Name;
    const std::string path = dir.Path(c.Written);
    EXPECT_EQ(Head(path, c.Magic.size()), c.Magic) << c.Name;
    // Every written file opens again with the picture's size.
    const Bitmap back = LoadPictureFile(path);
    EXPECT_EQ(back.Width(), 40) << c.Name;
    EXPECT_EQ(back.Height(), 30) << c.Name;
  }
}

TEST(SaveRoutes, SavingChangesNothingInTheDocument) {
  test::TempFolder dir;
  const Bitmap picture = OpenPicture(40, 30);
  const QString name = Doc().FileName;
  FormSaveBMP->Bit8->setChecked(true);
  for (const char* file : {"a.bmp", "a.gif", "a.jpg", "a.ico", "a.png", "a.emf", "a.wmf"})
    SaveAs(QString::fromStdString(dir.Path(file)));
  EXPECT_EQ(Doc().WorkImage, picture);
  EXPECT_EQ(Doc().BackupImage, picture);
  EXPECT_EQ(Doc().FileName, name);
  EXPECT_EQ(FormImageHome->windowTitle(), name);
  EXPECT_EQ(FormHistory->Count(), 1);
  EXPECT_EQ(FormMil->Count(), 1);
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
}

TEST(SaveBitmapOptions, DepthButtonsWriteTheirDepthAndPersist) {
  EXPECT_EQ(FormSaveBMP->windowTitle(), QStringLiteral("Opcje zapisu BMP / GIF"));
  EXPECT_TRUE(FormSaveBMP->Bit24->isChecked());
  const QStringList captions = {FormSaveBMP->Bit8->text(), FormSaveBMP->Bit16->text(), FormSaveBMP->Bit24->text(),
                                FormSaveBMP->Bit32->text()};
  EXPECT_EQ(captions, QStringList({"8 bit", "16 bit", "24 bit", "32 bit"}));
  test::TempFolder dir;
  const Bitmap picture = OpenPicture(40, 30);
  for (int depth : {8, 16, 32, 24}) {
    // Built by appending: GCC 12 at -O3 warns (-Wrestrict) on "d" + std::string&&.
    const std::string path = dir.Path(std::string("d").append(std::to_string(depth)).append(".bmp"));
    SaveAs(QString::fromStdString(path), [depth](QDialog* d) {
      d->findChild<QRadioButton*>(QStringLiteral("Bit%1").arg(depth))->setChecked(true);
      ClickSave(d);
    });
    // Bits per pixel of the info header.
    const std::string bytes = test::Slurp(path);
    ASSERT_GT(bytes.size(), 30u) << depth;
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), depth) << depth;
  }
  // The last choice stays for the next save; the document kept its pixels.
  SaveAs(QString::fromStdString(dir.Path("again.bmp")));
  EXPECT_EQ(static_cast<unsigned char>(test::Slurp(dir.Path("again.bmp"))[28]), 24);
  EXPECT_EQ(LoadPictureFile(dir.Path("again.bmp")), picture);
  EXPECT_EQ(Doc().WorkImage, picture);
}

TEST(SaveBitmapOptions, CancelWritesNothingAndGifIsARealGif) {
  test::TempFolder dir;
  OpenPicture(40, 30);
  const SaveRun run =
      SaveAs(QString::fromStdString(dir.Path("no.bmp")), [](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
      });
  EXPECT_EQ(run.OptionsResult, int(QDialog::Rejected));
  EXPECT_FALSE(fs::exists(dir.Path("no.bmp")));
  // The depth buttons apply to bitmaps: a GIF is a GIF at any of them.
  SaveAs(QString::fromStdString(dir.Path("pic.gif")), [](QDialog* d) {
    FormSaveBMP->Bit32->setChecked(true);
    ClickSave(d);
  });
  EXPECT_EQ(Head(dir.Path("pic.gif"), 4), "GIF8");
}

TEST(SaveJpegOptions, QualityBarLabelAndPersistence) {
  EXPECT_EQ(FormSaveJPG->windowTitle(), QStringLiteral("Opcje zapisu JPG"));
  EXPECT_EQ(FormSaveJPG->Label2->text(), QStringLiteral("Jakość:"));
  EXPECT_EQ(FormSaveJPG->Jakosc->Min(), 0);
  EXPECT_EQ(FormSaveJPG->Jakosc->Max(), 100);
  EXPECT_EQ(FormSaveJPG->Jakosc->Position(), 100);
  EXPECT_EQ(FormSaveJPG->Label1->text(), QStringLiteral("100"));
  test::TempFolder dir;
  const Bitmap picture = OpenPicture(64, 48);
  for (int quality : {0, 37}) {
    const std::string path = dir.Path(std::string("q").append(std::to_string(quality)).append(".jpg"));
    SaveAs(QString::fromStdString(path), [quality](QDialog* d) {
      FormSaveJPG->Jakosc->SetPosition(quality);
      EXPECT_EQ(FormSaveJPG->Label1->text(), QString::number(quality));
      ClickSave(d);
    });
    // The bar's quality reached the writer: the same bytes as a direct write.
    const std::string reference = dir.Path("ref.jpg");
    WritePictureFile(picture, reference, quality);
    EXPECT_EQ(test::Slurp(path), test::Slurp(reference)) << quality;
  }
  // The position stays for the next opening.
  SaveAs(QString::fromStdString(dir.Path("next.jpg")), [](QDialog* d) {
    EXPECT_EQ(FormSaveJPG->Jakosc->Position(), 37);
    EXPECT_EQ(FormSaveJPG->Label1->text(), QStringLiteral("37"));
    d->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
  });
  EXPECT_FALSE(fs::exists(dir.Path("next.jpg")));
}

TEST(SaveFailures, IconTooLargeWritesNothingAndKeepsTheOldFile) {
  test::TempFolder dir;
  const std::string path = dir.Path("big.ico");
  std::ofstream(path) << "old icon";
  OpenPicture(257, 20);
  SaveAs(QString::fromStdString(path));
  EXPECT_EQ(test::Messages(), QStringList({kIconTooLarge}));
  EXPECT_EQ(test::Slurp(path), "old icon");
  // 256 x 256 is still an icon.
  test::ClearMessages();
  OpenPicture(256, 256);
  SaveAs(QString::fromStdString(path));
  EXPECT_TRUE(test::Messages().isEmpty()) << test::Messages();
  EXPECT_EQ(LoadPictureFile(path).Width(), 256);
}

TEST(SaveFailures, ANameThatIsAFolderShowsTheMessageInEveryRoute) {
  test::TempFolder dir;
  OpenPicture(40, 30);
  for (const char* name : {"x.png", "x.ico", "x.emf", "x.bmp", "x.jpg"}) {
    const std::string path = dir.Path(name);
    fs::create_directories(path + "/inside");
    test::ClearMessages();
    const SaveRun run = SaveAs(QString::fromStdString(path));
    EXPECT_EQ(test::Messages(), QStringList({kSaveFailed})) << name;
    EXPECT_TRUE(fs::is_directory(path + "/inside")) << name;
    // An option window stays open after a failed "Zapisz".
    if (run.Dialogs.size() > 1) {
      EXPECT_NE(run.OptionsResult, int(QDialog::Accepted)) << name;
    }
  }
}

TEST(SaveFailures, AFullDiskKeepsTheOldFile) {
  test::TempFolder dir;
  const std::string small = dir.Path("small");
  fs::create_directories(small);
  if (::system(("mount -t tmpfs -o size=64k tmpfs '" + small + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here; the writers' own tests cover the file size limit";
  struct Unmount {
    std::string at;
    ~Unmount() { [[maybe_unused]] int r = ::system(("umount -l '" + at + "'").c_str()); }
  } unmount{small};
  FormHome->OpenDroppedFiles({test::WriteImage("noise.png", [] {
    QImage img(400, 300, QImage::Format_RGB32);
    std::uint32_t s = 7;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x) img.setPixel(x, y, (s = s * 1664525u + 1013904223u) >> 8);
    return img;
  }())});
  for (const char* name : {"old.jpg", "old.bmp", "old.png"}) {
    const std::string path = small + "/" + name;
    std::ofstream(path) << "old";
    test::ClearMessages();
    SaveAs(QString::fromStdString(path));
    EXPECT_EQ(test::Messages(), QStringList({kSaveFailed})) << name;
    EXPECT_EQ(test::Slurp(path), "old") << name;
  }
}

// The close event as the window system sends it; true when the program ends.
bool CloseAccepted() {
  QCloseEvent event;
  QApplication::sendEvent(FormHome, &event);
  return event.isAccepted();
}

TEST(ClosePrompt, AsksOnlyWhenThePictureWasNeverSaved) {
  QStringList asked;
  bool answer = false;
  ui::SetQuestionSink([&](const QString& q) {
    asked.append(q);
    return answer;
  });
  const QString question = QStringLiteral("Obrazek nie został zapisany. Zakończyć bez zapisywania?");
  // A fresh start, and a picture just opened, close without a question.
  EXPECT_TRUE(CloseAccepted());
  OpenPicture(40, 30);
  EXPECT_TRUE(CloseAccepted());
  EXPECT_TRUE(asked.isEmpty());
  // Changed: "Nie" keeps the program open, "Tak" ends it.
  test::CommitChange(QStringLiteral("Negatyw"), MakePixel(1, 2, 3));
  EXPECT_FALSE(CloseAccepted());
  EXPECT_EQ(asked, QStringList({question}));
  answer = true;
  EXPECT_TRUE(CloseAccepted());
  EXPECT_EQ(asked.size(), 2);
  // Saved, then back at the saved state after a step away and back.
  test::TempFolder dir;
  SaveAs(QString::fromStdString(dir.Path("saved.png")));
  asked.clear();
  EXPECT_TRUE(CloseAccepted());
  FormHistory->StepBack();
  EXPECT_FALSE(Doc().WorkImage.At(0, 0) == MakePixel(1, 2, 3));
  answer = false;
  EXPECT_FALSE(CloseAccepted());
  FormHistory->StepForward();
  EXPECT_TRUE(CloseAccepted());
  EXPECT_EQ(asked.size(), 1);
  // A failed save leaves the picture unsaved.
  test::CommitChange(QStringLiteral("Sepia"), MakePixel(9, 9, 9));
  SaveAs(QString::fromStdString(dir.Path("x.tif")));
  EXPECT_FALSE(CloseAccepted());
  ui::SetQuestionSink({});
}

}  // namespace
}  // namespace rv
