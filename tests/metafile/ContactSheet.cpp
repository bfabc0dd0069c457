// Renders every metafile given on the command line into one contact sheet
// (PNG), each picture fitted into a cell under its name, to look at by eye.
// Usage: rv_metafile_sheet out.png file.emf...
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>

#include "document/metafile/MetafileReader.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 3) return 2;
  constexpr int kCell = 240, kLabel = 16, kColumns = 8;
  const int n = argc - 2;
  QImage sheet(kColumns * kCell, ((n + kColumns - 1) / kColumns) * (kCell + kLabel), QImage::Format_RGB32);
  sheet.fill(QColor(90, 90, 90));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int i = 0; i < n; ++i) {
    const int x = (i % kColumns) * kCell, y = (i / kColumns) * (kCell + kLabel);
    const QString name = QFileInfo(argv[i + 2]).fileName();
    QString label = name;
    const auto t0 = std::chrono::steady_clock::now();
    try {
      rv::Bitmap b = rv::LoadMetafile(argv[i + 2]);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
      const QImage img(reinterpret_cast<const uchar*>(b.Data()), b.Width(), b.Height(),
                       static_cast<qsizetype>(b.BytesPerLine()), QImage::Format_RGB32);
      int nonWhite = 0;
      for (int yy = 0; yy < b.Height(); ++yy)
        for (int xx = 0; xx < b.Width(); ++xx) nonWhite += (b.At(xx, yy) & 0xFFFFFF) != 0xFFFFFF;
      std::printf("%s %dx%d %.1f ms nonwhite %d\n", argv[i + 2], b.Width(), b.Height(), ms, nonWhite);
      const QImage fit = img.scaled(kCell - 8, kCell - 8, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      p.drawImage(x + (kCell - fit.width()) / 2, y + kLabel + (kCell - fit.height()) / 2, fit);
      label += QString(" %1x%2").arg(b.Width()).arg(b.Height());
    } catch (const std::exception& e) {
      std::printf("%s REFUSED %s\n", argv[i + 2], e.what());
      label += " REFUSED";
    }
    p.setPen(Qt::white);
    p.drawText(QRect(x + 2, y, kCell - 4, kLabel), Qt::AlignLeft | Qt::AlignVCenter, label);
  }
  p.end();
  return sheet.save(argv[1]) ? 0 : 1;
}
