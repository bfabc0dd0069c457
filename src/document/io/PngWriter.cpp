#include "document/io/PngWriter.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <png.h>

namespace rv {

namespace {
struct ErrorState {
  std::jmp_buf jump;
  char message[200] = {};
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<ErrorState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message ? message : "cannot write the PNG");
  std::longjmp(state->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}
}  // namespace

bool WritePng(const Bitmap& picture, const std::string& path, const PictureMetadata* metadata, std::string* why) {
  if (picture.Empty()) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::vector<char> buffer(1 << 18);
  std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
  ErrorState state;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_text xmp{};
  if (setjmp(state.jump)) {
    if (why) *why = state.message;
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  // A profile libpng finds fault with is left out rather than failing the save.
  png_set_benign_errors(png, 1);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width()), static_cast<png_uint_32>(picture.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // 96 dpi, as the other writers.
  png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
  if (metadata) {
    if (!metadata->Icc.empty())
      png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE, metadata->Icc.data(),
                   static_cast<png_uint_32>(metadata->Icc.size()));
    if (!metadata->Exif.empty())
      png_set_eXIf_1(png, info, static_cast<png_uint_32>(metadata->Exif.size()),
                     const_cast<png_bytep>(metadata->Exif.data()));
    if (!metadata->Xmp.empty()) {
      xmp.compression = PNG_ITXT_COMPRESSION_NONE;
      xmp.key = const_cast<png_charp>("XML:com.adobe.xmp");
      xmp.text = const_cast<png_charp>(metadata->Xmp.c_str());
      xmp.itxt_length = metadata->Xmp.size();
      xmp.lang = const_cast<png_charp>("");
      xmp.lang_key = const_cast<png_charp>("");
      png_set_text(png, info, &xmp, 1);
    }
  }
  png_write_info(png, info);
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < picture.Height(); ++y)
    png_write_row(png, reinterpret_cast<png_const_bytep>(picture.Row(y)));
  // Everything went out before the pixels; libpng would write eXIf a second time here.
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool ok = std::fflush(file) == 0 && !std::ferror(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace rv
