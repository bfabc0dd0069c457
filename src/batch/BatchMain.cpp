#include <QGuiApplication>

#include <iostream>

#include "batch/BatchCommand.h"

namespace {

QtMessageHandler qtDefault = nullptr;

// Without a session (no XDG_RUNTIME_DIR) Qt says it picks a folder of its own;
// that is no concern of a script's.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (qtDefault) qtDefault(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  qtDefault = qInstallMessageHandler(QuietHandler);
  // Qt's image plugins are found through the application object; the text of
  // metafiles needs fonts, hence the GUI application, on the display-less platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  return rv::RunBatch(args, std::cout, std::cerr);
}
