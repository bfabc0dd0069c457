#include "document/PictureFiles.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "document/io/BmpWriter.h"
#include "document/io/JpegWriter.h"
#include "document/io/SafeFile.h"
#include "document/metafile/MetafileReader.h"
#include "document/metafile/MetafileWriter.h"

namespace rv {

namespace {

Bitmap FromImageOnWhite(const QImage& decoded) {
  const QImage img = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) throw PictureError("cannot convert the picture");
  Bitmap out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    Pixel* dst = out.Row(y);
    for (int x = 0; x < img.width(); ++x) {
      // Premultiplied colour over white: c + (255 - alpha).
      const QRgb p = src[x];
      const int under = 255 - qAlpha(p);
      dst[x] = MakePixel(qRed(p) + under, qGreen(p) + under, qBlue(p) + under);
    }
  }
  return out;
}

bool IsMetafileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::uint8_t head[44] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  return DetectMetafile(head, static_cast<std::size_t>(in.gcount())) != MetafileKind::None;
}

}  // namespace

Bitmap LoadMetafileFile(const std::string& path) {
  try {
    return LoadMetafile(path);
  } catch (const MetafileError& e) {
    throw PictureError(path + ": " + e.what());
  } catch (const std::bad_alloc&) {
    throw PictureError(path + ": not enough memory for the picture");
  }
}

Bitmap LoadPictureFile(const std::string& path) {
  if (IsMetafileContent(path)) return LoadMetafileFile(path);
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
  return extension == ".bmp" || extension == ".png" || extension == ".jpg" || extension == ".jpeg" ||
         extension == ".emf" || extension == ".wmf";
}

void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality) {
  const std::string ext = LowerExtension(path);
  if (!IsWritableExtension(ext))
    throw PictureError(path + ": cannot write this format (use .bmp, .png, .jpg, .emf or .wmf)");
  if (picture.Empty()) throw PictureError("no picture to write");
  if (ext == ".wmf" && (picture.Width() > 32767 || picture.Height() > 32767))
    throw PictureError(path + ": a WMF file holds at most 32767 x 32767 pixels");
  const bool ok = WriteFileSafely(path, [&](const std::string& temp) {
    if (ext == ".bmp") return WriteBmp24(picture, temp);
    if (ext == ".jpg" || ext == ".jpeg") return WriteJpeg(picture, temp, jpegQuality);
    if (ext == ".emf" || ext == ".wmf") {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      const bool ok = ext == ".wmf" ? WriteWmfStream(picture, out) : WriteEmfStream(picture, out);
      out.close();
      return ok && static_cast<bool>(out);
    }
    const QImage view(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                      static_cast<qsizetype>(picture.BytesPerLine()), QImage::Format_RGB32);
    return view.save(QString::fromStdString(temp), "PNG");
  });
  if (!ok) throw PictureError(path + ": " + std::strerror(errno));
}

}  // namespace rv
