#include "document/PictureFiles.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cerrno>
#include <cstring>

#include "document/io/BmpReader.h"
#include "document/io/BmpWriter.h"
#include "document/io/JpegReader.h"
#include "document/io/JpegWriter.h"
#include "document/io/SafeFile.h"

namespace rv {

namespace {

Bitmap FromImageOnWhite(const QImage& decoded) {
  if (!decoded.hasAlphaChannel()) {
    // Opaque pictures need no compositing: rows of RGB32 are our layout already.
    const QImage img = decoded.convertToFormat(QImage::Format_RGB32);
    if (img.isNull()) throw PictureError("cannot convert the picture");
    const int w = img.width();
    Bitmap out = Bitmap::Uninitialized(w, img.height());
    for (int y = 0; y < img.height(); ++y) {
      const auto* src = reinterpret_cast<const Pixel*>(img.constScanLine(y));
      Pixel* dst = out.Row(y);
      for (int x = 0; x < w; ++x) dst[x] = src[x] | 0xFF000000u;
    }
    return out;
  }
  const QImage img = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) throw PictureError("cannot convert the picture");
  const int w = img.width();
  Bitmap out = Bitmap::Uninitialized(w, img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    Pixel* dst = out.Row(y);
    for (int x = 0; x < w; ++x) {
      // Premultiplied colour over white: c + (255 - alpha).
      const QRgb p = src[x];
      const int under = 255 - qAlpha(p);
      dst[x] = MakePixel(qRed(p) + under, qGreen(p) + under, qBlue(p) + under);
    }
  }
  return out;
}

}  // namespace

Bitmap LoadPictureFile(const std::string& path) {
  // Our own readers first: faster, and strict about truncated files, which
  // the general decoders would show incomplete.
  Bitmap direct;
  switch (ReadPlainBmp(path, direct)) {
    case BmpRead::Done: return direct;
    case BmpRead::Truncated: throw PictureError(path + ": the bitmap is cut short");
    case BmpRead::NotHandled: break;
  }
  std::string why;
  switch (ReadJpeg(path, direct, &why)) {
    case JpegRead::Done: return direct;
    case JpegRead::Damaged: throw PictureError(path + ": " + why);
    case JpegRead::NotJpeg: break;
  }
  QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
  QImageReader reader(QString::fromStdString(path));
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (size.isValid() && !SizeAllowed(size.width(), size.height()))
    throw PictureError(path + ": the picture is too large");
  QImage img;
  if (!reader.read(&img) || img.isNull())
    throw PictureError(path + ": " + reader.errorString().toStdString());
  if (!SizeAllowed(img.width(), img.height())) throw PictureError(path + ": the picture is too large");
  return FromImageOnWhite(img);
}

bool IsWritableExtension(const std::string& extension) {
  return extension == ".bmp" || extension == ".png" || extension == ".jpg" || extension == ".jpeg";
}

void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality) {
  const std::string ext = LowerExtension(path);
  if (!IsWritableExtension(ext)) throw PictureError(path + ": cannot write this format (use .bmp, .png or .jpg)");
  if (picture.Empty()) throw PictureError("no picture to write");
  const bool ok = WriteFileSafely(path, [&](const std::string& temp) {
    if (ext == ".bmp") return WriteBmp24(picture, temp);
    if (ext == ".jpg" || ext == ".jpeg") return WriteJpeg(picture, temp, jpegQuality);
    const QImage view(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                      static_cast<qsizetype>(picture.BytesPerLine()), QImage::Format_RGB32);
    return view.save(QString::fromStdString(temp), "PNG");
  });
  if (!ok) throw PictureError(path + ": " + std::strerror(errno));
}

}  // namespace rv
