#include "ui/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

#include "document/PictureFiles.h"
#include "ui/ImageControl.h"

namespace rv::ui {

namespace {

// Keeps the picture and encodes a form only when it is asked for: a large
// photograph as PNG takes a while, and most pastes want one form only.
class PictureMimeData : public QMimeData {
 public:
  explicit PictureMimeData(QImage image) : image_(std::move(image)) {}

  const QImage& Image() const { return image_; }
  QStringList formats() const override { return PictureClipboardFormats(); }
  bool hasFormat(const QString& mimeType) const override { return formats().contains(mimeType); }

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
    if (mimeType == QLatin1String("application/x-qt-image")) return image_;
    const bool png = mimeType == QLatin1String("image/png");
    if (!png && mimeType != QLatin1String("image/bmp")) return QMimeData::retrieveData(mimeType, type);
    QByteArray& cached = png ? png_ : bmp_;
    if (cached.isEmpty()) {
      QBuffer buffer(&cached);
      buffer.open(QIODevice::WriteOnly);
      // PNG at the fastest zlib level (quality 80): the data lives only
      // until it is pasted.
      image_.save(&buffer, png ? "PNG" : "BMP", png ? 80 : -1);
    }
    return cached;
  }

 private:
  QImage image_;
  mutable QByteArray png_;
  mutable QByteArray bmp_;
};

bool Usable(const QImage& image) {
  return !image.isNull() && SizeAllowed(image.width(), image.height());
}

Bitmap OnWhite(const QImage& image) {
  if (!Usable(image)) return {};
  try {
    return ImageOnWhite(image);
  } catch (const std::exception&) {
    return {};
  }
}

Bitmap FromEncoded(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() && !SizeAllowed(size.width(), size.height())) return {};
  return OnWhite(reader.read());
}

}  // namespace

QStringList PictureClipboardFormats() {
  return {QStringLiteral("image/png"), QStringLiteral("image/bmp"), QStringLiteral("application/x-qt-image")};
}

bool PutPictureOnClipboard(const Bitmap& picture) {
  if (picture.Empty()) return false;
  // A deep copy: the clipboard outlives the document's bitmaps.
  QImage image = ImageView(picture).copy();
  if (image.isNull()) return false;
  QGuiApplication::clipboard()->setMimeData(new PictureMimeData(std::move(image)));
  return true;
}

Bitmap PictureFromClipboard() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return {};
  // Our own copy needs no encoding round.
  if (const auto* own = dynamic_cast<const PictureMimeData*>(data)) return OnWhite(own->Image());
  // Encoded forms first, in the order programs offer them best; Qt's image
  // comes last as it may be any of them converted.
  for (const char* form : {"image/png", "image/bmp", "image/x-bmp", "image/x-MS-bmp", "image/jpeg", "image/gif",
                           "image/tiff", "image/webp"}) {
    const QString type = QString::fromLatin1(form);
    if (!data->hasFormat(type)) continue;
    Bitmap b = FromEncoded(data->data(type));
    if (!b.Empty()) return b;
  }
  if (data->hasImage()) {
    Bitmap b = OnWhite(qvariant_cast<QImage>(data->imageData()));
    if (!b.Empty()) return b;
  }
  // A picture file copied in a file manager arrives as its address (GNOME's
  // files give "copy" and the addresses, one a line).
  QList<QUrl> urls = data->urls();
  const QString gnome = QStringLiteral("x-special/gnome-copied-files");
  if (urls.isEmpty() && data->hasFormat(gnome)) {
    const QList<QByteArray> lines = data->data(gnome).split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
      if (!lines[i].trimmed().isEmpty()) urls.append(QUrl::fromEncoded(lines[i].trimmed()));
  }
  if (urls.size() == 1 && urls.first().isLocalFile()) {
    try {
      return LoadPictureFile(urls.first().toLocalFile().toStdString());
    } catch (const std::exception&) {
      return {};
    }
  }
  return {};
}

}  // namespace rv::ui
