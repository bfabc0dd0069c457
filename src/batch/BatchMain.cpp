#include <QCoreApplication>

#include <iostream>

#include "batch/BatchCommand.h"

int main(int argc, char** argv) {
  // Qt's image plugins are found through the application object; no display is needed.
  QCoreApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  return rv::RunBatch(args, std::cout, std::cerr);
}
