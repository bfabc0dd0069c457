// The welcome screen with links to the program's help pages.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>

class QGroupBox;
class QLabel;

namespace rv {

// The beginning of every help page's address: the help pages installed with
// the program (or those of the source tree when run from the build).
QString WebSiteBase();
// Address of a page by its path ("/", "/o-projekcie").
QUrl PageAddress(const QString& path);
// Opens an address in the default browser; the result is ignored. Tests
// replace the opener.
void OpenWebPage(const QUrl& address);
void SetWebPageOpener(std::function<void(const QUrl&)> opener);

class TFormWelcome : public QWidget {
  Q_OBJECT
 public:
  explicit TFormWelcome(QWidget* parent = nullptr);

  QLabel* Image1;
  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QLabel* Image2;
  QLabel* Label8;
  QList<QLabel*> Links;  // Label1 .. Label7
  QList<QString> Paths;  // their pages

  void ShowWelcome();
  void LabelClick(int n);  // 1..7

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TFormWelcome* FormWelcome;

// The program's icon and the welcome banner, its own artwork.
QPixmap ProgramIcon(int size);
QPixmap WelcomeBanner();

}  // namespace rv
