#include "AppTestSupport.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv::test {

QStringList& Messages() {
  static QStringList messages;
  return messages;
}

void ClearMessages() { Messages().clear(); }

QString TempPath(const QString& name) {
  static QTemporaryDir dir;
  return dir.filePath(name);
}

QString WriteImage(const QString& name, const QImage& image) {
  const QString path = TempPath(name);
  image.save(path);
  return path;
}

QString WriteBytes(const QString& name, const QByteArray& bytes) {
  const QString path = TempPath(name);
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return path;
}

QImage Solid(int w, int h, const QColor& c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

QImage Pattern(int w, int h, int seed) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 5 + seed * 3) & 255, (x + y) & 255));
  return img;
}

void OpenWithDialog(const QString& path) {
  ui::SetDialogRunner([path](QDialog* d) {
    if (auto* f = qobject_cast<QFileDialog*>(d)) f->selectFile(path);
    return int(QDialog::Accepted);
  });
  FormHome->OpenPicture();
  ui::SetDialogRunner({});
}

void CommitChange(const QString& label, Pixel fill) {
  CHomeImage& doc = FormImageHome->HomeImage;
  doc.WorkImage.Fill(fill);
  doc.BackupImage = doc.WorkImage;
  FormImageHome->ShowOnDisplay(doc.WorkImage);
  FormHistory->AddHistoryEntry(doc.WorkImage, label, doc.Width(), doc.Height());
}

Bitmap ToBitmap(const QImage& image) { return ui::BitmapFromImage(image); }

}  // namespace rv::test
