// Reading picture files into 32-bit bitmaps and writing them, shared by the
// editor and the batch command.
#pragma once

#include <stdexcept>
#include <string>

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

// Decodes BMP, JPEG, GIF (first frame), ICO or PNG into a 32-bit bitmap with
// transparent areas on white; WMF and EMF files, recognised by their content
// whatever their name, are drawn on white at their own size. Throws PictureError.
Bitmap LoadPictureFile(const std::string& path);

// A decoded picture as a 32-bit bitmap, transparent areas on white (also
// for pictures that come from the clipboard). Throws PictureError.
Bitmap ImageOnWhite(const QImage& decoded);

// Reads the file as a WMF or EMF metafile only. Throws PictureError.
Bitmap LoadMetafileFile(const std::string& path);

// Formats WritePictureFile understands by extension (case ignored).
bool IsWritableExtension(const std::string& extension);

// Writes by extension, letter case ignored: .bmp (bmpDepth 8, 16, 24 or 32
// bits), .gif (at most 256 colours), .ico (one 32-bit image, at most
// 256 x 256), .png, .jpg/.jpeg (quality 0..100), .emf and .wmf (placeable). Never leaves a partial file
// behind; the old file stays on failure. Throws UnsupportedFormatError for an
// extension it cannot write, IconTooLargeError for a large icon, PictureError
// otherwise.
void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality = 100, int bmpDepth = 24);

}  // namespace rv

namespace rv {

// What "Zapisz" of the bitmap options writes: a .bmp at depth 8, 16, 24 or
// 32, a .gif (always at most 256 colours, the depth does not apply). Any other
// name is UnsupportedFormatError. The picture itself is never changed.
void SaveWithDepth(const Bitmap& picture, const std::string& path, int depth);

}  // namespace rv
