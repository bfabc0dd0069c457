// The option windows of the fourteen brush tools and their activation from
// the tool palette.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <functional>
#include <vector>

#include "AppTestSupport.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "tools/BrushSettings.h"
#include "tools/UnitBrushOptions.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/TrackBar.h"

namespace rv {
namespace {

enum class Kind { Track, Check, Radio };

struct Expected {
  const char* Name;
  const char* Caption;
  Kind K;
  int Min;
  int Max;
  int Default;  // check boxes and radio buttons: 1 ticked or selected
};

struct WindowCase {
  int ToolId;
  const char* ObjectName;
  const char* Caption;
  bool TypeBox;
  int Hardness;  // Twardosc's default
  std::vector<Expected> Extra;  // besides Wielkosc, Przezroczystosc, Twardosc
};

std::vector<Expected> Channels(int min, bool linked) {
  return {{"CanalR", "Kanał czerwony", Kind::Track, min, 255, 0},
          {"CanalG", "Kanał zielony", Kind::Track, min, 255, 0},
          {"CanalB", "Kanał niebieski", Kind::Track, min, 255, 0},
          {"Scal", "Scal suwaki", Kind::Check, 0, 1, linked ? 1 : 0}};
}

const std::vector<WindowCase>& Cases() {
  static const std::vector<WindowCase> cases = {
      {28, "FormBrush", "Opcje Pędzla", false, 1, {}},
      {16, "FormSpray", "Opcje Spreja", false, 1, {{"Gestosc", "Gęstość", Kind::Track, 0, 100, 100}}},
      {33, "FormColorChange", "Opcje zmiany koloru", false, 1, Channels(-255, false)},
      {17, "FormEnlight", "Opcje pędzla jasności", true, 1, Channels(0, true)},
      {18, "FormDarker", "Opcje pędzla ściemnienia", true, 1, Channels(0, true)},
      {22, "FormSharp", "Opcje wyostrzania", false, 1, {}},
      {20, "FormGray", "Opcje pędzla szarości", false, 1, {}},
      {27,
       "FormBrushHistory",
       "Opcje pędzla historii",
       false,
       1,
       {{"RadioBack", "Historia wstecz", Kind::Radio, 0, 1, 1},
        {"RadioStart", "Wersja początkowa", Kind::Radio, 0, 1, 0},
        {"BoxNewHistory", "Dodać zmiany do historii", Kind::Check, 0, 1, 0}}},
      {19, "FormBlur", "Opcje pędzla rozmycia", false, 1, {{"Moc", "Moc:", Kind::Track, 2, 6, 4}}},
      {30, "FormColorBrush", "Opcje pędzla zmiany barwy", false, 1, {}},
      {25, "FormRedEye", "Usuwanie efektu czerwonych oczu", false, 1, {}},
      {26,
       "FormCorrectionBrush",
       "Pędzel korygujący",
       false,
       1,
       {{"gora", "Góra", Kind::Radio, 0, 1, 1},
        {"dol", "Dół", Kind::Radio, 0, 1, 0},
        {"lewo", "Lewo", Kind::Radio, 0, 1, 1},
        {"prawo", "Prawo", Kind::Radio, 0, 1, 0}}},
      {29, "FormBucket", "Opcje wiadra", false, 100, {{"Tolerant", "Tolerancja:", Kind::Track, 0, 255, 100}}},
      {21, "FormStamp", "Opcje Stempla", false, 1, {}},
  };
  return cases;
}

std::vector<Expected> AllControls(const WindowCase& c) {
  std::vector<Expected> all = {{"Wielkosc", "Wielkość:", Kind::Track, 1, 150, 75},
                               {"Przezroczystosc", "Przezroczystość:", Kind::Track, 0, 100, 100},
                               {"Twardosc", "Twardość:", Kind::Track, 0, 100, c.Hardness}};
  all.insert(all.end(), c.Extra.begin(), c.Extra.end());
  return all;
}

// Shown and exposed, so that clicks reach it.
void Show(QWidget* w) {
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

// A click on the button's indicator (a click beside a short text misses it).
void ClickButton(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

bool HasLabel(const QWidget* w, const QString& text) {
  for (const QLabel* l : w->findChildren<QLabel*>())
    if (l->text() == text) return true;
  return false;
}

TEST(BrushWindows, EveryWindowShowsItsDeclaredControlsAtTheirDefaults) {
  ASSERT_EQ(Cases().size(), 14u);
  for (const WindowCase& c : Cases()) {
    SCOPED_TRACE(c.ObjectName);
    TFormBrushOptions* w = BrushOptionWindow(c.ToolId);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QString::fromLatin1(c.ObjectName));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.Caption));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    ASSERT_NE(w->Tryb, nullptr);
    EXPECT_EQ(w->Tryb->count(), 26);
    EXPECT_EQ(w->Tryb->currentText(), QStringLiteral("Zwykły"));
    EXPECT_TRUE(HasLabel(w, QStringLiteral("Tryb:")));
    EXPECT_EQ(w->TypeBox != nullptr, c.TypeBox);
    EXPECT_EQ(HasLabel(w, QStringLiteral("Rodzaj:")), c.TypeBox);
    if (w->TypeBox) {
      EXPECT_EQ(w->TypeBox->currentIndex(), 0);
    }
    EXPECT_EQ(BrushValue(c.ToolId, "Tryb"), 0);

    const std::vector<Expected> all = AllControls(c);
    int tracks = 0;
    for (const Expected& e : all) {
      SCOPED_TRACE(e.Name);
      const QString name = QString::fromLatin1(e.Name);
      const QString caption = QString::fromUtf8(e.Caption);
      EXPECT_EQ(BrushValue(c.ToolId, e.Name), e.Default) << "the dabs start with another value";
      switch (e.K) {
        case Kind::Track: {
          ++tracks;
          ui::TrackBar* bar = w->Bar(name);
          ASSERT_NE(bar, nullptr);
          EXPECT_EQ(bar->Min(), e.Min);
          EXPECT_EQ(bar->Max(), e.Max);
          EXPECT_EQ(bar->Position(), e.Default);
          ASSERT_NE(w->ValueLabel(name), nullptr);
          EXPECT_EQ(w->ValueLabel(name)->text(), QString::number(e.Default));
          EXPECT_TRUE(HasLabel(w, caption));
          break;
        }
        case Kind::Check: {
          QCheckBox* box = w->Box(name);
          ASSERT_NE(box, nullptr);
          EXPECT_EQ(box->text(), caption);
          EXPECT_EQ(box->isChecked(), e.Default != 0);
          break;
        }
        case Kind::Radio: {
          QRadioButton* radio = w->Radio(name);
          ASSERT_NE(radio, nullptr);
          EXPECT_EQ(radio->text(), caption);
          EXPECT_EQ(radio->isChecked(), e.Default != 0);
          break;
        }
      }
    }
    // Nothing beyond what the window declares.
    EXPECT_EQ(w->findChildren<ui::TrackBar*>().size(), tracks);
    EXPECT_EQ(w->findChildren<QCheckBox*>().size(),
              std::count_if(all.begin(), all.end(), [](const Expected& e) { return e.K == Kind::Check; }));
    EXPECT_EQ(w->findChildren<QRadioButton*>().size(),
              std::count_if(all.begin(), all.end(), [](const Expected& e) { return e.K == Kind::Radio; }));
  }
}

TEST(BrushWindows, EveryTrackBarWritesItsLabelAndTheDabValue) {
  for (const WindowCase& c : Cases()) {
    TFormBrushOptions* w = BrushOptionWindow(c.ToolId);
    for (const Expected& e : AllControls(c)) {
      if (e.K != Kind::Track) continue;
      SCOPED_TRACE(std::string(c.ObjectName) + "." + e.Name);
      const QString name = QString::fromLatin1(e.Name);
      for (int v : {e.Max, e.Min}) {
        w->Bar(name)->SetPosition(v);
        EXPECT_EQ(w->ValueLabel(name)->text(), QString::number(v));
        EXPECT_EQ(BrushValue(c.ToolId, e.Name), v);
      }
    }
  }
}

// The values reach the very fields the dabs of each tool read.
TEST(BrushWindows, ControlChangesReachTheToolsSettings) {
  BrushToolSettings& s = BrushSettings();
  struct Case {
    TFormBrushOptions* Window;
    const char* Bar;
    int Value;
    std::function<int()> Field;
  };
  const int enlightSize = s.Enlight.Wielkosc;
  const Case cases[] = {
      {FormBrush, "Wielkosc", 33, [&] { return s.Brush.Wielkosc; }},
      {FormDarker, "Przezroczystosc", 41, [&] { return s.Darker.Przezroczystosc; }},
      {FormGray, "Twardosc", 57, [&] { return s.Gray.Twardosc; }},
      {FormSpray, "Gestosc", 12, [&] { return s.Spray.Gestosc; }},
      {FormBlur, "Moc", 6, [&] { return s.Blur.Moc; }},
      {FormBucket, "Tolerant", 0, [&] { return s.Bucket.Tolerant; }},
      {FormColorChange, "CanalG", -200, [&] { return s.ColorChange.CanalG; }},
      {FormStamp, "Wielkosc", 150, [&] { return s.Stamp.Wielkosc; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Window->objectName().toStdString() + "." + c.Bar);
    c.Window->Bar(QString::fromLatin1(c.Bar))->SetPosition(c.Value);
    EXPECT_EQ(c.Field(), c.Value);
    EXPECT_EQ(s.Enlight.Wielkosc, enlightSize) << "another window's value changed";
  }

  FormEnlight->TypeBox->setCurrentIndex(7);
  FormEnlight->Tryb->setCurrentIndex(3);
  FormDarker->TypeBox->setCurrentIndex(25);
  EXPECT_EQ(s.Enlight.TypeBox, 7);
  EXPECT_EQ(s.Enlight.Tryb, 3);
  EXPECT_EQ(s.Darker.TypeBox, 25);
  EXPECT_EQ(s.Darker.Tryb, 0);

  // Real clicks on the radio pairs and the check box.
  Show(FormCorrectionBrush);
  ClickButton(FormCorrectionBrush->Radio("dol"));
  EXPECT_FALSE(s.CorrectionBrush.Gora);
  EXPECT_TRUE(s.CorrectionBrush.Lewo);
  ClickButton(FormCorrectionBrush->Radio("prawo"));
  EXPECT_FALSE(s.CorrectionBrush.Lewo);
  ClickButton(FormCorrectionBrush->Radio("gora"));
  EXPECT_TRUE(s.CorrectionBrush.Gora);
  EXPECT_FALSE(s.CorrectionBrush.Lewo);
  Show(FormBrushHistory);
  ClickButton(FormBrushHistory->Radio("RadioStart"));
  EXPECT_FALSE(s.BrushHistory.RadioBack);
  ClickButton(FormBrushHistory->Box("BoxNewHistory"));
  EXPECT_TRUE(s.BrushHistory.BoxNewHistory);
  ClickButton(FormBrushHistory->Box("BoxNewHistory"));
  EXPECT_FALSE(s.BrushHistory.BoxNewHistory);

  // The keyboard moves a bar as the user would.
  Show(FormBrush);
  FormBrush->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FormBrush));
  FormBrush->Bar("Twardosc")->SetPosition(1);
  FormBrush->Bar("Twardosc")->setFocus();
  QTest::keyClick(FormBrush->Bar("Twardosc"), Qt::Key_Right);
  EXPECT_EQ(s.Brush.Twardosc, 2);
  EXPECT_EQ(FormBrush->ValueLabel("Twardosc")->text(), QStringLiteral("2"));
}

TEST(BrushWindows, ScalMovesTheOtherChannelsOnlyWhileTicked) {
  BrushToolSettings& s = BrushSettings();
  Show(FormEnlight);
  FormEnlight->Box("Scal")->setChecked(true);  // as it starts
  FormColorChange->Box("Scal")->setChecked(false);
  for (const char* n : {"CanalR", "CanalG", "CanalB"}) FormColorChange->Bar(n)->SetPosition(0);
  FormEnlight->Bar("CanalG")->SetPosition(100);
  for (const char* n : {"CanalR", "CanalG", "CanalB"}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(FormEnlight->Bar(n)->Position(), 100);
    EXPECT_EQ(FormEnlight->ValueLabel(n)->text(), QStringLiteral("100"));
  }
  EXPECT_EQ(s.Enlight.CanalR, 100);
  EXPECT_EQ(s.Enlight.CanalB, 100);
  EXPECT_EQ(s.Darker.CanalR, 0) << "the darken window has its own channels";

  ClickButton(FormEnlight->Box("Scal"));
  EXPECT_FALSE(s.Enlight.Scal);
  FormEnlight->Bar("CanalB")->SetPosition(30);
  EXPECT_EQ(FormEnlight->Bar("CanalR")->Position(), 100);
  EXPECT_EQ(FormEnlight->Bar("CanalG")->Position(), 100);
  EXPECT_EQ(s.Enlight.CanalB, 30);
  EXPECT_EQ(s.Enlight.CanalR, 100);

  // The colour change window starts unlinked, with channels below zero.
  FormColorChange->Bar("CanalR")->SetPosition(-50);
  EXPECT_EQ(FormColorChange->Bar("CanalG")->Position(), 0);
  FormColorChange->Box("Scal")->setChecked(true);
  EXPECT_TRUE(s.ColorChange.Scal);
  FormColorChange->Bar("CanalB")->SetPosition(-255);
  EXPECT_EQ(s.ColorChange.CanalR, -255);
  EXPECT_EQ(s.ColorChange.CanalG, -255);
  EXPECT_EQ(FormColorChange->ValueLabel("CanalG")->text(), QStringLiteral("-255"));
}

TEST(BrushWindows, WheelStepsShowOnTheSliderAndLabel) {
  struct Case {
    int ToolId;
    const char* Name;
    int Start;
    int Step;
    int Expected;
  };
  const Case cases[] = {
      {28, "Wielkosc", 75, 4, 79},
      {28, "Wielkosc", 148, 4, 150},  // clamped to the range
      {21, "Przezroczystosc", 100, -4, 96},
      {29, "Wielkosc", 3, -4, 1},
      {17, "Przezroczystosc", 2, -4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.ToolId) + " " + c.Name);
    TFormBrushOptions* w = BrushOptionWindow(c.ToolId);
    const QString name = QString::fromLatin1(c.Name);
    w->Bar(name)->SetPosition(c.Start);
    EXPECT_EQ(StepBrushControl(c.ToolId, c.Name, c.Step), c.Expected);
    EXPECT_EQ(w->Bar(name)->Position(), c.Expected);
    EXPECT_EQ(w->ValueLabel(name)->text(), QString::number(c.Expected));
    EXPECT_EQ(BrushValue(c.ToolId, c.Name), c.Expected);
  }
}

void ClickIcon(int toolId) {
  const ToolSlot* slot = FormTools->Slot(toolId);
  ASSERT_NE(slot, nullptr);
  QTest::mouseClick(slot->Icon, Qt::LeftButton);
}

TEST(BrushWindows, PickingATool) {
  for (const WindowCase& c : Cases()) {
    const ToolSlot* slot = FormTools->Slot(c.ToolId);
    ASSERT_NE(slot, nullptr);
    EXPECT_TRUE(slot->Icon->isEnabled()) << c.ObjectName;
  }
  ClickIcon(28);
  EXPECT_EQ(FormTools->ToolId, 28);
  EXPECT_TRUE(FormBrush->isVisible());
  EXPECT_EQ(FormBrush->pos(), QPoint(FormTools->x() + FormTools->width(), FormTools->y() + FormTools->height() / 2));
  EXPECT_EQ(FormTools->Slot(28)->Frame->Pen(), SelectedFramePen());

  // Picking another tool closes the window shown before.
  FormBrush->Bar("Wielkosc")->SetPosition(20);
  ClickIcon(16);
  EXPECT_EQ(FormTools->ToolId, 16);
  EXPECT_FALSE(FormBrush->isVisible());
  EXPECT_TRUE(FormSpray->isVisible());
  EXPECT_EQ(FormTools->Slot(16)->Frame->Pen(), SelectedFramePen());
  EXPECT_EQ(FormTools->Slot(28)->Frame->Pen(), NeutralFrameColor());
  for (const WindowCase& c : Cases())
    EXPECT_EQ(BrushOptionWindow(c.ToolId)->isVisible(), c.ToolId == 16) << c.ObjectName;

  // The close box leaves the tool chosen with its values.
  FormSpray->Bar("Gestosc")->SetPosition(40);
  EXPECT_TRUE(FormSpray->close());
  EXPECT_FALSE(FormSpray->isVisible());
  EXPECT_EQ(FormTools->ToolId, 16);
  EXPECT_EQ(BrushSettings().Spray.Gestosc, 40);
  ClickIcon(28);
  EXPECT_EQ(FormBrush->Bar("Wielkosc")->Position(), 20) << "values last for the whole run";

  // The stamp forgets its source point whenever it is picked.
  FormTools->StampSourceSet = true;
  ClickIcon(21);
  EXPECT_FALSE(FormTools->StampSourceSet);
  EXPECT_TRUE(FormStamp->isVisible());
  FormTools->StampSourceSet = true;
  ClickIcon(22);
  EXPECT_TRUE(FormTools->StampSourceSet) << "only the stamp forgets it";

  // The cursor tool closes the option windows too.
  ClickIcon(0);
  EXPECT_FALSE(FormSharp->isVisible());
  EXPECT_EQ(FormTools->ToolId, 0);
}

TEST(BrushWindows, ComingToTheWindowRemovesTheBrushOutline) {
  FormHome->OpenDroppedFiles({test::WriteImage(QStringLiteral("a.png"), test::Pattern(60, 40))});
  ClickIcon(28);
  FormTools->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FormTools));
  FormImageHome->ObrazDlaUsera->EditPicture().Fill(MakePixel(1, 1, 1));  // an outline left over
  FormHome->PointerOverPicture = true;
  FormBrush->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FormBrush));
  QCoreApplication::processEvents();
  EXPECT_FALSE(FormHome->PointerOverPicture);
  EXPECT_EQ(FormImageHome->ObrazDlaUsera->Picture(), FormImageHome->HomeImage.BackupImage);
}

TEST(BrushWindows, ThePointerOverAPanelGivesTheWindowTheFocus) {
  Show(FormBlur);
  FormTools->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FormTools));
  QTest::qWait(20);
  // Tool windows share their activation; the focus window tells them apart.
  ASSERT_NE(QGuiApplication::focusWindow(), FormBlur->windowHandle());
  QFrame* panel = FormBlur->Panels().back();
  QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), panel->mapToGlobal(QPointF(3, 3)));
  QApplication::sendEvent(panel, &enter);
  EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::focusWindow() == FormBlur->windowHandle(); }, 500));
}

}  // namespace
}  // namespace rv
