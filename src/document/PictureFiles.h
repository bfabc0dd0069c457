// Reading picture files into 32-bit bitmaps and writing them, shared by the
// editor and the batch command.
#pragma once

#include <stdexcept>
#include <string>

#include "engine/Bitmap.h"

namespace rv {

class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest decoded picture we accept, in MiB of 32-bit pixels: large
// photographs open, a header claiming 100000 x 100000 does not.
constexpr int kPictureAllocationLimitMiB = 512;

// Decodes BMP, JPEG, GIF (first frame), ICO or PNG into a 32-bit bitmap with
// transparent areas on white; WMF and EMF files, recognised by their content
// whatever their name, are drawn on white at their own size. Throws PictureError.
Bitmap LoadPictureFile(const std::string& path);

// Reads the file as a WMF or EMF metafile only. Throws PictureError.
Bitmap LoadMetafileFile(const std::string& path);

// Formats WritePictureFile understands by extension (case ignored).
bool IsWritableExtension(const std::string& extension);

// Writes by extension: .bmp (24 bits), .png, .jpg/.jpeg (quality 0..100),
// .emf (enhanced metafile) and .wmf (placeable metafile) holding the picture.
// Never leaves a partial file behind; the old file stays on failure. Throws
// PictureError.
void WritePictureFile(const Bitmap& picture, const std::string& path, int jpegQuality = 100);

}  // namespace rv
