// Rastrovia: the editor's entry point.
#include <QTimer>

#include "app/StartUp.h"
#include "app/UnitHome.h"

int main(int argc, char** argv) {
  rv::RastroviaApplication app(argc, argv);
  rv::CreateWindows();
  const QStringList args = QCoreApplication::arguments();
  const QStringList files = rv::CommandLineFiles(args);
  if (!files.isEmpty()) rv::FormHome->OpenDroppedFiles(files);
  // For the start-up benchmark: end as soon as the event loop is idle.
  if (args.contains(QStringLiteral("--quit-when-idle"))) QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
