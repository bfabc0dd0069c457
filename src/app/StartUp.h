// Start-up: the application object and the creation of every window, once,
// in a fixed order.
#pragma once

#include <QApplication>
#include <QStringList>

#include <functional>

namespace rv {

// Shows an error that reached the event loop in the standard error box and
// goes on. Tests replace the box.
class RastroviaApplication : public QApplication {
 public:
  RastroviaApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
void ShowUnexpectedError(const QString& text);
void SetUnexpectedErrorSink(std::function<void(const QString&)> sink);

// Creates the windows in their order; shows those visible at start.
void CreateWindows(bool show = true);
// The file names among the command line's arguments.
QStringList CommandLineFiles(const QStringList& arguments);

}  // namespace rv
