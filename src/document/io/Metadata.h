// What a photograph carries besides its pixels: EXIF, the ICC colour profile
// and XMP, read from JPEG, PNG, WebP and TIFF files and written back into
// JPEG and PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rv {

struct PictureMetadata {
  // A TIFF structure ("II*\0" or "MM\0*" first), without JPEG's "Exif\0\0".
  std::vector<std::uint8_t> Exif;
  std::vector<std::uint8_t> Icc;
  // The XMP packet (UTF-8).
  std::string Xmp;

  bool Empty() const { return Exif.empty() && Icc.empty() && Xmp.empty(); }
  friend bool operator==(const PictureMetadata&, const PictureMetadata&) = default;
};

// The orientation tag of IFD0 (1..8), 1 when there is none or the structure
// is damaged.
int ExifOrientation(const std::vector<std::uint8_t>& exif);

// The EXIF to store with a picture of width x height that is upright already:
// orientation 1, pixel dimensions set to the size, no thumbnail (IFD1 and its
// data are gone). Makers' notes keep their place, so offsets inside them stay
// right. Empty when the structure cannot be read.
std::vector<std::uint8_t> ExifForSaving(const std::vector<std::uint8_t>& exif, int width, int height);

// The XMP packet with its orientation set to 1 and its pixel dimensions set
// to the size, wherever it states them.
std::string XmpForSaving(const std::string& xmp, int width, int height);

// True for a profile that describes RGB pixels (our pictures): a grey or CMYK
// profile would misdescribe them.
bool IccIsRgb(const std::vector<std::uint8_t>& icc);

// Everything to store with a saved picture of width x height: the three parts
// prepared as above, a profile kept only when it is an RGB one.
PictureMetadata MetadataForSaving(const PictureMetadata& source, int width, int height);

// Reads the metadata of a WebP file (its EXIF, ICCP and XMP chunks) or of
// the first page of a TIFF file (its orientation, EXIF, GPS, ICC and XMP
// tags, the EXIF built as a structure of its own). False for other files.
bool ReadContainerMetadata(const std::string& path, PictureMetadata& out);

}  // namespace rv
