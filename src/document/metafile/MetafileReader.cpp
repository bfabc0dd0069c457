#include "document/metafile/MetafileReader.h"

#include <QImage>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "document/metafile/Players.h"

namespace rv {

using meta::ByteView;

namespace {

// libuemf's checks may look a few bytes past a record's fixed part before
// they compare with its size; zeros after the data keep such looks in bounds.
constexpr std::size_t kPadding = 256;

struct Plan {
  MetafileKind kind = MetafileKind::None;
  int width = 0, height = 0;
  meta::EmfHeader emf;
  meta::WmfHeader wmf;
  QRectF source;  // EMF: the frame in reference-device pixels
};

int Side(double v, const MetafileLimits& limits) {
  if (!std::isfinite(v) || v > limits.maxSide) throw MetafileError("the picture is too large");
  const long r = std::lround(v);
  return r < 1 ? 1 : static_cast<int>(r);
}

Plan MakePlan(ByteView f, const MetafileLimits& limits) {
  Plan p;
  p.kind = DetectMetafile(f.Data(), f.Size());
  if (p.kind == MetafileKind::None) throw MetafileError("not a Windows metafile");
  double w = 0, h = 0;
  if (p.kind == MetafileKind::Emf) {
    if (!meta::ReadEmfHeader(f, p.emf)) throw MetafileError("damaged EMF header");
    const QRectF fr = p.emf.frame;
    const double fw = fr.right() - fr.left(), fh = fr.bottom() - fr.top();
    if (fw > 0 && fh > 0) {
      w = fw * 96 / 2540, h = fh * 96 / 2540;
      p.source = QRectF(fr.left() * p.emf.pxPerMmX / 100, fr.top() * p.emf.pxPerMmY / 100,
                        fw * p.emf.pxPerMmX / 100, fh * p.emf.pxPerMmY / 100);
      // Some programs write a frame at (0, 0) while drawing elsewhere; when the
      // bounds of the drawing lie mostly outside the frame, the frame is moved onto them.
      const QRectF b = p.emf.bounds;
      const QRectF drawn(b.left(), b.top(), b.right() - b.left() + 1, b.bottom() - b.top() + 1);
      if (drawn.width() > 1 && drawn.height() > 1) {
        const QRectF common = drawn.intersected(p.source);
        if (common.width() * common.height() < 0.5 * drawn.width() * drawn.height())
          p.source.moveTopLeft(drawn.topLeft());
      }
    } else {
      // No frame: the bounds (device pixels, inclusive) stand in for it.
      const QRectF b = p.emf.bounds;
      const double bw = b.right() - b.left() + 1, bh = b.bottom() - b.top() + 1;
      if (!(b.right() > b.left() && b.bottom() > b.top())) throw MetafileError("the metafile has no size");
      w = bw * 96 / (p.emf.pxPerMmX * 25.4), h = bh * 96 / (p.emf.pxPerMmY * 25.4);
      p.source = QRectF(b.left(), b.top(), bw, bh);
    }
  } else {
    if (!meta::ReadWmfHeader(f, p.wmf)) throw MetafileError("damaged WMF header");
    if (p.wmf.placeable) {
      const double inch = p.wmf.unitsPerInch > 0 ? p.wmf.unitsPerInch : 1440;
      w = std::fabs(p.wmf.box.width()) * 96 / inch, h = std::fabs(p.wmf.box.height()) * 96 / inch;
      if (w == 0 || h == 0) throw MetafileError("the metafile has no size");
    } else {
      if (!p.wmf.hasWindow || p.wmf.windowExt.x() == 0 || p.wmf.windowExt.y() == 0)
        throw MetafileError("a plain WMF without a window extent has no size");
      w = std::fabs(p.wmf.windowExt.x()), h = std::fabs(p.wmf.windowExt.y());
    }
  }
  p.width = Side(w, limits);
  p.height = Side(h, limits);
  if (!SizeAllowed(p.width, p.height) || static_cast<std::int64_t>(p.width) * p.height > limits.maxPixels)
    throw MetafileError("the picture is too large");
  return p;
}

// Sub-pixel differences between the frame and the pixel size would resample
// every bitmap; a scale within half a pixel over the picture is taken as 1.
double Snap(double scale, int pixels) { return std::fabs(scale - 1) * pixels < 0.5 ? 1.0 : scale; }
double SnapOffset(double v) { return std::fabs(v - std::round(v)) < 0.01 ? std::round(v) : v; }

}  // namespace

MetafileKind DetectMetafile(const std::uint8_t* data, std::size_t size) {
  const ByteView f(data, size);
  if (f.Has(0, 44) && f.U32(0) == 1 && f.U32(40) == 0x464D4520) return MetafileKind::Emf;
  if (f.Has(0, 22) && f.U32(0) == 0x9AC6CDD7) return MetafileKind::Wmf;
  if (f.Has(0, 18) && (f.U16(0) == 1 || f.U16(0) == 2) && f.U16(2) == 9 && (f.U16(4) == 0x100 || f.U16(4) == 0x300))
    return MetafileKind::Wmf;
  return MetafileKind::None;
}

MetafileSize MetafilePixelSize(const std::uint8_t* data, std::size_t size, const MetafileLimits& limits) {
  const Plan p = MakePlan(ByteView(data, size), limits);
  return {p.width, p.height};
}

Bitmap RenderMetafile(const std::uint8_t* data, std::size_t size, const MetafileLimits& limits) {
  std::vector<std::uint8_t> buffer(size + kPadding, 0);
  if (size) std::copy(data, data + size, buffer.begin());
  const ByteView f(buffer.data(), size);
  const Plan plan = MakePlan(f, limits);

  Bitmap out(plan.width, plan.height);  // white
  QImage target(reinterpret_cast<uchar*>(out.Data()), out.Width(), out.Height(),
                static_cast<qsizetype>(out.BytesPerLine()), QImage::Format_RGB32);
  meta::DibOptions dib;
  dib.maxPixels = limits.maxPixels;
  {
    if (plan.kind == MetafileKind::Emf) {
      const QRectF s = plan.source;
      const double sx = Snap(plan.width / s.width(), plan.width), sy = Snap(plan.height / s.height(), plan.height);
      const QTransform toPicture(sx, 0, 0, sy, SnapOffset(-s.left() * sx), SnapOffset(-s.top() * sy));
      meta::GdiPlayer player(target, plan.emf.pxPerMmX, plan.emf.pxPerMmY, toPicture);
      meta::PlayEmf(f, player, dib);
    } else {
      meta::GdiPlayer player(target, 96 / 25.4, 96 / 25.4, QTransform());
      meta::DcState& dc = player.Dc();
      dc.mapMode = meta::kMmAnisotropic;
      if (plan.wmf.placeable) {
        dc.windowOrg = plan.wmf.box.topLeft();
        dc.windowExt = QPointF(plan.wmf.box.width(), plan.wmf.box.height());
      } else {
        dc.windowOrg = plan.wmf.windowOrg;
        dc.windowExt = plan.wmf.windowExt;
      }
      dc.viewportExt = QPointF(plan.width, plan.height);
      meta::PlayWmf(f, plan.wmf, player, dib);
    }
  }
  // Painting leaves the fourth byte as it finds it only for opaque colours.
  for (int y = 0; y < out.Height(); ++y) {
    Pixel* row = out.Row(y);
    for (int x = 0; x < out.Width(); ++x) row[x] |= 0xFF000000u;
  }
  return out;
}

Bitmap LoadMetafile(const std::string& path, const MetafileLimits& limits) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw MetafileError("cannot open the file");
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  if (length < 0) throw MetafileError("cannot read the file");
  if (length > (std::streamoff{1} << 30)) throw MetafileError("the file is too large");
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  if (length > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), length)) throw MetafileError("cannot read the file");
  return RenderMetafile(bytes.data(), bytes.size(), limits);
}

}  // namespace rv
