#include "document/io/PngReader.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "document/io/Orientation.h"
#include "document/io/PixelRows.h"

namespace rv {

namespace {

struct ErrorState {
  std::jmp_buf jump;
  char message[200] = {};
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<ErrorState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message ? message : "damaged PNG");
  std::longjmp(state->jump, 1);
}

// Damaged ancillary chunks are dropped by libpng; the picture itself is not at stake.
void OnWarning(png_structp, png_const_charp) {}

void TakeMetadata(png_structp png, png_infop info, PictureMetadata& m) {
  png_uint_32 exifLength = 0;
  png_bytep exif = nullptr;
  if (png_get_eXIf_1(png, info, &exifLength, &exif) && exif && exifLength)
    m.Exif.assign(exif, exif + exifLength);
  png_charp name = nullptr;
  int compression = 0;
  png_bytep profile = nullptr;
  png_uint_32 profileLength = 0;
  if (png_get_iCCP(png, info, &name, &compression, &profile, &profileLength) && profile && profileLength)
    m.Icc.assign(profile, profile + profileLength);
  png_textp text = nullptr;
  int count = 0;
  if (png_get_text(png, info, &text, &count) > 0)
    for (int i = 0; i < count; ++i)
      if (text[i].key && std::strcmp(text[i].key, "XML:com.adobe.xmp") == 0 && text[i].text)
        m.Xmp.assign(text[i].text, text[i].compression >= PNG_ITXT_COMPRESSION_NONE ? text[i].itxt_length
                                                                                    : text[i].text_length);
}

}  // namespace

PngRead ReadPng(const std::string& path, Bitmap& out, PictureMetadata* metadata, std::string* why) {
  // The stream's buffer outlives the stream.
  std::vector<char> buffer(1 << 18);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return PngRead::NotPng;
  std::setvbuf(f.get(), buffer.data(), _IOFBF, buffer.size());
  png_byte signature[8] = {};
  if (std::fread(signature, 1, 8, f.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) return PngRead::NotPng;

  ErrorState state;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  if (!png) return PngRead::Damaged;
  png_infop info = png_create_info_struct(png);
  png_infop endInfo = png_create_info_struct(png);
  // Everything the jump may skip lives outside this scope.
  Bitmap pic;
  std::vector<png_bytep> rows;
  PictureMetadata found;
  // Changed after setjmp and read after the jump.
  volatile bool pixelsRead = false;
  volatile bool alpha = false;
  if (setjmp(state.jump)) {
    // Trouble after the last row (a file cut after its pixel data) costs
    // only what follows the pixels.
    if (pixelsRead) goto finish;
    if (why) *why = state.message;
    png_destroy_read_struct(&png, &info, &endInfo);
    return PngRead::Damaged;
  }
  png_init_io(png, f.get());
  png_set_sig_bytes(png, 8);
  png_set_benign_errors(png, 1);
  png_read_info(png, info);
  {
    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, nullptr, nullptr);
    if (!SizeAllowed(w, h)) {
      if (why) *why = "the picture is too large";
      png_destroy_read_struct(&png, &info, &endInfo);
      return PngRead::Damaged;
    }
    alpha = (colour & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    // Palettes, grey below 8 bits and tRNS become 8-bit RGB(A); 16 bits are
    // scaled with rounding, as other readers show them.
    png_set_expand(png);
    if (depth == 16) png_set_scale_16(png);
    if (!(colour & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(w) * 4) png_error(png, "unexpected row layout");
    pic = Bitmap::Uninitialized(static_cast<int>(w), static_cast<int>(h));
    if (passes > 1) {
      rows.resize(h);
      for (png_uint_32 y = 0; y < h; ++y) rows[y] = reinterpret_cast<png_bytep>(pic.Row(static_cast<int>(y)));
      png_read_image(png, rows.data());
    } else {
      for (png_uint_32 y = 0; y < h; ++y)
        png_read_row(png, reinterpret_cast<png_bytep>(pic.Row(static_cast<int>(y))), nullptr);
    }
    pixelsRead = true;
    TakeMetadata(png, info, found);
    png_read_end(png, endInfo);
    PictureMetadata after;
    TakeMetadata(png, endInfo, after);
    if (found.Exif.empty()) found.Exif = std::move(after.Exif);
    if (found.Icc.empty()) found.Icc = std::move(after.Icc);
    if (found.Xmp.empty()) found.Xmp = std::move(after.Xmp);
  }
finish:
  png_destroy_read_struct(&png, &info, &endInfo);
  if (alpha) StraightAlphaOnWhite(pic);
  pic = OrientPicture(std::move(pic), ExifOrientation(found.Exif));
  if (metadata) *metadata = std::move(found);
  out = std::move(pic);
  return PngRead::Done;
}

}  // namespace rv
