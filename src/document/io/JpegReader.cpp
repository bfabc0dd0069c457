#include "document/io/JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace rv {

namespace {
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// A warning (a premature end of the data, a corrupt segment) means the
// picture would be shown incomplete: refuse it like an error.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) OnError(cinfo);
}
}  // namespace

JpegRead ReadJpeg(const std::string& path, Bitmap& out, std::string* why) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return JpegRead::NotJpeg;
  unsigned char magic[3] = {0, 0, 0};
  if (std::fread(magic, 1, 3, f.get()) != 3 || magic[0] != 0xFF || magic[1] != 0xD8 || magic[2] != 0xFF)
    return JpegRead::NotJpeg;
  std::rewind(f.get());

  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  Bitmap pic;  // outside the jump's reach
  if (setjmp(err.jump)) {
    if (why) *why = err.message;
    jpeg_destroy_decompress(&cinfo);
    return JpegRead::Damaged;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f.get());
  jpeg_read_header(&cinfo, TRUE);
  if (!SizeAllowed(cinfo.image_width, cinfo.image_height)) {
    if (why) *why = "the picture is too large";
    jpeg_destroy_decompress(&cinfo);
    return JpegRead::Damaged;
  }
  // Grey, RGB and YCbCr come out as blue, green, red, pad; CMYK is left to the general decoder.
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    jpeg_destroy_decompress(&cinfo);
    return JpegRead::NotJpeg;
  }
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  pic = Bitmap::Uninitialized(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(pic.Row(static_cast<int>(cinfo.output_scanline)));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  for (std::size_t i = 0; i < pic.PixelCount(); ++i) pic.Data()[i] |= 0xFF000000u;
  out = std::move(pic);
  return JpegRead::Done;
}

}  // namespace rv
