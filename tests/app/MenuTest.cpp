// The menu bar and MenuHand: tree, enabling, routing and the shortcut keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "AppTestSupport.h"
#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/UnitTools.h"

namespace rv {
namespace {

MenuTree& Menus() { return FormHome->Menus(); }
QAction* Bar(const char* name) { return Menus().Bar(QString::fromUtf8(name)); }
QAction* Hand(const char* name) { return Menus().Hand(QString::fromUtf8(name)); }

QStringList Captions(const QList<QAction*>& actions) {
  QStringList out;
  for (const QAction* a : actions) out.append(a->isSeparator() ? QStringLiteral("-") : MenuTree::Caption(a));
  return out;
}

void LoadPicture() { FormHome->OpenDroppedFiles({test::WriteImage("pic.png", test::Pattern(40, 30))}); }

void PressKey(const QKeySequence& key) {
  FormHome->activateWindow();
  QApplication::setActiveWindow(FormHome);
  const QKeyCombination k = key[0];
  QTest::keyClick(FormHome, k.key(), k.keyboardModifiers());
}

TEST(MenuTree, TopLevelOfBothMenus) {
  EXPECT_EQ(Captions(FormHome->menuBar()->actions()),
            QStringList({"Plik", "Edycja", "Zaznaczenie", "Obrazek", "Filtry proste", "Efekty specjalne",
                         "Tekstury / Obrazki", "Filtry macierzowe", "Korekta", "Krawędzie", "Informacje"}));
  EXPECT_EQ(Captions(FormImageHome->MenuHand->actions()),
            QStringList({"Opcje główne", "Historia", "Zaznaczenie", "Obrazek", "Filtry proste", "Efekty specjalne",
                         "Tekstury / Obrazki", "Filtry macierzowe", "Korekta", "Krawędzie", "Informacje"}));
  // "Informacje" of the pop-up is a plain item, the menu bar's a submenu.
  EXPECT_EQ(Hand("HandInformacje")->menu(), nullptr);
  ASSERT_NE(Bar("Informacje1")->menu(), nullptr);
}

TEST(MenuTree, SubmenusHoldTheirItemsInOrder) {
  EXPECT_EQ(Captions(Bar("Plik1")->menu()->actions()), QStringList({"Otwórz...", "Zapisz...", "-", "Zakończ"}));
  EXPECT_EQ(Captions(Bar("Edycja1")->menu()->actions()),
            QStringList({"Cofnij", "Do tyłu", "Do przodu", "-", "Kopiuj", "Wklej", "-", "Usuń pozycję w historii",
                         "Wyczyść historię", "-", "Dodaj do kamieni milowych"}));
  EXPECT_EQ(Captions(Bar("Obracanie1")->menu()->actions()),
            QStringList({"Odbicie horyzontalne", "Odbicie wertyklane", "W prawo", "W lewo", "Pełny obrót"}));
  EXPECT_EQ(Bar("Obracanie1")->menu()->parent(), Bar("Obrazek1")->menu());
  EXPECT_EQ(Captions(Hand("HandOpcje")->menu()->actions()),
            QStringList({"Otwórz", "Zapisz", "-", "Kopiuj", "Wklej", "-", "Zamknij"}));
  EXPECT_EQ(Bar("Filtryproste1")->menu()->actions().size(), 13);
  EXPECT_EQ(Bar("Efektyspecjalne1")->menu()->actions().size(), 14);
  EXPECT_EQ(Hand("HandEfektySpecjalne")->menu()->actions().size(), 14);
}

TEST(MenuTree, PopupCaptionsDifferWhereTheyDiffer) {
  const std::pair<const char*, const char*> cases[] = {
      {"HandOdbicieWertykalne", "Odbicie wertykalne"},
      {"HandSkalaSzarosci", "Skala szarości"},
      {"HandMediana", "Mediana..."},
      {"HandWyrownanieHoryzontalne", "Wyrównywanie horyzontalne..."},
      {"HandGradientoweKrawedzie", "Gradientowe wykrywanie krawędzi..."},
      {"HandLaplace", "Wykrywanie Lapalce..."},
      {"HandProsteWyostrzanie", "Proste wyostrzanie..."},
  };
  for (const auto& [name, caption] : cases) EXPECT_EQ(Hand(name)->text(), QString::fromUtf8(caption)) << name;
  EXPECT_EQ(MenuTree::Caption(Bar("Odbiciewertyklane1")), QStringLiteral("Odbicie wertyklane"));
  EXPECT_EQ(MenuTree::Caption(Bar("mediana1")), QStringLiteral("Mediana"));
  // The pop-up shows no shortcuts.
  for (const QAction* a : Menus().HandItems()) EXPECT_FALSE(a->text().contains(QLatin1Char('\t'))) << a->objectName();
}

TEST(MenuTree, EveryItemsTwinRunsTheSameCommand) {
  for (QAction* a : Menus().HandItems()) {
    if (a->menu()) continue;
    const QString command = a->property("rvCommand").toString();
    bool twin = false;
    for (const QAction* b : Menus().BarItems()) twin = twin || b->property("rvCommand").toString() == command;
    EXPECT_TRUE(twin) << a->objectName().toStdString();
  }
}

TEST(MenuTree, EnabledStatesWithoutAPicture) {
  for (const char* name : {"Plik1", "Otwrz1", "Zakocz1", "Edycja1", "Wklej1", "Informacje1", "Oautorze1"})
    EXPECT_TRUE(Menus().EffectivelyEnabled(Bar(name))) << name;
  for (const char* name : {"Zapisz1", "cofnij2", "Cofnij1", "Ponw1", "Kopiuj1", "Usupozycjwhistorii1", "Wyczy1",
                           "Dodajdokamienimilowych1", "Zaznaczenie1", "Obrazek1", "Filtryproste1", "Efektyspecjalne1",
                           "TeksturyObrazki1", "Filtrymacierzowe1", "Korekcja1", "Krawdzie1", "Zaznaczwszystko1"})
    EXPECT_FALSE(Menus().EffectivelyEnabled(Bar(name))) << name;
  for (const char* name : {"HandHistoria", "HandZaznaczenie", "HandObrazek", "HandZapisz", "HandKopiuj"})
    EXPECT_FALSE(Hand(name)->isEnabled()) << name;
  EXPECT_TRUE(Hand("HandOtwrz")->isEnabled());
  EXPECT_TRUE(Hand("HandWklej")->isEnabled());
}

TEST(MenuTree, EnableDocumentMenusEnablesThePictureItems) {
  LoadPicture();
  for (const char* name : {"Edycja1", "Zapisz1", "cofnij2", "Cofnij1", "Ponw1", "Kopiuj1", "Usupozycjwhistorii1",
                           "Wyczy1", "Dodajdokamienimilowych1", "Zaznaczenie1", "Obrazek1", "Filtryproste1",
                           "Efektyspecjalne1", "TeksturyObrazki1", "Filtrymacierzowe1", "Korekcja1", "Krawdzie1",
                           "Zaznaczwszystko1"})
    EXPECT_TRUE(Menus().EffectivelyEnabled(Bar(name))) << name;
  for (const char* name : {"HandZapisz", "HandKopiuj", "HandUsun", "HandWyczysc", "HandKamien", "HandCofnij",
                           "HandDoTylu", "HandDoPrzodu", "HandZaznaczWszystko", "HandObrazek", "HandFiltryProste",
                           "HandEfektySpecjalne", "HandTekstury", "HandFiltryMacierzowe", "HandKorekta",
                           "HandKrawedzie", "HandZaznaczenie", "HandHistoria"})
    EXPECT_TRUE(Hand(name)->isEnabled()) << name;
  // Only SetInvertMenu enables the invert item.
  EXPECT_FALSE(Bar("Zaznaczodwrotno1")->isEnabled());
  EXPECT_FALSE(Hand("HandZaznaczOdwrotnosc")->isEnabled());
  // The turns, the resize dialog and the two overlays, in both menus.
  for (const char* name : {"N1801", "Odbiciewertyklane1", "Wprawo1", "Wlewo1", "Penyobrt1", "Zmierozmiar1",
                           "Nakadanieobrazka1", "Nakadanietekstury1"})
    EXPECT_TRUE(Menus().EffectivelyEnabled(Bar(name))) << name;
  for (const char* name : {"HandOdbicieHoryzontalne", "HandOdbicieWertykalne", "HandWPrawo", "HandWLewo",
                           "HandPelnyObrot", "HandZmienRozmiar", "HandNakladanieObrazka", "HandNakladanieTekstury"})
    EXPECT_TRUE(Hand(name)->isEnabled()) << name;
}

TEST(MenuTree, ConnectCommandEnablesAndRoutesBothTwins) {
  int runs = 0;
  EXPECT_EQ(Menus().ConnectCommand(QStringLiteral("TFormContrast"), [&runs] { ++runs; }), 2);
  EXPECT_TRUE(Bar("Kontrast1")->isEnabled());
  EXPECT_TRUE(Hand("HandKontrast")->isEnabled());
  Bar("Kontrast1")->trigger();
  Hand("HandKontrast")->trigger();
  EXPECT_EQ(runs, 2);
  // Its submenu is still disabled without a picture: the key does nothing.
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+C")));
  EXPECT_EQ(runs, 2);
  LoadPicture();
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+C")));
  EXPECT_EQ(runs, 3);
}

TEST(MenuTree, SharedKeysBelongToTheFirstItem) {
  struct Case {
    const char* Key;
    const char* Owner;
    const char* Later;
  };
  const Case cases[] = {{"Ctrl+Alt+Z", "cofnij2", "Rozbicie1"},
                        {"Ctrl+Alt+D", "Wtapianie1", "Przyciemnienie1"},
                        {"Ctrl+Alt+G", "Skalasz1", "Dodajszum1"},
                        {"Ctrl+Alt+I", "Zaznaczodwrotno1", "Rastrowanie1"}};
  for (const Case& c : cases) {
    const QKeySequence key(QString::fromUtf8(c.Key));
    EXPECT_EQ(Menus().WorkingShortcut(Bar(c.Owner)), key) << c.Key;
    EXPECT_TRUE(Menus().WorkingShortcut(Bar(c.Later)).isEmpty()) << c.Later;
    // Both show the key in the menu.
    EXPECT_TRUE(Bar(c.Later)->text().endsWith(key.toString(QKeySequence::NativeText))) << c.Later;
  }
  // No item carries a Qt shortcut of its own: Qt would call a shared key
  // ambiguous and fire neither.
  for (const QAction* a : Menus().BarItems()) EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName();
}

TEST(MenuTree, CtrlAltZIsAlwaysCofnij) {
  int breaks = 0, darks = 0, feathers = 0;
  Menus().ConnectCommand(QStringLiteral("TFormBreak"), [&] { ++breaks; });
  Menus().ConnectCommand(QStringLiteral("TFormDark"), [&] { ++darks; });
  Menus().ConnectCommand(QStringLiteral("TFormFeather"), [&] { ++feathers; });
  LoadPicture();
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+Z")));
  EXPECT_EQ(MenuTree::Caption(Bar("cofnij2")), QStringLiteral("Ponów"));
  EXPECT_EQ(breaks, 0);
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+D")));
  EXPECT_EQ(feathers, 1);
  EXPECT_EQ(darks, 0);
  // "Rozbicie..." is reached by the menu.
  Bar("Rozbicie1")->trigger();
  EXPECT_EQ(breaks, 1);
}

TEST(MenuTree, SharedKeyOfADisabledOwnerDoesNothing) {
  int screens = 0;
  Menus().ConnectCommand(QStringLiteral("TFormScreening"), [&] { ++screens; });
  LoadPicture();
  // "Zaznacz odwrotność" owns Ctrl+Alt+I and is disabled until a selection.
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+I")));
  EXPECT_EQ(screens, 0);
  EXPECT_FALSE(FormHome->InvertTicked());
  FormTools->SetInvertMenu(false, true);
  PressKey(QKeySequence(QStringLiteral("Ctrl+Alt+I")));
  EXPECT_TRUE(FormHome->InvertTicked());
  EXPECT_EQ(screens, 0);
}

TEST(MenuTree, CtrlABeforeAPictureDoesNothing) {
  FormTools->SelectTool(28);
  PressKey(QKeySequence(QStringLiteral("Ctrl+A")));
  EXPECT_EQ(FormTools->ToolId, 28);
  LoadPicture();
  FormTools->SelectTool(28);
  PressKey(QKeySequence(QStringLiteral("Ctrl+A")));
  EXPECT_EQ(FormTools->ToolId, 0);
}

TEST(MenuTree, DisabledMainUiStopsItsKeysAndMenus) {
  LoadPicture();
  FormTools->DisableMainUi();
  EXPECT_FALSE(Menus().EffectivelyEnabled(Bar("Cofnij1")));
  EXPECT_FALSE(FormTools->isEnabled());
  EXPECT_FALSE(FormHistory->isEnabled());
  const int current = FormHistory->CurrentHistoryIndex();
  test::CommitChange(QStringLiteral("Zmiana"), MakePixel(1, 2, 3));
  PressKey(QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), current + 1);
  FormTools->EnableMainUi();
  EXPECT_TRUE(Menus().EffectivelyEnabled(Bar("Cofnij1")));
  PressKey(QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(FormHistory->CurrentHistoryIndex(), current);
}

TEST(MenuTree, UndoCaptionChangesInBothMenus) {
  LoadPicture();
  Hand("HandCofnij")->trigger();
  EXPECT_EQ(MenuTree::Caption(Bar("cofnij2")), QStringLiteral("Ponów"));
  EXPECT_EQ(Hand("HandCofnij")->text(), QStringLiteral("Ponów"));
  EXPECT_TRUE(Bar("cofnij2")->text().endsWith(QKeySequence(QStringLiteral("Ctrl+Alt+Z")).toString(QKeySequence::NativeText)));
  Bar("cofnij2")->trigger();
  EXPECT_EQ(Hand("HandCofnij")->text(), QStringLiteral("Cofnij"));
}

TEST(MenuTree, ZakonczClosesTheMainWindow) {
  ASSERT_TRUE(FormHome->isVisible());
  Bar("Zakocz1")->trigger();
  EXPECT_FALSE(FormHome->isVisible());
}

}  // namespace
}  // namespace rv
