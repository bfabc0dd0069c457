#include "document/io/JpegReader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

#include "document/io/Orientation.h"
#include "document/io/PixelRows.h"

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

constexpr char kExifId[] = "Exif\0";  // with the terminating zero: six bytes
constexpr char kXmpId[] = "http://ns.adobe.com/xap/1.0/";

void TakeMetadata(j_decompress_ptr cinfo, PictureMetadata& m) {
  for (jpeg_saved_marker_ptr p = cinfo->marker_list; p; p = p->next) {
    if (p->marker != JPEG_APP0 + 1) continue;
    if (m.Exif.empty() && p->data_length > 6 && std::memcmp(p->data, kExifId, 6) == 0) {
      m.Exif.assign(p->data + 6, p->data + p->data_length);
    } else if (m.Xmp.empty() && p->data_length > sizeof kXmpId &&
               std::memcmp(p->data, kXmpId, sizeof kXmpId) == 0) {
      m.Xmp.assign(reinterpret_cast<const char*>(p->data) + sizeof kXmpId, p->data_length - sizeof kXmpId);
    }
  }
  JOCTET* icc = nullptr;
  unsigned int iccLength = 0;
  if (jpeg_read_icc_profile(cinfo, &icc, &iccLength) && icc) {
    m.Icc.assign(icc, icc + iccLength);
    std::free(icc);
  }
}
}  // namespace

JpegRead ReadJpeg(const std::string& path, Bitmap& out, std::string* why, PictureMetadata* metadata) {
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
  // Outside the jump's reach.
  std::unique_ptr<OrientedRows> upright;
  PictureMetadata found;
  if (setjmp(err.jump)) {
    if (why) *why = err.message;
    jpeg_destroy_decompress(&cinfo);
    return JpegRead::Damaged;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f.get());
  jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  TakeMetadata(&cinfo, found);
  if (!SizeAllowed(cinfo.image_width, cinfo.image_height)) {
    if (why) *why = "the picture is too large";
    jpeg_destroy_decompress(&cinfo);
    return JpegRead::Damaged;
  }
  // Grey, RGB and YCbCr come out as blue, green, red, pad; CMYK is left to the general decoder.
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    jpeg_destroy_decompress(&cinfo);
    if (metadata) *metadata = std::move(found);
    return JpegRead::NotJpeg;
  }
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  {
    const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    upright = std::make_unique<OrientedRows>(w, h, ExifOrientation(found.Exif));
    JSAMPROW rows[OrientedRows::kBand];
    while (cinfo.output_scanline < cinfo.output_height) {
      const int y = static_cast<int>(cinfo.output_scanline);
      // Never past the band the oriented rows hold at once.
      const int n = std::min(OrientedRows::kBand - y % OrientedRows::kBand, h - y);
      for (int i = 0; i < n; ++i) rows[i] = reinterpret_cast<JSAMPROW>(upright->Row(y + i));
      const int got = static_cast<int>(jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(n)));
      for (int i = 0; i < got; ++i) {
        Pixel* row = reinterpret_cast<Pixel*>(rows[i]);
        OpaqueRow(row, row, w);
      }
      if (got > 0) upright->RowsDone(y + got - 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  out = upright->Take();
  if (metadata) *metadata = std::move(found);
  return JpegRead::Done;
}

}  // namespace rv
