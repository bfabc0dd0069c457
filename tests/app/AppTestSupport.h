// Shared helpers of the editor's UI tests: every test process creates the
// real windows once (see AppTestMain.cpp) and drives them.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <QPoint>
#include <QSize>
#include <QUrl>

#include <ostream>

#include "engine/Bitmap.h"

// Readable failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }
inline std::ostream& operator<<(std::ostream& os, const QStringList& l) {
  return os << l.join(QStringLiteral(" | ")).toStdString();
}
inline std::ostream& operator<<(std::ostream& os, const QPoint& p) { return os << p.x() << "," << p.y(); }
inline std::ostream& operator<<(std::ostream& os, const QSize& s) { return os << s.width() << "x" << s.height(); }
inline std::ostream& operator<<(std::ostream& os, const QColor& c) { return os << c.name().toStdString(); }

namespace rv::test {

// Message boxes shown since the last ClearMessages (nothing modal runs).
QStringList& Messages();
void ClearMessages();

// A file in the test's temporary folder.
QString TempPath(const QString& name);
// Writes an image (format by extension); returns the path.
QString WriteImage(const QString& name, const QImage& image);
QString WriteBytes(const QString& name, const QByteArray& bytes);
QImage Solid(int w, int h, const QColor& c);
// A picture whose pixels differ from each other (to tell pictures apart).
QImage Pattern(int w, int h, int seed = 0);

// Runs "Otwórz..." with the open dialog answering this file.
void OpenWithDialog(const QString& path);
// A finished change: the working picture gets f, is committed and recorded.
void CommitChange(const QString& label, Pixel fill);

Bitmap ToBitmap(const QImage& image);

}  // namespace rv::test
