#include "document/io/JpegWriter.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace rv {

namespace {
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->jump, 1);
}
void OnMessage(j_common_ptr) {}

// One APP1 segment holds at most 65533 bytes after its length.
constexpr std::size_t kSegment = 65533;

void WriteApp1(j_compress_ptr cinfo, const char* id, std::size_t idLength, const std::uint8_t* data,
               std::size_t length) {
  if (idLength + length > kSegment) return;  // too large for one segment: left out
  std::vector<JOCTET> segment(idLength + length);
  std::memcpy(segment.data(), id, idLength);
  std::memcpy(segment.data() + idLength, data, length);
  jpeg_write_marker(cinfo, JPEG_APP0 + 1, segment.data(), static_cast<unsigned int>(segment.size()));
}

void WriteMetadata(j_compress_ptr cinfo, const PictureMetadata& m) {
  if (!m.Exif.empty()) WriteApp1(cinfo, "Exif\0", 6, m.Exif.data(), m.Exif.size());
  if (!m.Xmp.empty()) {
    static const char kXmpId[] = "http://ns.adobe.com/xap/1.0/";
    WriteApp1(cinfo, kXmpId, sizeof kXmpId, reinterpret_cast<const std::uint8_t*>(m.Xmp.data()), m.Xmp.size());
  }
  if (!m.Icc.empty()) jpeg_write_icc_profile(cinfo, m.Icc.data(), static_cast<unsigned int>(m.Icc.size()));
}
}  // namespace

bool WriteJpeg(const Bitmap& picture, const std::string& path, int quality, const PictureMetadata* metadata) {
  if (picture.Empty()) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;

  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.output_message = OnMessage;
  // Everything the jump may skip lives outside this scope.
  std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width()) * 3);
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(picture.Width());
  cinfo.image_height = static_cast<JDIMENSION>(picture.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(quality, 0, 100), TRUE);
  // EXIF belongs right after the start of the file, in place of JFIF.
  if (metadata && !metadata->Exif.empty()) cinfo.write_JFIF_header = FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  if (metadata) WriteMetadata(&cinfo, *metadata);
  while (cinfo.next_scanline < cinfo.image_height) {
    const Pixel* p = picture.Row(static_cast<int>(cinfo.next_scanline));
    for (int x = 0; x < picture.Width(); ++x) {
      row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<JSAMPLE>(PixelRed(p[x]));
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(PixelGreen(p[x]));
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(PixelBlue(p[x]));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  const bool ok = std::fflush(file) == 0 && !std::ferror(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace rv
