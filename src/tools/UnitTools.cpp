#include "tools/UnitTools.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/MenuTree.h"
#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "tools/ToolIcons.h"
#include "tools/UnitCanal.h"
#include "tools/UnitColor.h"
#include "ui/ImageControl.h"
#include "ui/Shape.h"
#include "ui/Windows.h"

namespace rv {

TFormTools* FormTools = nullptr;

QColor ToQColor(PackedColor c) { return QColor(PackedRed(c), PackedGreen(c), PackedBlue(c)); }
PackedColor ToPacked(const QColor& c) { return MakePacked(c.red(), c.green(), c.blue()); }

QColor NeutralFrameColor() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }
QColor HoverFramePen() { return QColor(150, 150, 150); }
QColor HoverFrameFill() { return QColor(225, 225, 225); }
QColor SelectedFramePen() { return QColor(0, 0, 255); }
QColor SelectedFrameFill() { return QColor(250, 250, 250); }

void ToolFrame::SetLook(const QColor& pen, const QColor& fill) {
  if (pen == pen_ && fill == fill_) return;
  pen_ = pen;
  fill_ = fill;
  update();
}

void ToolFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(pen_, 1));
  p.setBrush(fill_);
  p.drawRect(0, 0, width() - 1, height() - 1);
}

namespace {

// A tool that is not available yet shows its icon faded.
QPixmap FadedIcon(const QPixmap& icon) {
  QPixmap out(icon.size());
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setOpacity(0.3);
  p.drawPixmap(0, 0, icon);
  return out;
}

struct PanelDecl {
  const char* Name;
  QList<std::tuple<int, const char*, const char*>> Tools;
};

const QList<PanelDecl>& PanelsDecl() {
  static const QList<PanelDecl> decl = {
      {"PanelSelection",
       {{0, "ImageKursor", "Kursor (Zaznacz wszystko)"},
        {1, "IZaznaczProst", "Zaznaczenie prostokątne"},
        {2, "ZaznaczEliptyczne", "Zaznaczenie eliptyczne"},
        {3, "RozdzkaZaznacz", "Różdżka"},
        {4, "ZaznaczProstZaokraglony", "Zaznaczenie prostokątne zaokrąglone"}}},
      {"PanelFigures",
       {{5, "ImageProstokat", "Prostokąt"},
        {6, "ImageElipsa", "Elipsa"},
        {7, "ProstokatZZaokraglonymi", "Prostokąt z zaokrąglonymi rogami"},
        {8, "ImageKadrowanie", "Kadrowanie"},
        {10, "ImageLinia", "Linia prosta"},
        {11, "KrzywaBeziera", "Linia krzywa"}}},
      {"PanelTekstu",
       {{12, "TekstPoziomy", "Tekst poziomy"},
        {13, "TekstPionowy", "Tekst pionowy"},
        {14, "TekstPoziomyMaska", "Maska tekstu poziomego"},
        {15, "TekstPionowyMaska", "Maska tekstu pionowego"}}},
      {"PanelToolsSpecial",
       {{16, "ImageSprej", "Sprej"},
        {17, "ImageSlonce", "Pędzel rozjaśniania"},
        {18, "ImageKsiezyc", "Pędzel przyciemniania"},
        {19, "ImageRozmazanie", "Pędzel rozmycia"},
        {20, "ImageGray", "Pędzel szarości"},
        {21, "ImageStempel", "Stempel"}}},
      {"ToolsAdditional",
       {{22, "ImageSharp", "Wyostrzanie"},
        {25, "UsuwanieRedOczu", "Korekcja czerwonych oczu"},
        {27, "PedzelHistorii", "Pędzel historii"},
        {33, "ImageZmienKolor", "Pędzel zmiany koloru"}}},
      {"BasicTools",
       {{26, "PedzelKorygujacy", "Pędzel korygujący"},
        {28, "ImagePedzel", "Pędzel"},
        {29, "ImageWiadro", "Wiadro"},
        {30, "ZmienBarwe", "Pędzel zmiany barwy"}}},
      {"PanelToolsHelp",
       {{34, "ImageKroplomierz", "Kroplomierz"}, {35, "ImageLupa", "Lupa"}, {36, "ImageMaska", "Maska"}}},
  };
  return decl;
}

// Panels whose bare background also gives the palette the keyboard focus.
bool FocusPanel(const QString& name) {
  return name == QLatin1String("PanelSelection") || name == QLatin1String("PanelTekstu") ||
         name == QLatin1String("PanelToolsHelp") || name == QLatin1String("PanelToolsSpecial") ||
         name == QLatin1String("ToolsAdditional");
}

}  // namespace

TFormTools::TFormTools(QWidget* parent)
    : QWidget(parent), KolorGlowny(nullptr), KolorDodatkowy(nullptr), ZamienKolory(nullptr), ResetujKolory(nullptr) {
  // The global instance is reachable while the window builds itself.
  FormTools = this;
  setObjectName(QStringLiteral("FormTools"));
  setWindowTitle(QStringLiteral("Narzędzia"));
  ui::MakeToolWindow(this);
  Build();
  ToolId = 0;
  SelectionKind = 0;
  ZoomPercent = 0;
  StampSourceSet = false;
  ConnectTool(0, [this] { ImageKursorClick(); });
  ConnectTool(34, [this] { ImageKroplomierzClick(); });
  ConnectTool(35, [this] { ImageLupaClick(); });
  RefreshToolPalette();
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    const int screenHeight = s->geometry().height();
    ui::PlaceWindow(this, [screenHeight](QSize frame) { return QPoint(0, screenHeight / 2 - frame.height() / 2); });
  }
  ui::EnableSnapToWorkArea(this);
}

void TFormTools::Build() {
  int top = 0;
  for (const PanelDecl& pd : PanelsDecl()) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QString::fromUtf8(pd.Name));
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    const int rows = static_cast<int>((pd.Tools.size() + 1) / 2);
    panel->setGeometry(0, top, 56, 22 * rows + 2);
    top += panel->height();
    panels_.append(panel);
    int i = 0;
    for (const auto& [id, name, hint] : pd.Tools) {
      ToolSlot slot;
      slot.ToolId = id;
      slot.Name = QString::fromUtf8(name);
      slot.Hint = QString::fromUtf8(hint);
      const int x = i % 2 == 0 ? 5 : 29;
      const int y = 4 + 22 * (i / 2);
      slot.Frame = new ToolFrame(panel);
      slot.Frame->setObjectName(slot.Name + QStringLiteral("Tlo"));
      slot.Frame->setGeometry(x - 1, y - 1, 18, 18);
      slot.Icon = new QLabel(panel);
      slot.Icon->setObjectName(slot.Name);
      slot.Icon->setGeometry(x, y, 16, 16);
      slot.Icon->setPixmap(FadedIcon(ToolIconPixmap(id)));
      slot.Icon->setToolTip(slot.Hint);
      slot.Icon->setMouseTracking(true);
      slot.Icon->installEventFilter(this);
      slot.Icon->setEnabled(false);
      slots_.append(slot);
      ++i;
    }
  }
  auto* colorPanel = new QFrame(this);
  colorPanel->setObjectName(QStringLiteral("PanelColor"));
  colorPanel->setGeometry(0, top, 56, 54);
  colorPanel->setMouseTracking(true);
  colorPanel->installEventFilter(this);
  panels_.append(colorPanel);
  KolorDodatkowy = new ui::Shape(colorPanel);
  KolorDodatkowy->setObjectName(QStringLiteral("KolorDodatkowy"));
  KolorDodatkowy->setToolTip(QStringLiteral("Kolor dodatkowy"));
  KolorDodatkowy->setGeometry(22, 22, 25, 25);
  KolorGlowny = new ui::Shape(colorPanel);
  KolorGlowny->setObjectName(QStringLiteral("KolorGlowny"));
  KolorGlowny->setToolTip(QStringLiteral("Kolor główny"));
  KolorGlowny->setGeometry(6, 6, 25, 25);
  KolorGlowny->SetFill(Qt::black);
  KolorGlowny->SetPen(Qt::white);
  KolorDodatkowy->SetFill(Qt::white);
  KolorDodatkowy->SetPen(Qt::black);
  connect(KolorGlowny, &ui::Shape::Pressed, this, [this] { ColorShapePressed(ToolColor::Primary); });
  connect(KolorDodatkowy, &ui::Shape::Pressed, this, [this] { ColorShapePressed(ToolColor::Secondary); });
  ZamienKolory = new QLabel(colorPanel);
  ZamienKolory->setObjectName(QStringLiteral("ZamienKolory"));
  ZamienKolory->setToolTip(QStringLiteral("Zamień kolory"));
  ZamienKolory->setGeometry(36, 4, 16, 16);
  ZamienKolory->setPixmap(ToolIconPixmap(kSwapIcon));
  ZamienKolory->setCursor(Qt::PointingHandCursor);
  ZamienKolory->installEventFilter(this);
  ResetujKolory = new QLabel(colorPanel);
  ResetujKolory->setObjectName(QStringLiteral("ResetujKolory"));
  ResetujKolory->setToolTip(QStringLiteral("Resetuj kolory"));
  ResetujKolory->setGeometry(4, 34, 16, 16);
  ResetujKolory->setPixmap(ToolIconPixmap(kResetIcon));
  ResetujKolory->setCursor(Qt::PointingHandCursor);
  ResetujKolory->installEventFilter(this);
  top += colorPanel->height();
  setFixedSize(56, top);
}

const ToolSlot* TFormTools::Slot(int toolId) const {
  for (const ToolSlot& s : slots_)
    if (s.ToolId == toolId) return &s;
  return nullptr;
}

QFrame* TFormTools::Panel(const QString& name) const {
  for (QFrame* p : panels_)
    if (p->objectName() == name) return p;
  return nullptr;
}

PackedColor TFormTools::PrimaryColor() const { return ToPacked(KolorGlowny->Fill()); }
PackedColor TFormTools::SecondaryColor() const { return ToPacked(KolorDodatkowy->Fill()); }

void TFormTools::ConnectTool(int toolId, std::function<void()> click) {
  for (ToolSlot& s : slots_) {
    if (s.ToolId != toolId) continue;
    s.Click = std::move(click);
    s.Icon->setEnabled(static_cast<bool>(s.Click));
    s.Icon->setPixmap(s.Click ? ToolIconPixmap(s.ToolId) : FadedIcon(ToolIconPixmap(s.ToolId)));
    s.Icon->setCursor(Qt::PointingHandCursor);
  }
}

void TFormTools::RegisterOptionWindow(QWidget* window) { optionWindows_.append(window); }

void TFormTools::DrawToolFrame(ToolSlot& slot, const QColor& pen, const QColor& fill) {
  slot.Frame->setGeometry(slot.Icon->x() - 1, slot.Icon->y() - 1, slot.Icon->width() + 2, slot.Icon->height() + 2);
  slot.Frame->SetLook(pen, fill);
}

void TFormTools::SelectTool(int n) {
  ToolId = static_cast<std::uint8_t>(n);
  RefreshToolPalette();
}

void TFormTools::RefreshToolPalette() {
  for (ToolSlot& s : slots_) DrawToolFrame(s, NeutralFrameColor(), NeutralFrameColor());
  HighlightSelectedTool();
}

void TFormTools::HighlightSelectedTool() {
  for (ToolSlot& s : slots_)
    if (s.ToolId == ToolId) DrawToolFrame(s, SelectedFramePen(), SelectedFrameFill());
}

void TFormTools::HoverTool(int toolId) {
  RefreshToolPalette();
  for (ToolSlot& s : slots_)
    if (s.ToolId == toolId) DrawToolFrame(s, HoverFramePen(), HoverFrameFill());
  HighlightSelectedTool();
}

void TFormTools::PlaceOptionWindow(QWidget* window) {
  window->move(x() + width(), y() + height() / 2);
}

void TFormTools::CloseToolOptionWindows() {
  for (QWidget* w : optionWindows_) w->close();
}

void TFormTools::DisableMainUi() {
  FormHome->SetMainUiEnabled(false);
  for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormHistory),
                     static_cast<QWidget*>(FormMil), static_cast<QWidget*>(FormCanal)})
    if (w) w->setEnabled(false);
}

void TFormTools::EnableMainUi() {
  FormHome->SetMainUiEnabled(true);
  for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormHistory),
                     static_cast<QWidget*>(FormMil), static_cast<QWidget*>(FormCanal)})
    if (w) w->setEnabled(true);
}

void TFormTools::SetInvertMenu(bool ticked, bool enabled) {
  FormHome->SetInvertTick(ticked);
  for (QAction* a : FormHome->Menus().ItemsFor(QStringLiteral("InvertSelection"))) MenuTree::SetEnabled(a, enabled);
}

void TFormTools::DrawSelectionOutline() {
  if (!FormImageHome || !FormImageHome->HomeImage.HasPicture()) return;
  if (SelectionKind >= 1 && SelectionKind <= 3 && DrawShapeOutline) DrawShapeOutline();
  if (FormHome->InvertTicked()) FormHome->DrawInvertFrame();
}

void TFormTools::ImageKursorClick() {
  SetInvertMenu(false, false);
  SelectTool(0);
  CloseToolOptionWindows();
  SelectionKind = 0;
  CHomeImage& doc = FormImageHome->HomeImage;
  if (!doc.HasPicture()) return;
  doc.SelectionMask.Fill(100);
  FormImageHome->ShowOnDisplay(doc.WorkImage);
}

void TFormTools::ImageKroplomierzClick() {
  SelectTool(34);
  CloseToolOptionWindows();
}

void TFormTools::ImageLupaClick() {
  SelectTool(35);
  CloseToolOptionWindows();
}

void TFormTools::SetToolColor(ToolColor which, PackedColor c) {
  const QColor colour = ToQColor(c);
  const QColor complement(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
  ui::Shape* mine = which == ToolColor::Primary ? KolorGlowny : KolorDodatkowy;
  ui::Shape* theirs = which == ToolColor::Primary ? FormColor->KolorGlowny : FormColor->KolorDodatkowy;
  mine->SetFill(colour);
  theirs->SetFill(colour);
  ColorState& st = FormColor->State;
  if (which == ToolColor::Primary)
    st.PrimaryColor = c;
  else
    st.SecondaryColor = c;
  st.R = PackedRed(c);
  st.G = PackedGreen(c);
  st.B = PackedBlue(c);
  mine->SetPen(complement);
  theirs->SetPen(colour);
  FormColor->MarkEditedColor();
}

void TFormTools::SwapColors() {
  ColorState& st = FormColor->State;
  const QColor primaryFill = KolorGlowny->Fill();
  const QColor secondaryFill = KolorDodatkowy->Fill();
  KolorGlowny->SetFill(secondaryFill);
  KolorDodatkowy->SetFill(primaryFill);
  FormColor->KolorGlowny->SetFill(secondaryFill);
  FormColor->KolorDodatkowy->SetFill(primaryFill);
  const PackedColor oldSecondary = st.SecondaryColor;
  st.SecondaryColor = ToPacked(primaryFill);
  st.PrimaryColor = oldSecondary;
  const QColor primaryPen = KolorGlowny->Pen();
  KolorGlowny->SetPen(KolorDodatkowy->Pen());
  KolorDodatkowy->SetPen(primaryPen);
  FormColor->KolorGlowny->SetPen(FormColor->KolorGlowny->Fill());
  FormColor->KolorDodatkowy->SetPen(FormColor->KolorDodatkowy->Fill());
  FormColor->MarkEditedColor();
}

void TFormTools::ResetColors() {
  ColorState& st = FormColor->State;
  KolorGlowny->SetFill(Qt::black);
  KolorDodatkowy->SetFill(Qt::white);
  FormColor->KolorGlowny->SetFill(Qt::black);
  FormColor->KolorDodatkowy->SetFill(Qt::white);
  st.PrimaryColor = MakePacked(0, 0, 0);
  st.SecondaryColor = MakePacked(255, 255, 255);
  KolorGlowny->SetPen(Qt::white);
  KolorDodatkowy->SetPen(Qt::black);
  FormColor->KolorGlowny->SetPen(Qt::black);
  FormColor->KolorDodatkowy->SetPen(Qt::white);
  FormColor->MarkEditedColor();
}

void TFormTools::ColorShapePressed(ToolColor which) {
  const ui::Shape* shape = which == ToolColor::Primary ? KolorGlowny : KolorDodatkowy;
  if (const auto chosen = ui::ChooseColor(this, shape->Fill())) SetToolColor(which, ToPacked(*chosen));
}

bool TFormTools::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  // Event filters see the presses of a disabled palette too (while a shape
  // window is open): they must not pick a tool or change the colours.
  if (!isEnabled() && (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick)) return true;
  if (watched == ZamienKolory || watched == ResetujKolory) {
    if (t == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      if (watched == ZamienKolory)
        SwapColors();
      else
        ResetColors();
      return true;
    }
    return false;
  }
  for (ToolSlot& s : slots_) {
    if (watched != s.Icon) continue;
    if (t == QEvent::MouseMove || t == QEvent::Enter) HoverTool(s.ToolId);
    if (t == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && s.Click) {
      s.Click();
      return true;
    }
    return false;
  }
  if (t == QEvent::MouseMove) {
    if (auto* panel = qobject_cast<QFrame*>(watched); panel && panels_.contains(panel)) {
      RefreshToolPalette();
      if (FocusPanel(panel->objectName())) ui::FocusWindow(this);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TFormTools::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FormHome) FormHome->RestoreCleanDisplay();
}

}  // namespace rv
