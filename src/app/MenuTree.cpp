#include "app/MenuTree.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QWidget>

namespace rv {

namespace {

constexpr const char* kWanted = "rvWanted";
constexpr const char* kCommand = "rvCommand";
constexpr const char* kDocument = "rvDocument";
constexpr const char* kShortcutText = "rvShortcutText";

MenuItemDecl Sub(int depth, const char* name, const char* caption, bool enabled, bool doc = false) {
  return {depth, name, caption, "", enabled, true, nullptr, doc};
}
MenuItemDecl Item(int depth, const char* name, const char* caption, const char* key, bool enabled,
                  const char* command, bool doc = false) {
  return {depth, name, caption, key, enabled, false, command, doc};
}
MenuItemDecl Sep(int depth) { return {depth, nullptr, "-", "", true, false, nullptr, false}; }

}  // namespace

const QList<MenuItemDecl>& MainMenuDecl() {
  static const QList<MenuItemDecl> decl = {
      Sub(0, "Plik1", "Plik", true),
      Item(1, "Otwrz1", "Otwórz...", "Ctrl+O", true, "OpenPicture"),
      Item(1, "Zapisz1", "Zapisz...", "Ctrl+S", false, "SavePicture", true),
      Sep(1),
      Item(1, "Zakocz1", "Zakończ", "Ctrl+Q", true, "Close"),
      Sub(0, "Edycja1", "Edycja", true, true),
      Item(1, "cofnij2", "Cofnij", "Ctrl+Alt+Z", false, "ToggleUndo", true),
      Item(1, "Cofnij1", "Do tyłu", "Ctrl+Z", false, "StepBack", true),
      Item(1, "Ponw1", "Do przodu", "Ctrl+Y", false, "StepForward", true),
      Sep(1),
      Item(1, "Kopiuj1", "Kopiuj", "Ctrl+C", false, "CopyPicture", true),
      Item(1, "Wklej1", "Wklej", "Ctrl+V", true, "PastePicture"),
      Sep(1),
      Item(1, "Usupozycjwhistorii1", "Usuń pozycję w historii", "", false, "DeleteHistoryEntry", true),
      Item(1, "Wyczy1", "Wyczyść historię", "", false, "ClearHistory", true),
      Sep(1),
      Item(1, "Dodajdokamienimilowych1", "Dodaj do kamieni milowych", "Ctrl+M", false, "AddMilestone", true),
      Sub(0, "Zaznaczenie1", "Zaznaczenie", false, true),
      Item(1, "Zaznaczwszystko1", "Zaznacz wszystko", "Ctrl+A", true, "SelectAll"),
      Item(1, "Zaznaczodwrotno1", "Zaznacz odwrotność", "Ctrl+Alt+I", false, "InvertSelection"),
      Sep(1),
      Item(1, "Wtapianie1", "Wtapianie...", "Ctrl+Alt+D", true, "TFormFeather"),
      Item(1, "Wypenij1", "Wypełnij...", "Shift+F5", true, "TFormFill"),
      Item(1, "Gradientpoziomy1", "Gradient poziomy...", "", true, "TFormGradientWidth"),
      Item(1, "Gradientpromienisty1", "Gradient promienisty...", "", true, "TFormGradientPoint"),
      Sub(0, "Obrazek1", "Obrazek", false, true),
      Sub(1, "Obracanie1", "Obracanie", true),
      Item(2, "N1801", "Odbicie horyzontalne", "Ctrl+E", true, "FlipHorizontal"),
      Item(2, "Odbiciewertyklane1", "Odbicie wertyklane", "Ctrl+D", true, "FlipVertical"),
      Item(2, "Wprawo1", "W prawo", "Ctrl+K", true, "RotateRight"),
      Item(2, "Wlewo1", "W lewo", "Ctrl+L", true, "RotateLeft"),
      Item(2, "Penyobrt1", "Pełny obrót", "Ctrl+R", true, "RotateFull"),
      Item(1, "Zmierozmiar1", "Zmień rozmiar...", "Ctrl+H", true, "TFormChangeSize"),
      Sep(1),
      Item(1, "Rozciganie1", "Rozciąganie histogramu...", "", true, "TFormExtension"),
      Item(1, "Wyrwnanie1", "Wyrównanie histogramu...", "", true, "TFormAligment"),
      Sub(0, "Filtryproste1", "Filtry proste", false, true),
      Item(1, "Skalasz1", "Skala szarości...", "Ctrl+Alt+G", true, "TFormGrayFilter"),
      Item(1, "Rozja1", "Rozjaśnienie...", "Ctrl+Alt+L", true, "TFormLight"),
      Item(1, "Przyciemnienie1", "Przyciemnienie...", "Ctrl+Alt+D", true, "TFormDark"),
      Item(1, "Kontrast1", "Kontrast...", "Ctrl+Alt+C", true, "TFormContrast"),
      Item(1, "Balanskolorw1", "Balans kolorów...", "Ctrl+Alt+B", true, "TFormBalanceColor"),
      Sep(1),
      Item(1, "Nasycenie1", "Nasycenie...", "Ctrl+Alt+S", true, "TFormSaturaton"),
      Item(1, "Gamma1", "Gamma...", "Ctrl+Alt+H", true, "TFormGamma"),
      Item(1, "Ekspozycja1", "Ekspozycja...", "Ctrl+Alt+E", true, "TFormExposure"),
      Sep(1),
      Item(1, "Negatyw1", "Negatyw...", "Ctrl+Alt+N", true, "TFormNegativ"),
      Item(1, "Progowanie1", "Progowanie...", "Ctrl+Alt+P", true, "TFormHold"),
      Item(1, "Pasteryzacja1", "Pasteryzacja...", "Ctrl+Alt+O", true, "TFormPosterize"),
      Sub(0, "Efektyspecjalne1", "Efekty specjalne", false, true),
      Item(1, "Sepia1", "Sepia...", "Ctrl+Alt+A", true, "TFormSepia"),
      Item(1, "Dodajsiarczysto1", "Inteligentne wyostrzenie...", "Ctrl+Alt+F", true, "TFormSulfur"),
      Item(1, "Dodajszum1", "Dodaj szum...", "Ctrl+Alt+G", true, "TFormNoise"),
      Item(1, "Mozaika1", "Mozaika...", "Ctrl+Alt+M", true, "TFormMozaic"),
      Item(1, "Patchowrk1", "Patchwork...", "", true, "TFormPatchwork"),
      Sep(1),
      Item(1, "Rastrowanie1", "Rastrowanie...", "Ctrl+Alt+I", true, "TFormScreening"),
      Item(1, "Wiatr1", "Wiatr...", "Ctrl+Alt+J", true, "TFormWind"),
      Item(1, "Dyfuzja1", "Dyfuzja...", "Ctrl+Alt+K", true, "TFormDif"),
      Item(1, "Mokrypapier1", "Mokry papier...", "Ctrl+Alt+Q", true, "TFormWetPaper"),
      Sep(1),
      Item(1, "Winieta1", "Winieta...", "Ctrl+Alt+R", true, "TFormVignette"),
      Item(1, "Barwa1", "Barwa...", "Ctrl+Alt+T", true, "TFormHue"),
      Item(1, "Falowanie1", "Falowanie...", "Ctrl+Alt+U", true, "TFormHeave"),
      Sub(0, "TeksturyObrazki1", "Tekstury / Obrazki", false, true),
      Item(1, "Nakadanieobrazka1", "Nakładanie obrazka...", "Ctrl+Alt+V", true, "TFormImposition"),
      Item(1, "Nakadanietekstury1", "Nakładanie tekstury...", "Ctrl+Alt+W", true, "TFormTexture"),
      Item(1, "Przesunicie1", "Przesunięcie...", "Ctrl+Alt+X", true, "TFormShift"),
      Item(1, "fragmentacja1", "Fragmentacja...", "Ctrl+Alt+Y", true, "TFormFrag"),
      Item(1, "Rozbicie1", "Rozbicie...", "Ctrl+Alt+Z", true, "TFormBreak"),
      Sep(1),
      Item(1, "Nawarstw1", "Nałóż warstwę...", "Ctrl+B", true, "TFormLayer"),
      Item(1, "Anaglif1", "Anaglif...", "Ctrl+F", true, "TFormAnalg"),
      Sub(0, "Filtrymacierzowe1", "Filtry macierzowe", false, true),
      Item(1, "minimalizuj1", "Minimalizuj...", "Ctrl+G", true, "TFormMin"),
      Item(1, "Maksymalizuj1", "Maksymalizuj...", "Ctrl+I", true, "TFormMax"),
      Item(1, "mediana1", "Mediana", "Ctrl+J", true, "TFormMedian"),
      Item(1, "Rozmycie1", "Rozmycie...", "Ctrl+N", true, "TFormBlurFilter"),
      Sub(0, "Korekcja1", "Korekta", false, true),
      Item(1, "Korekcjacieni1", "Korekcja cieni / świateł...", "Ctrl+T", true, "TFormShadow"),
      Item(1, "Ususzum1", "Usuń szum...", "Ctrl+U", true, "TFormDeleteNoise"),
      Item(1, "Wyrwnaniehoryzontalne1", "Wyrównanie horyzontalne...", "Ctrl+P", true, "TFormHeight"),
      Item(1, "Wyrwnaniehoryzontu1", "Wyrównanie wertykalne...", "Ctrl+W", true, "TFormWidth"),
      Item(1, "Kolorselektywny1", "Kolor selektywny...", "Ctrl+X", true, "TFormSelective"),
      Sub(0, "Krawdzie1", "Krawędzie", false, true),
      Item(1, "Wykrywaniekrawdzi1", "Wykrywanie krawędzi...", "", true, "TFormEdges"),
      Item(1, "Gradientowewykrywaniakrawdzi1", "Gradientowe wykrywania krawędzi...", "", true, "TFormEdgesGradient"),
      Item(1, "Filtruwypuklajcy1", "Filtr uwypuklający...", "", true, "TFormDomed"),
      Item(1, "WykrywanieLaplace1", "Wykrywanie Laplace...", "", true, "TFormLaplace"),
      Item(1, "Filtrykonturowe1", "Filtry konturowe...", "", true, "TFormContours"),
      Item(1, "Prostewyostrzenie1", "Proste wyostrzenie...", "", true, "TFormHP"),
      Sub(0, "Informacje1", "Informacje", true),
      Item(1, "Oautorze1", "Ekran powitalny", "F1", true, "ShowWelcome"),
  };
  return decl;
}

const QList<MenuItemDecl>& HandMenuDecl() {
  static const QList<MenuItemDecl> decl = {
      Sub(0, "HandOpcje", "Opcje główne", true),
      Item(1, "HandOtwrz", "Otwórz", "", true, "OpenPicture"),
      Item(1, "HandZapisz", "Zapisz", "", false, "SavePicture", true),
      Sep(1),
      Item(1, "HandKopiuj", "Kopiuj", "", false, "CopyPicture", true),
      Item(1, "HandWklej", "Wklej", "", true, "PastePicture"),
      Sep(1),
      Item(1, "HandZamknij", "Zamknij", "", true, "Close"),
      Sub(0, "HandHistoria", "Historia", false, true),
      Item(1, "HandCofnij", "Cofnij", "", false, "ToggleUndo", true),
      Item(1, "HandDoTylu", "Do tyłu", "", false, "StepBack", true),
      Item(1, "HandDoPrzodu", "Do przodu", "", false, "StepForward", true),
      Sep(1),
      Item(1, "HandUsun", "Usuń pozycję w historii", "", false, "DeleteHistoryEntry", true),
      Item(1, "HandWyczysc", "Wyczyść historię", "", false, "ClearHistory", true),
      Sep(1),
      Item(1, "HandKamien", "Dodaj do kamieni milowych", "", false, "AddMilestone", true),
      Sub(0, "HandZaznaczenie", "Zaznaczenie", false, true),
      Item(1, "HandZaznaczWszystko", "Zaznacz wszystko", "", false, "SelectAll", true),
      Item(1, "HandZaznaczOdwrotnosc", "Zaznacz odwrotność", "", false, "InvertSelection"),
      Sep(1),
      Item(1, "HandWtapianie", "Wtapianie...", "", false, "TFormFeather", true),
      Item(1, "HandWypelnij", "Wypełnij...", "", false, "TFormFill", true),
      Item(1, "HandGradientPoziomy", "Gradient poziomy...", "", true, "TFormGradientWidth"),
      Item(1, "HandGradientPromienisty", "Gradient promienisty...", "", true, "TFormGradientPoint"),
      Sub(0, "HandObrazek", "Obrazek", false, true),
      Sub(1, "HandObracanie", "Obracanie", true),
      Item(2, "HandOdbicieHoryzontalne", "Odbicie horyzontalne", "", true, "FlipHorizontal"),
      Item(2, "HandOdbicieWertykalne", "Odbicie wertykalne", "", true, "FlipVertical"),
      Item(2, "HandWPrawo", "W prawo", "", true, "RotateRight"),
      Item(2, "HandWLewo", "W lewo", "", true, "RotateLeft"),
      Item(2, "HandPelnyObrot", "Pełny obrót", "", true, "RotateFull"),
      Item(1, "HandZmienRozmiar", "Zmień rozmiar...", "", true, "TFormChangeSize"),
      Sep(1),
      Item(1, "HandRozciaganie", "Rozciąganie histogramu...", "", true, "TFormExtension"),
      Item(1, "HandWyrownanie", "Wyrównanie histogramu...", "", true, "TFormAligment"),
      Sub(0, "HandFiltryProste", "Filtry proste", false, true),
      Item(1, "HandSkalaSzarosci", "Skala szarości", "", true, "TFormGrayFilter"),
      Item(1, "HandRozjasnienie", "Rozjaśnienie...", "", true, "TFormLight"),
      Item(1, "HandPrzyciemnienie", "Przyciemnienie...", "", true, "TFormDark"),
      Item(1, "HandKontrast", "Kontrast...", "", true, "TFormContrast"),
      Item(1, "HandBalansKolorow", "Balans kolorów...", "", true, "TFormBalanceColor"),
      Sep(1),
      Item(1, "HandNasycenie", "Nasycenie...", "", true, "TFormSaturaton"),
      Item(1, "HandGamma", "Gamma...", "", true, "TFormGamma"),
      Item(1, "HandEkspozycja", "Ekspozycja...", "", true, "TFormExposure"),
      Sep(1),
      Item(1, "HandNegatyw", "Negatyw...", "", true, "TFormNegativ"),
      Item(1, "HandProgowanie", "Progowanie...", "", true, "TFormHold"),
      Item(1, "HandPasteryzacja", "Pasteryzacja...", "", true, "TFormPosterize"),
      Sub(0, "HandEfektySpecjalne", "Efekty specjalne", false, true),
      Item(1, "HandSepia", "Sepia...", "", true, "TFormSepia"),
      Item(1, "HandWyostrzenie", "Inteligentne wyostrzenie...", "", true, "TFormSulfur"),
      Item(1, "HandDodajSzum", "Dodaj szum...", "", true, "TFormNoise"),
      Item(1, "HandMozaika", "Mozaika...", "", true, "TFormMozaic"),
      Item(1, "HandPatchwork", "Patchwork...", "", true, "TFormPatchwork"),
      Sep(1),
      Item(1, "HandRastrowanie", "Rastrowanie...", "", true, "TFormScreening"),
      Item(1, "HandWiatr", "Wiatr...", "", true, "TFormWind"),
      Item(1, "HandDyfuzja", "Dyfuzja...", "", true, "TFormDif"),
      Item(1, "HandMokryPapier", "Mokry papier...", "", true, "TFormWetPaper"),
      Sep(1),
      Item(1, "HandWinieta", "Winieta...", "", true, "TFormVignette"),
      Item(1, "HandBarwa", "Barwa...", "", true, "TFormHue"),
      Item(1, "HandFalowanie", "Falowanie...", "", true, "TFormHeave"),
      Sub(0, "HandTekstury", "Tekstury / Obrazki", false, true),
      Item(1, "HandNakladanieObrazka", "Nakładanie obrazka...", "", true, "TFormImposition"),
      Item(1, "HandNakladanieTekstury", "Nakładanie tekstury...", "", true, "TFormTexture"),
      Item(1, "HandPrzesuniecie", "Przesunięcie...", "", true, "TFormShift"),
      Item(1, "HandFragmentacja", "Fragmentacja...", "", true, "TFormFrag"),
      Item(1, "HandRozbicie", "Rozbicie...", "", true, "TFormBreak"),
      Sep(1),
      Item(1, "HandWarstwa", "Nałóż warstwę...", "", true, "TFormLayer"),
      Item(1, "HandAnaglif", "Anaglif...", "", true, "TFormAnalg"),
      Sub(0, "HandFiltryMacierzowe", "Filtry macierzowe", false, true),
      Item(1, "HandMinimalizuj", "Minimalizuj...", "", true, "TFormMin"),
      Item(1, "HandMaksymalizuj", "Maksymalizuj...", "", true, "TFormMax"),
      Item(1, "HandMediana", "Mediana...", "", true, "TFormMedian"),
      Item(1, "HandRozmycie", "Rozmycie...", "", true, "TFormBlurFilter"),
      Sub(0, "HandKorekta", "Korekta", false, true),
      Item(1, "HandKorekcjaCieni", "Korekcja cieni / świateł...", "", true, "TFormShadow"),
      Item(1, "HandUsunSzum", "Usuń szum...", "", true, "TFormDeleteNoise"),
      Item(1, "HandWyrownanieHoryzontalne", "Wyrównywanie horyzontalne...", "", true, "TFormHeight"),
      Item(1, "HandWyrownanieWertykalne", "Wyrównanie wertykalne...", "", true, "TFormWidth"),
      Item(1, "HandKolorSelektywny", "Kolor selektywny...", "", true, "TFormSelective"),
      Sub(0, "HandKrawedzie", "Krawędzie", false, true),
      Item(1, "HandWykrywanieKrawedzi", "Wykrywanie krawędzi...", "", true, "TFormEdges"),
      Item(1, "HandGradientoweKrawedzie", "Gradientowe wykrywanie krawędzi...", "", true, "TFormEdgesGradient"),
      Item(1, "HandUwypuklajacy", "Filtr uwypuklający...", "", true, "TFormDomed"),
      Item(1, "HandLaplace", "Wykrywanie Lapalce...", "", true, "TFormLaplace"),
      Item(1, "HandKonturowe", "Filtry konturowe...", "", true, "TFormContours"),
      Item(1, "HandProsteWyostrzanie", "Proste wyostrzanie...", "", true, "TFormHP"),
      Item(0, "HandInformacje", "Informacje", "", true, "ShowWelcome"),
  };
  return decl;
}

void MenuTree::BuildTree(const QList<MenuItemDecl>& decl, QWidget* root, QHash<QString, QAction*>& names,
                         QList<QAction*>& order, bool withShortcuts) {
  QList<QWidget*> parents{root};
  for (const MenuItemDecl& d : decl) {
    parents.resize(d.Depth + 1);
    QWidget* parent = parents.back();
    if (!d.Name) {
      static_cast<QMenu*>(parent)->addSeparator();
      continue;
    }
    const QString caption = QString::fromUtf8(d.Caption);
    QAction* action = nullptr;
    if (d.Submenu) {
      auto* menu = new QMenu(caption, parent);
      menu->setObjectName(QString::fromUtf8(d.Name));
      action = menu->menuAction();
      parent->addAction(action);
      parents.push_back(menu);
    } else {
      action = new QAction(caption, parent);
      parent->addAction(action);
      const QString command = QString::fromUtf8(d.Command);
      action->setProperty(kCommand, command);
      QObject::connect(action, &QAction::triggered, action, [this, command] { Run(command); });
    }
    action->setObjectName(QString::fromUtf8(d.Name));
    action->setProperty("rvTree", QVariant::fromValue<void*>(this));
    action->setProperty(kDocument, d.DocumentMenu);
    const QString key = QString::fromUtf8(d.Shortcut);
    if (withShortcuts && !key.isEmpty()) {
      const QKeySequence seq(key, QKeySequence::PortableText);
      // The key is shown in the menu's shortcut column; the window dispatches
      // it (see DispatchKey), so that a shared key has one owner.
      action->setProperty(kShortcutText, seq.toString(QKeySequence::NativeText));
      action->setText(caption + QLatin1Char('\t') + seq.toString(QKeySequence::NativeText));
      bool taken = false;
      for (const auto& k : keys_) taken = taken || k.first == seq;
      if (!taken) keys_.append({seq, action});
    }
    SetEnabled(action, d.EnabledAtStart);
    names.insert(action->objectName(), action);
    order.append(action);
  }
}

void MenuTree::BuildHand(QMenu* hand) { BuildTree(HandMenuDecl(), hand, hand_, handOrder_, false); }

void MenuTree::BuildBar(QWidget* window, QMenuBar* bar) {
  window_ = window;
  barWidget_ = bar;
  BuildTree(MainMenuDecl(), bar, bar_, barOrder_, true);
  for (const auto& k : keys_) {
    auto* sc = new QShortcut(k.first, window);
    sc->setContext(Qt::ApplicationShortcut);
    const QKeySequence key = k.first;
    QObject::connect(sc, &QShortcut::activated, window, [this, key] { DispatchKey(key); });
    QObject::connect(sc, &QShortcut::activatedAmbiguously, window, [this, key] { DispatchKey(key); });
    shortcuts_.append(sc);
  }
}

QList<QAction*> MenuTree::ItemsFor(const QString& command) const {
  QList<QAction*> out;
  for (QAction* a : barOrder_ + handOrder_)
    if (a->property(kCommand).toString() == command) out.append(a);
  return out;
}

int MenuTree::ConnectCommand(const QString& command, std::function<void()> run) {
  commands_.insert(command, std::move(run));
  const QList<QAction*> items = ItemsFor(command);
  for (QAction* a : items) SetEnabled(a, a->property(kWanted).toBool());
  return static_cast<int>(items.size());
}

bool MenuTree::Run(const QString& command) const {
  const auto it = commands_.find(command);
  if (it == commands_.end() || !*it) return false;
  (*it)();
  return true;
}

void MenuTree::SetEnabled(QAction* item, bool enabled) {
  item->setProperty(kWanted, enabled);
  const QVariant command = item->property(kCommand);
  bool available = true;
  if (command.isValid()) {
    // The tree that built the item knows which commands are connected.
    auto* tree = static_cast<const MenuTree*>(item->property("rvTree").value<void*>());
    available = tree ? tree->IsConnected(command.toString()) : false;
  }
  item->setEnabled(enabled && available);
}

QString MenuTree::Caption(const QAction* item) {
  const QString t = item->text();
  const int tab = t.indexOf(QLatin1Char('\t'));
  return tab < 0 ? t : t.left(tab);
}

void MenuTree::SetCaption(QAction* item, const QString& caption) {
  const QString key = item->property(kShortcutText).toString();
  item->setText(key.isEmpty() ? caption : caption + QLatin1Char('\t') + key);
}

QKeySequence MenuTree::WorkingShortcut(const QAction* item) const {
  for (const auto& k : keys_)
    if (k.second == item) return k.first;
  return {};
}

bool MenuTree::EffectivelyEnabled(const QAction* item) const {
  if (barWidget_ && !barWidget_->isEnabled()) return false;
  const QAction* a = item;
  while (a) {
    if (!a->isEnabled()) return false;
    const QObject* parent = a->parent();
    // A plain item's parent is its menu; a submenu's action belongs to the
    // submenu, whose parent widget is the menu above it.
    const auto* menu = qobject_cast<const QMenu*>(parent);
    if (menu && menu->menuAction() != a) {
      a = menu->menuAction();
      continue;
    }
    if (menu) menu = qobject_cast<const QMenu*>(menu->parent());
    a = menu ? menu->menuAction() : nullptr;
  }
  return true;
}

bool MenuTree::DispatchKey(const QKeySequence& key) {
  if (QApplication::activeModalWidget()) return false;
  for (const auto& k : keys_) {
    if (k.first != key) continue;
    if (!EffectivelyEnabled(k.second)) return false;
    k.second->trigger();
    return true;
  }
  return false;
}

void MenuTree::EnableDocumentMenus() {
  for (QAction* a : barOrder_ + handOrder_)
    if (a->property(kDocument).toBool()) SetEnabled(a, true);
}

}  // namespace rv
