#include "document/PictureFiles.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "document/io/BmpLevels.h"
#include "document/io/BmpReader.h"
#include "document/io/BmpWriter.h"
#include "document/io/GifWriter.h"
#include "document/io/IcoWriter.h"
#include "document/io/JpegReader.h"
#include "document/io/JpegWriter.h"
#include "document/io/SafeFile.h"
#include "document/metafile/MetafileReader.h"
#include "document/metafile/MetafileWriter.h"

namespace rv {

Bitmap ImageOnWhite(const QImage& decoded) {
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

namespace {

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
  Bitmap picture = ImageOnWhite(img);
  RestoreSixteenBitLevels(path, picture);
  return picture;
}

bool IsWritableExtension(const std::string& extension) {
  const std::string e = LowerExtension(extension);
  return e == ".bmp" || e == ".png" || e == ".jpg" || e == ".jpeg" || e == ".gif" || e == ".ico" || e == ".emf" ||
         e == ".wmf";
}

void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality, int bmpDepth) {
  const std::string ext = LowerExtension(path);
  if (!IsWritableExtension(ext))
    throw UnsupportedFormatError(path + ": cannot write this format (use .bmp, .gif, .ico, .png, .jpg, .emf or .wmf)");
  if (picture.Empty()) throw PictureError("no picture to write");
  if (ext == ".bmp" && !IsBmpDepth(bmpDepth)) throw PictureError("a bitmap is written at 8, 16, 24 or 32 bits");
  if (ext == ".ico" && !IconSizeAllowed(picture.Width(), picture.Height()))
    throw IconTooLargeError(path + ": an icon holds at most 256 x 256 pixels");
  if (ext == ".gif" && (picture.Width() > kMaxGifSize || picture.Height() > kMaxGifSize))
    throw PictureError(path + ": a GIF holds at most 65535 x 65535 pixels");
  if (ext == ".wmf" && (picture.Width() > 32767 || picture.Height() > 32767))
    throw PictureError(path + ": a WMF file holds at most 32767 x 32767 pixels");
  std::string why;
  const bool ok = WriteFileSafely(path, [&](const std::string& temp) {
    if (ext == ".bmp") return WriteBmp(picture, temp, bmpDepth);
    if (ext == ".gif") return WriteGif(picture, temp);
    if (ext == ".ico") return WriteIco(picture, temp);
    if (ext == ".jpg" || ext == ".jpeg") return WriteJpeg(picture, temp, jpegQuality);
    if (ext == ".emf" || ext == ".wmf") {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      const bool ok = ext == ".wmf" ? WriteWmfStream(picture, out) : WriteEmfStream(picture, out);
      out.close();
      return ok && static_cast<bool>(out);
    }
    QImage view(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                static_cast<qsizetype>(picture.BytesPerLine()), QImage::Format_RGB32);
    // 96 dpi, as the other writers, whatever screen (if any) the process has.
    view.setDotsPerMeterX(3780);
    view.setDotsPerMeterY(3780);
    return view.save(QString::fromStdString(temp), "PNG");
  }, &why);
  if (!ok) throw PictureError(path + ": " + why);
}

}  // namespace rv

namespace rv {

void SaveWithDepth(const Bitmap& picture, const std::string& path, int depth) {
  const std::string ext = LowerExtension(path);
  if (ext != ".bmp" && ext != ".gif") throw UnsupportedFormatError(path + ": the bitmap options write .bmp or .gif");
  WritePictureFile(picture, path, 100, depth);
}

}  // namespace rv
