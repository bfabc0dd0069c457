// The 3 x 3 convolution shared by the edge, sharpening, gradient, emboss,
// Laplace and contour filters. The convolved colour itself, through the effect
// mode, is what is blended over the source.
#include <algorithm>
#include <cstring>
#include <vector>

#include "filters/kernels/NeighbourKernels.h"
#include "filters/kernels/NeighbourTail.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

RgbF ConvolvePixel(const Bitmap& src, const FilterMatrix& m, int radius, int y, int x, int w, int h) {
  const int r = std::clamp(radius, 0, 1);
  float sr = 0.0f, sg = 0.0f, sb = 0.0f, sw = 0.0f;
  const int left = std::max(0, x - r), right = std::min(w - 1, x + r);
  const int top = std::max(0, y - r), bottom = std::min(h - 1, y + r);
  // Cells are counted from the window's first row and column.
  for (int j = top, mi = 0; j <= bottom; ++j, ++mi) {
    const Pixel* row = src.Row(j);
    for (int i = left, mj = 0; i <= right; ++i, ++mj) {
      const float wt = m[static_cast<std::size_t>(mi)][static_cast<std::size_t>(mj)];
      const Pixel p = row[i];
      sr += static_cast<float>(PixelRed(p)) * wt;
      sg += static_cast<float>(PixelGreen(p)) * wt;
      sb += static_cast<float>(PixelBlue(p)) * wt;
      sw += wt;
    }
  }
  if (sw != 0.0f) {
    sr /= sw;
    sg /= sw;
    sb /= sw;
  }
  return {sr, sg, sb};
}

namespace {

inline Rgb TruncatedColour(RgbF f) {
  ClampRgbF(f.r, f.g, f.b);
  return {static_cast<int>(f.r), static_cast<int>(f.g), static_cast<int>(f.b)};
}

inline int ClampTrunc(float v) {
  v = v > 255.0f ? 255.0f : (v >= 0.0f ? v : 0.0f);
  return static_cast<int>(v);
}

// One channel of the interior of a row: every window is whole, so the cells
// are aligned, and the sums are added in the same order as ConvolvePixel adds
// them, which gives the same single-precision values.
template <bool Divide>
void ConvolveChannel(const float* a0, const float* a1, const float* a2, const FilterMatrix& m, float ws, int w,
                     int* out) {
  const float m00 = m[0][0], m01 = m[0][1], m02 = m[0][2];
  const float m10 = m[1][0], m11 = m[1][1], m12 = m[1][2];
  const float m20 = m[2][0], m21 = m[2][1], m22 = m[2][2];
  for (int x = 1; x < w - 1; ++x) {
    float s = 0.0f;
    s += a0[x - 1] * m00;
    s += a0[x] * m01;
    s += a0[x + 1] * m02;
    s += a1[x - 1] * m10;
    s += a1[x] * m11;
    s += a1[x + 1] * m12;
    s += a2[x - 1] * m20;
    s += a2[x] * m21;
    s += a2[x + 1] * m22;
    if (Divide) s /= ws;
    out[x] = ClampTrunc(s);
  }
}

// Candidates of the matrix filter, row by row, from planar float copies of
// three source rows.
class MatrixRows {
 public:
  MatrixRows(const Bitmap& src, const FilterMatrix& m, int w, int h) : src_(src), m_(m), w_(w), h_(h) {
    for (auto& p : planes_) p.assign(static_cast<std::size_t>(w) * 3, 0.0f);
    for (auto& t : out_) t.assign(static_cast<std::size_t>(w), 0);
    for (const auto& row : m)
      for (float c : row) ws_ += c;
  }

  void Fill(int y, Pixel* out) {
    const int w = w_;
    const bool interior = y >= 1 && y < h_ - 1 && w >= 3;
    if (interior) {
      // Source rows y - 1, y, y + 1 sit in the planes (y + 2) % 3 ... kept as a ring.
      while (loaded_ < y + 1) Load(++loaded_);
      const float* rows[3];
      for (int k = 0; k < 3; ++k) rows[k] = planes_[static_cast<std::size_t>((y - 1 + k) % 3)].data();
      for (int c = 0; c < 3; ++c) {
        const std::size_t off = static_cast<std::size_t>(c) * static_cast<std::size_t>(w);
        if (ws_ != 0.0f)
          ConvolveChannel<true>(rows[0] + off, rows[1] + off, rows[2] + off, m_, ws_, w, out_[c].data());
        else
          ConvolveChannel<false>(rows[0] + off, rows[1] + off, rows[2] + off, m_, ws_, w, out_[c].data());
      }
      const int* r = out_[0].data();
      const int* g = out_[1].data();
      const int* b = out_[2].data();
      for (int x = 1; x < w - 1; ++x)
        out[x] = (static_cast<Pixel>(r[x]) << 16) | (static_cast<Pixel>(g[x]) << 8) | static_cast<Pixel>(b[x]);
      out[0] = Border(0, y);
      out[w - 1] = Border(w - 1, y);
    } else {
      for (int x = 0; x < w; ++x) out[x] = Border(x, y);
    }
  }

 private:
  Pixel Border(int x, int y) const {
    const Rgb c = TruncatedColour(ConvolvePixel(src_, m_, 1, y, x, w_, h_));
    return MakePixel(c.r, c.g, c.b);
  }
  void Load(int y) {
    float* p = planes_[static_cast<std::size_t>(y % 3)].data();
    const Pixel* row = src_.Row(y);
    const std::size_t w = static_cast<std::size_t>(w_);
    for (std::size_t x = 0; x < w; ++x) {
      p[x] = static_cast<float>(PixelRed(row[x]));
      p[w + x] = static_cast<float>(PixelGreen(row[x]));
      p[2 * w + x] = static_cast<float>(PixelBlue(row[x]));
    }
  }

  const Bitmap& src_;
  const FilterMatrix& m_;
  int w_, h_;
  float ws_ = 0.0f;
  int loaded_ = -1;
  std::vector<float> planes_[3];
  std::vector<int> out_[3];
};

}  // namespace

void ApplyMatrix(const KernelArgs& args, const FilterMatrix& m, int radius) {
  const KernelArgs a = ClampedArgs(args);
  const int r = std::clamp(radius, 0, 1);
  const int w = a.Width, h = a.Height;
  if (a.Ctx.PlainPath || r != 1) {
    RunNeighbourPlain(a, true, [&](int x, int y) { return TruncatedColour(ConvolvePixel(a.Src, m, r, y, x, w, h)); });
    return;
  }
  MatrixRows rows(a.Src, m, w, h);
  RunNeighbourRows(a, true, [&](int y, Pixel* out) { rows.Fill(y, out); });
}

MatrixButton SelectedMatrixButton(const FilterSettings& v) {
  static const std::pair<const char*, MatrixButton> names[] = {
      {"N", MatrixButton::N},   {"NW", MatrixButton::NW}, {"NE", MatrixButton::NE},
      {"W", MatrixButton::W},   {"E", MatrixButton::E},   {"SW", MatrixButton::SW},
      {"S", MatrixButton::S},   {"SE", MatrixButton::SE}, {"NN", MatrixButton::NN}};
  for (const ControlDecl& c : v.Decl().Controls) {
    if (c.Kind != ControlKind::RadioButton || v.Get(c.Name) != 1) continue;
    for (const auto& [name, button] : names)
      if (std::strcmp(c.Name, name) == 0) return button;
  }
  return MatrixButton::N;
}

FilterMatrix BuildMatrix(const FilterSettings& v) {
  const std::string_view stem = v.Decl().Stem;
  const MatrixButton b = SelectedMatrixButton(v);
  if (stem == "Edges") return BuildEdgesMatrix(b, v.Get("Power"));
  if (stem == "HP") return BuildHPMatrix(b);
  if (stem == "EdgesGradient") return BuildEdgesGradientMatrix(b);
  if (stem == "Domed") return BuildDomedMatrix(b);
  if (stem == "Laplace") return BuildLaplaceMatrix(b);
  return BuildContoursMatrix(b);
}

void RunMatrixDialog(const KernelArgs& a, const FilterSettings& v) {
  ApplyMatrix(a, a.Ctx.Matrix ? *a.Ctx.Matrix : BuildMatrix(v), 1);
}

FilterMatrix OpeningMatrix(const FilterSettings& v) {
  const std::string_view stem = v.Decl().Stem;
  if (stem == "Edges") return EdgesOpeningMatrix(v.Get("Power"));
  if (stem == "HP") return HPOpeningMatrix();
  if (stem == "EdgesGradient") return EdgesGradientOpeningMatrix();
  if (stem == "Domed") return DomedOpeningMatrix();
  if (stem == "Laplace") return LaplaceOpeningMatrix(SelectedMatrixButton(v));
  return ContoursOpeningMatrix(SelectedMatrixButton(v));
}

}  // namespace rv
