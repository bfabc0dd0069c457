// Reading picture files into 32-bit bitmaps and writing them, shared by the
// editor and the batch command.
#pragma once

#include <stdexcept>
#include <string>

#include "document/io/Metadata.h"
#include "engine/Bitmap.h"

class QImage;

namespace rv {

class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The name's extension is not one the program can write: nothing is written.
class UnsupportedFormatError : public PictureError {
 public:
  using PictureError::PictureError;
};

// An icon holds at most 256 x 256 pixels: nothing is written.
class IconTooLargeError : public PictureError {
 public:
  using PictureError::PictureError;
};

// Largest decoded picture we accept, in MiB of 32-bit pixels: large
// photographs open, a header claiming 100000 x 100000 does not.
constexpr int kPictureAllocationLimitMiB = 512;

// Decodes BMP, JPEG, GIF (first frame), ICO, PNG, WebP or TIFF (first page)
// into a 32-bit bitmap with transparent areas on white, turned upright by its
// EXIF orientation; WMF and EMF files, recognised by their content whatever
// their name, are drawn on white at their own size. metadata (when given)
// receives the file's EXIF, ICC profile and XMP as they are in the file.
// Throws PictureError.
Bitmap LoadPictureFile(const std::string& path, PictureMetadata* metadata);
Bitmap LoadPictureFile(const std::string& path);

// A decoded picture as a 32-bit bitmap, transparent areas on white (also
// for pictures that come from the clipboard), turned by an EXIF orientation.
// Throws PictureError.
Bitmap ImageOnWhite(const QImage& decoded, int orientation = 1);

// Reads the file as a WMF or EMF metafile only. Throws PictureError.
Bitmap LoadMetafileFile(const std::string& path);

// Formats WritePictureFile understands by extension (case ignored).
bool IsWritableExtension(const std::string& extension);

// The formats whose files carry the source's metadata when written: JPEG, PNG.
bool KeepsMetadata(const std::string& path);

// A WebP picture holds at most 16383 pixels a side.
constexpr int kMaxWebpSize = 16383;

struct WriteOptions {
  int Quality = 100;   // JPEG and WebP, 0..100; WebP at 100 is lossless
  int BmpDepth = 24;   // .bmp: 8, 16, 24 or 32
  // The metadata of the file the picture came from, as it was read: a JPEG or
  // PNG keeps it with orientation 1, the saved size and no thumbnail.
  const PictureMetadata* Metadata = nullptr;
};

// Writes by extension, letter case ignored: .bmp (8, 16, 24 or 32 bits), .gif
// (at most 256 colours), .ico (one 32-bit image, at most 256 x 256), .png,
// .jpg/.jpeg (quality 0..100), .webp (quality, lossless at 100, at most
// 16383 x 16383), .tif/.tiff (lossless LZW), .emf and .wmf (placeable). Never
// leaves a partial file behind; the old file stays on failure. Throws
// UnsupportedFormatError for an extension it cannot write, IconTooLargeError
// for a large icon, PictureError otherwise.
void WritePictureFile(const Bitmap& picture, const std::string& path, const WriteOptions& options);
void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality = 100, int bmpDepth = 24);

}  // namespace rv

namespace rv {

// What "Zapisz" of the bitmap options writes: a .bmp at depth 8, 16, 24 or
// 32, a .gif (always at most 256 colours, the depth does not apply). Any other
// name is UnsupportedFormatError. The picture itself is never changed.
void SaveWithDepth(const Bitmap& picture, const std::string& path, int depth);

}  // namespace rv
