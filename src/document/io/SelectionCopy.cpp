#include "document/io/SelectionCopy.h"

#include <algorithm>
#include <cstdlib>

namespace rv {

bool AnyPixelSelected(const SelectionMask& mask) {
  for (int y = 0; y < mask.Height(); ++y) {
    const std::uint8_t* m = mask.Row(y);
    if (std::any_of(m, m + mask.Width(), [](std::uint8_t v) { return v != 0; })) return true;
  }
  return false;
}

CopyRect SelectionShapeRect(int x1, int y1, int x2, int y2, int width, int height) {
  CopyRect r{std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)};
  r.Left = std::clamp(r.Left, 0, width);
  r.Right = std::clamp(r.Right, 0, width);
  r.Top = std::clamp(r.Top, 0, height);
  r.Bottom = std::clamp(r.Bottom, 0, height);
  return r;
}

void WhitenUnselected(Bitmap& image, const SelectionMask& mask, const CopyRect& r) {
  const int right = std::min({r.Right, image.Width(), mask.Width()});
  const int bottom = std::min({r.Bottom, image.Height(), mask.Height()});
  for (int y = std::max(r.Top, 0); y < bottom; ++y) {
    Pixel* p = image.Row(y);
    const std::uint8_t* m = mask.Row(y);
    for (int x = std::max(r.Left, 0); x < right; ++x) {
      const float keep = static_cast<float>(m[x] * 0.01);
      const float white = static_cast<float>((100 - m[x]) * 0.01);
      auto mix = [&](int v) { return std::min(255, static_cast<int>(v * static_cast<double>(keep) + white * 255.0)); };
      p[x] = (p[x] & 0xFF000000u) | (static_cast<Pixel>(mix(PixelRed(p[x]))) << 16) |
             (static_cast<Pixel>(mix(PixelGreen(p[x]))) << 8) | static_cast<Pixel>(mix(PixelBlue(p[x])));
    }
  }
}

Bitmap PictureToCopy(const Bitmap& work, const SelectionMask& mask, int selectionKind, const CopyRect& shapeRect) {
  const CopyRect whole{0, work.Width(), 0, work.Height()};
  if (selectionKind != 0 && selectionKind != 1 && (mask.Width() != work.Width() || mask.Height() != work.Height()))
    return {};
  switch (selectionKind) {
    case 0: return work;
    case 1:
    case 2:
    case 3: {
      const CopyRect r = SelectionShapeRect(shapeRect.Left, shapeRect.Top, shapeRect.Right, shapeRect.Bottom,
                                            work.Width(), work.Height());
      if (r.Width() <= 0 || r.Height() <= 0) return {};
      Bitmap out = work.Copy(r.Left, r.Top, r.Width(), r.Height());
      if (selectionKind == 1) return out;
      // Whiten the copy; its mask is the matching part of the picture's.
      SelectionMask part(r.Width(), r.Height(), 100);
      for (int y = 0; y < r.Height(); ++y)
        std::copy_n(mask.Row(r.Top + y) + r.Left, r.Width(), part.Row(y));
      WhitenUnselected(out, part, {0, r.Width(), 0, r.Height()});
      return out;
    }
    default: {
      Bitmap out = work;
      WhitenUnselected(out, mask, whole);
      return out;
    }
  }
}

}  // namespace rv
