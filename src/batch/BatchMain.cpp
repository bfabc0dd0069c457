#include <QGuiApplication>

#include <iostream>

#include "batch/BatchCommand.h"

int main(int argc, char** argv) {
  // Qt's image plugins are found through the application object; the text of
  // metafiles needs fonts, hence the GUI application, on the display-less platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  return rv::RunBatch(args, std::cout, std::cerr);
}
