#include "document/PictureFiles.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <algorithm>
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
#include "document/io/Orientation.h"
#include "document/io/PixelRows.h"
#include "document/io/PngReader.h"
#include "document/io/PngWriter.h"
#include "document/io/SafeFile.h"
#include "document/metafile/MetafileReader.h"
#include "document/metafile/MetafileWriter.h"

namespace rv {

Bitmap ImageOnWhite(const QImage& decoded, int orientation) {
  const bool alpha = decoded.hasAlphaChannel();
  // Opaque pictures need no compositing: rows of RGB32 are our layout already.
  const QImage img = decoded.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (img.isNull()) throw PictureError("cannot convert the picture");
  const int w = img.width(), h = img.height();
  auto convert = [&img, alpha, w](int y, Pixel* to) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    if (alpha)
      PremultipliedRowOnWhite(from, to, w);
    else
      OpaqueRow(from, to, w);
  };
  orientation = NormalOrientation(orientation);
  if (orientation == 1) {
    Bitmap out = Bitmap::Uninitialized(w, h);
    ForEachRowBand(h, [&](int first, int end) {
      for (int y = first; y < end; ++y) convert(y, out.Row(y));
    });
    return out;
  }
  OrientedRows upright(w, h, orientation);
  for (int y = 0; y < h; ++y) {
    convert(y, upright.Row(y));
    upright.RowsDone(y);
  }
  return upright.Take();
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

namespace {
Bitmap LoadPicture(const std::string& path, PictureMetadata& found);
}  // namespace

Bitmap LoadPictureFile(const std::string& path, PictureMetadata* metadata) {
  PictureMetadata found;
  Bitmap picture = LoadPicture(path, found);
  if (metadata) *metadata = std::move(found);
  return picture;
}

Bitmap LoadPictureFile(const std::string& path) { return LoadPictureFile(path, nullptr); }

namespace {

Bitmap LoadPicture(const std::string& path, PictureMetadata& found) {
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
  switch (ReadJpeg(path, direct, &why, &found)) {
    case JpegRead::Done: return direct;
    case JpegRead::Damaged: throw PictureError(path + ": " + why);
    case JpegRead::NotJpeg: break;
  }
  switch (ReadPng(path, direct, &found, &why)) {
    case PngRead::Done: return direct;
    case PngRead::Damaged: throw PictureError(path + ": " + why);
    case PngRead::NotPng: break;
  }
  // WebP and TIFF keep theirs in their own containers.
  ReadContainerMetadata(path, found);
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
  Bitmap picture = ImageOnWhite(img, ExifOrientation(found.Exif));
  RestoreSixteenBitLevels(path, picture);
  return picture;
}

}  // namespace

bool IsWritableExtension(const std::string& extension) {
  const std::string e = LowerExtension(extension);
  return e == ".bmp" || e == ".png" || e == ".jpg" || e == ".jpeg" || e == ".gif" || e == ".ico" || e == ".emf" ||
         e == ".wmf" || e == ".webp" || e == ".tif" || e == ".tiff";
}

bool KeepsMetadata(const std::string& path) {
  const std::string e = LowerExtension(path);
  return e == ".jpg" || e == ".jpeg" || e == ".png";
}

namespace {

// WebP and TIFF through Qt's image format plugins.
bool WriteWithQt(const Bitmap& picture, const std::string& path, const char* format, int quality) {
  const QImage view(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                    static_cast<qsizetype>(picture.BytesPerLine()), QImage::Format_RGB32);
  QImageWriter writer(QString::fromStdString(path), format);
  if (std::strcmp(format, "tiff") == 0) {
    // LZW, 8-bit RGB without alpha.
    writer.setCompression(1);
    QImage rgb = view.convertToFormat(QImage::Format_RGB888);
    rgb.setDotsPerMeterX(3780);
    rgb.setDotsPerMeterY(3780);
    return !rgb.isNull() && writer.write(rgb);
  }
  // The plugin encodes losslessly at quality 100.
  writer.setQuality(std::clamp(quality, 0, 100));
  return writer.write(view);
}

}  // namespace

void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality, int bmpDepth) {
  WriteOptions options;
  options.Quality = jpegQuality;
  options.BmpDepth = bmpDepth;
  WritePictureFile(picture, path, options);
}

void WritePictureFile(const Bitmap& picture, const std::string& path, const WriteOptions& options) {
  const std::string ext = LowerExtension(path);
  if (!IsWritableExtension(ext))
    throw UnsupportedFormatError(path +
                                 ": cannot write this format (use .bmp, .gif, .ico, .png, .jpg, .webp, .tif, .emf or .wmf)");
  if (picture.Empty()) throw PictureError("no picture to write");
  const int bmpDepth = options.BmpDepth;
  if (ext == ".bmp" && !IsBmpDepth(bmpDepth)) throw PictureError("a bitmap is written at 8, 16, 24 or 32 bits");
  if (ext == ".ico" && !IconSizeAllowed(picture.Width(), picture.Height()))
    throw IconTooLargeError(path + ": an icon holds at most 256 x 256 pixels");
  if (ext == ".gif" && (picture.Width() > kMaxGifSize || picture.Height() > kMaxGifSize))
    throw PictureError(path + ": a GIF holds at most 65535 x 65535 pixels");
  if (ext == ".wmf" && (picture.Width() > 32767 || picture.Height() > 32767))
    throw PictureError(path + ": a WMF file holds at most 32767 x 32767 pixels");
  if (ext == ".webp" && (picture.Width() > kMaxWebpSize || picture.Height() > kMaxWebpSize))
    throw PictureError(path + ": a WebP file holds at most 16383 x 16383 pixels");
  PictureMetadata kept;
  const bool withMetadata = options.Metadata && !options.Metadata->Empty() && KeepsMetadata(ext);
  if (withMetadata) kept = MetadataForSaving(*options.Metadata, picture.Width(), picture.Height());
  const PictureMetadata* metadata = withMetadata ? &kept : nullptr;
  std::string why;
  const bool ok = WriteFileSafely(path, [&](const std::string& temp) {
    if (ext == ".bmp") return WriteBmp(picture, temp, bmpDepth);
    if (ext == ".gif") return WriteGif(picture, temp);
    if (ext == ".ico") return WriteIco(picture, temp);
    if (ext == ".jpg" || ext == ".jpeg") return WriteJpeg(picture, temp, options.Quality, metadata);
    if (ext == ".png") return WritePng(picture, temp, metadata);
    if (ext == ".webp") return WriteWithQt(picture, temp, "webp", options.Quality);
    if (ext == ".tif" || ext == ".tiff") return WriteWithQt(picture, temp, "tiff", 100);
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    const bool ok = ext == ".wmf" ? WriteWmfStream(picture, out) : WriteEmfStream(picture, out);
    out.close();
    return ok && static_cast<bool>(out);
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
