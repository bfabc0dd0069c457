#include "app/UnitWelcome.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace rv {

TFormWelcome* FormWelcome = nullptr;

namespace {

std::function<void(const QUrl&)>& Opener() {
  static std::function<void(const QUrl&)> opener;
  return opener;
}

QString HelpDirectory() {
  const QString app = QCoreApplication::applicationDirPath();
  const QStringList candidates = {
      app + QStringLiteral("/../share/rastrovia/help"),
#ifdef RV_SOURCE_HELP_DIR
      QStringLiteral(RV_SOURCE_HELP_DIR),
#endif
  };
  for (const QString& c : candidates)
    if (QFileInfo::exists(c + QStringLiteral("/index.html"))) return QDir(c).canonicalPath();
  return QDir::cleanPath(candidates.first());
}

}  // namespace

QString WebSiteBase() { return QUrl::fromLocalFile(HelpDirectory()).toString(); }

QUrl PageAddress(const QString& path) {
  // The pages are files: "/" is the start page, every other path its own page.
  const QString file = path == QLatin1String("/") ? QStringLiteral("/index.html") : path + QStringLiteral(".html");
  return QUrl(WebSiteBase() + file);
}

void OpenWebPage(const QUrl& address) {
  if (Opener()) {
    Opener()(address);
    return;
  }
  QDesktopServices::openUrl(address);
}

void SetWebPageOpener(std::function<void(const QUrl&)> opener) { Opener() = std::move(opener); }

QPixmap ProgramIcon(int size) {
  QPixmap pm(QStringLiteral(":/rastrovia/rastrovia.png"));
  if (pm.isNull()) {
    pm = QPixmap(size, size);
    pm.fill(QColor(42, 90, 208));
  }
  return pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap WelcomeBanner() {
  QPixmap pm(377, 105);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 377, 105);
  g.setColorAt(0, QColor(30, 60, 140));
  g.setColorAt(1, QColor(90, 160, 230));
  p.fillRect(pm.rect(), g);
  // A strip of colour swatches, the editor's colour channels.
  const QColor swatches[] = {QColor(220, 50, 50), QColor(60, 180, 80), QColor(50, 90, 220), QColor(240, 200, 60)};
  for (int i = 0; i < 4; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(swatches[i]);
    p.drawRoundedRect(QRectF(300 + (i % 2) * 30, 22 + (i / 2) * 30, 26, 26), 5, 5);
  }
  p.drawPixmap(16, 20, ProgramIcon(64));
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(30);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(92, 22, 210, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Rastrovia"));
  QFont sub(QStringLiteral("DejaVu Sans"));
  sub.setPixelSize(13);
  p.setFont(sub);
  p.drawText(QRect(94, 60, 210, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("edytor grafiki rastrowej"));
  return pm;
}

TFormWelcome::TFormWelcome(QWidget* parent)
    : QWidget(parent), Image1(new QLabel(this)), GroupBox1(new QGroupBox(QStringLiteral("Ogólne"), this)),
      GroupBox2(new QGroupBox(QStringLiteral("Tutoriale"), this)), Image2(new QLabel(this)), Label8(new QLabel(this)) {
  // The global instance is reachable while the window builds itself.
  FormWelcome = this;
  setObjectName(QStringLiteral("FormWelcome"));
  setWindowTitle(QStringLiteral("Rastrovia 2.0 - Ekran powitalny"));
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFixedSize(385, 353);

  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, 377, 105);
  Image1->setScaledContents(true);
  Image1->setPixmap(WelcomeBanner());
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(0, 112, 385, 145);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(0, 256, 385, 65);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setGeometry(0, 320, 33, 33);
  Image2->setPixmap(ProgramIcon(33));
  Label8->setObjectName(QStringLiteral("Label8"));
  Label8->setGeometry(56, 330, 319, 16);
  QFont bold = Label8->font();
  bold.setBold(true);
  Label8->setFont(bold);
  Label8->setText(QStringLiteral("Rastrovia, wolny edytor grafiki. Wersja 2.0"));

  struct LinkDecl {
    const char* Caption;
    const char* Path;
  };
  const LinkDecl links[] = {{"Strona główna", "/"},        {"O programie", "/o-projekcie"},
                            {"Opis palet", "/opis-palet"}, {"Opis narzędzi", "/opis-narzedzi"},
                            {"Opis trybów", "/o-trybach"}, {"Opis filtrów", "/filtry"},
                            {"Tutoriale", "/tutoriale"}};
  for (int i = 0; i < 7; ++i) {
    QGroupBox* box = i < 5 ? GroupBox1 : GroupBox2;
    const int top = i < 5 ? 16 + 24 * i : 16 + 24 * (i - 5);
    auto* label = new QLabel(QString::fromUtf8(links[i].Caption), box);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->move(152, top);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(lp);
    label->setCursor(Qt::PointingHandCursor);
    label->adjustSize();
    label->installEventFilter(this);
    Links.append(label);
    Paths.append(QString::fromUtf8(links[i].Path));
  }
  if (parent) {
    const QRect r = parent->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
  }
}

void TFormWelcome::ShowWelcome() {
  show();
  raise();
  activateWindow();
}

void TFormWelcome::LabelClick(int n) { OpenWebPage(PageAddress(Paths[n - 1])); }

bool TFormWelcome::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    const int i = static_cast<int>(Links.indexOf(static_cast<QLabel*>(watched)));
    if (i >= 0) {
      LabelClick(i + 1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace rv
