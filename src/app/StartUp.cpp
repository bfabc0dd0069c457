#include "app/StartUp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <malloc.h>

#include <exception>

#include "app/UnitHome.h"
#include "app/UnitWelcome.h"
#include "document/UnitImageHome.h"
#include "document/UnitSaveBMP.h"
#include "document/UnitSaveJPG.h"
#include "filters/FilterDialogs.h"
#include "history/UnitHistory.h"
#include "history/UnitMileStone.h"
#include "history/UnitOptionsMileStone.h"
#include "tools/UnitBrushOptions.h"
#include "tools/UnitCanal.h"
#include "tools/SelectionWindows.h"
#include "tools/UnitColor.h"
#include "tools/ShapeWindows.h"
#include "tools/UnitTools.h"

// The resources live in the static library; their registration must be
// called from outside any namespace.
static void InitResources() { Q_INIT_RESOURCE(rastrovia); }

namespace rv {

namespace {

std::function<void(const QString&)>& ErrorSink() {
  static std::function<void(const QString&)> sink;
  return sink;
}

}  // namespace

RastroviaApplication::RastroviaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Pictures are large blocks that come and go with every change; keeping
  // freed memory in the heap lets the next picture reuse it instead of
  // faulting in fresh pages from the system each time.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
  ::InitResources();
  setApplicationName(QStringLiteral("Rastrovia"));
  setApplicationVersion(QStringLiteral("2.0"));
  setWindowIcon(ProgramIcon(64));
  // Qt's own dialogs (files, fonts, standard buttons) speak the program's
  // language; without the translation package they stay in English.
  auto* qtText = new QTranslator(this);
  if (qtText->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(qtText);
}

bool RastroviaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowUnexpectedError(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowUnexpectedError(QStringLiteral("Nieznany błąd"));
  }
  return false;
}

void ShowUnexpectedError(const QString& text) {
  if (ErrorSink()) {
    ErrorSink()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Rastrovia 2.0"), text, QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

void SetUnexpectedErrorSink(std::function<void(const QString&)> sink) { ErrorSink() = std::move(sink); }

void CreateWindows(bool show) {
  FormHome = new TFormHome;
  if (show) FormHome->showMaximized();
  FormTools = new TFormTools(FormHome);
  FormCanal = new TFormCanal(FormHome);
  FormColor = new TFormColor(FormHome);
  FormHistory = new TFormHistory(FormHome);
  FormImageHome = new TFormImageHome(FormHome);
  FormMil = new TFormMil(FormHome);
  FormOptionsMileStone = new TFormOptionsMileStone(FormHome);
  // The tool option windows, the save dialogs and the filter dialogs come
  // here, in this order, as they are added.
  CreateBrushOptionWindows(FormHome);
  CreateShapeWindows(FormHome);
  CreateSelectionWindows(FormHome);
  FormSaveBMP = new TFormSaveBMP(FormHome);
  FormSaveJPG = new TFormSaveJPG(FormHome);
  CreateFilterDialogs(FormHome);
  FormWelcome = new TFormWelcome(FormHome);
  CreateLateFilterDialogs(FormHome);
  if (show) {
    for (QWidget* w : {static_cast<QWidget*>(FormTools), static_cast<QWidget*>(FormCanal),
                       static_cast<QWidget*>(FormColor), static_cast<QWidget*>(FormHistory),
                       static_cast<QWidget*>(FormMil)})
      w->show();
    FormWelcome->ShowWelcome();
  }
}

QStringList CommandLineFiles(const QStringList& arguments) {
  QStringList files;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    if (a.startsWith(QLatin1String("--"))) continue;
    files.append(a);
  }
  return files;
}

}  // namespace rv
