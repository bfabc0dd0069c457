// Opens filter dialogs through their menu commands on a picture and saves a
// picture of each as it is shown, to look at by eye.
// Usage: rv_dialog_shots PICTURE OUTDIR [--screen] [DialogClass...]
// --screen takes the whole screen with ImageMagick's import (under X) instead
// of the dialog's own rendering. Without classes every filter dialog is shown.
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProcess>
#include <QThread>

#include <cstdio>

#include "app/StartUp.h"
#include "app/UnitHome.h"
#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "filters/FilterDialogs.h"
#include "filters/UnitFilterDialog.h"
#include "ui/Windows.h"

int main(int argc, char** argv) {
  rv::RastroviaApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: rv_dialog_shots PICTURE OUTDIR [--screen] [DialogClass...]\n");
    return 2;
  }
  rv::CreateWindows(true);
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(outDir);
  bool screen = false;
  QStringList wanted;
  for (int i = 3; i < argc; ++i) {
    const QString a = QString::fromLocal8Bit(argv[i]);
    if (a == QLatin1String("--screen"))
      screen = true;
    else
      wanted << a;
  }
  rv::CHomeImage& doc = rv::FormImageHome->HomeImage;
  const rv::Bitmap picture = rv::LoadPictureFile(argv[1]);
  doc.AssignPicture(picture, QString::fromLocal8Bit(argv[1]));
  doc.AllocateMask();
  rv::FormImageHome->ShowOnDisplay(picture);
  for (rv::TFormFilter* d : rv::FilterDialogs()) {
    const QString cls = QString::fromLatin1(d->Decl().DialogClass);
    if (!wanted.isEmpty() && !wanted.contains(cls)) continue;
    const QString file = outDir + QLatin1Char('/') + cls + QStringLiteral(".png");
    rv::ui::SetDialogRunner([&](QDialog* shown) {
      // As the modal run does: above the stay-on-top palettes.
      shown->setWindowFlag(Qt::WindowStaysOnTopHint);
      shown->show();
      shown->raise();
      QElapsedTimer t;
      t.start();
      while (t.elapsed() < (screen ? 600 : 100)) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
      }
      if (screen)
        QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
      else
        shown->grab().save(file);
      d->CancelFilterDialog();
      return 0;
    });
    rv::FormHome->Menus().Run(cls);
    std::printf("%s\n", qPrintable(file));
  }
  return 0;
}
