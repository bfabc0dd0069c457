#include "tools/core/BrushDabs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/Random.h"
#include "tools/core/ColourParts.h"

namespace rv {

const char* DabMessage(DabStatus s) {
  switch (s) {
    case DabStatus::Done: return nullptr;
    case DabStatus::NoHistory: return "Nie ma historii do cofnięcia";
    case DabStatus::HistoryOfOtherPicture: return "Poprzednia historia nie odnosi się do tego obrazka";
    case DabStatus::NoStampSource: return "Wybierz źródło klikając prawym przyciskiem myszy";
  }
  return nullptr;
}

namespace {

// The values every dab reads from its option window, brought into the windows' ranges.
struct DabFrame {
  int x = 0, y = 0;  // centre
  int r = 1;
  int hardness = 0;
  float a = 1.0f, b = 0.0f;  // transparency weights
  int w = 0, h = 0;          // the size both pictures hold
  BrushBox box{};
  bool maskCovers = false;
};

template <class O>
DabFrame Prepare(const DabTarget& t, DabPoint c, const O& o) {
  DabFrame f;
  f.w = std::min(t.Work.Width(), t.Backup.Width());
  f.h = std::min(t.Work.Height(), t.Backup.Height());
  // A centre more than a radius off the picture touches nothing; kept near
  // it, the bounds cannot overflow.
  f.x = std::clamp(c.X, -200, f.w + 200);
  f.y = std::clamp(c.Y, -200, f.h + 200);
  f.r = std::clamp(o.Wielkosc, 1, 150);
  f.hardness = std::clamp(o.Twardosc, 0, 100);
  const int tr = std::clamp(o.Przezroczystosc, 0, 100);
  f.a = Percent(tr);
  f.b = Percent(100 - tr);
  f.box = CPixelEngine::BrushBounds(f.w, f.h, f.x, f.y, f.r);
  f.maskCovers = t.Mask.Width() >= f.w && t.Mask.Height() >= f.h && !t.Mask.Empty();
  t.Engine.SelectBlend(o.Tryb);
  return f;
}

// Narrows the bounds to k <= column < W - k, k <= row < H - k.
void Narrow(DabFrame& f, int k) {
  f.box.x0 = std::max(f.box.x0, k);
  f.box.x1 = std::min(f.box.x1, f.w - k);
  f.box.y0 = std::max(f.box.y0, k);
  f.box.y1 = std::min(f.box.y1, f.h - k);
}

struct AdmitAll {
  bool operator()() const { return true; }
};

struct EngineCompose {
  CPixelEngine& e;
  void operator()(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a, float b, int d,
                  int r, int f) const {
    e.ComposeDabPixel(c, dstRow, srcRow, x, w, u, a, b, d, r, f);
  }
};

struct NoBlendHook {
  void operator()(CPixelEngine&) const {}
};
struct NoStoreHook {
  void operator()(CPixelEngine&, Pixel) const {}
};

template <class AfterBlend, class BeforeStore>
struct HookCompose {
  CPixelEngine& e;
  AfterBlend afterBlend;
  BeforeStore beforeStore;
  void operator()(Rgb c, Pixel* dstRow, const Pixel* srcRow, int x, float w, float u, float a, float b, int d,
                  int r, int f) const {
    ComposeDabPixelWith(e, c, dstRow, srcRow, x, w, u, a, b, d, r, f, afterBlend, beforeStore);
  }
};
template <class A, class B>
HookCompose(CPixelEngine&, A, B) -> HookCompose<A, B>;

// Walks the disc: admit(), drawn before anything else of a pixel inside the
// disc, may skip it; cand(px, py, dstRow, srcRow, d) gives the candidate
// colour; compose writes it.
template <class Admit, class Cand, class Compose>
void DabSkeleton(const DabTarget& t, const DabFrame& f, Admit admit, Cand cand, Compose compose) {
  t.Engine.SelectStore(t.ActiveChannel);
  const int r = f.r;
  int falloff[151];  // by distance, 0..r
  for (int d = 0; d <= r; ++d) falloff[d] = CPixelEngine::BrushFalloff(d, r, f.hardness);
  Pixel* dstRow = nullptr;
  const Pixel* srcRow = nullptr;
  const std::uint8_t* maskRow = nullptr;
  WalkDisc(
      f.box, f.x, f.y, r,
      [&](int py) {
        dstRow = t.Work.Row(py);
        srcRow = t.Backup.Row(py);
        maskRow = f.maskCovers ? t.Mask.Row(py) : nullptr;
      },
      [&](int px, int py, int d) {
        if (!admit()) return;
        const int fo = falloff[d];
        const int m = maskRow ? maskRow[px] : 100;
        const float w = Percent(m);
        const float u = Percent(100 - m);
        const Rgb c = cand(px, py, dstRow, srcRow, d);
        compose(c, dstRow, srcRow, px, w, u, f.a, f.b, d, r, fo);
      });
}

// The engine's ComposeDabPixel, or its inline copy.
template <class Admit, class Cand>
void DabSkeletonComposed(const DabTarget& t, const DabFrame& f, Admit admit, Cand cand) {
  if (t.PlainPath)
    DabSkeleton(t, f, admit, cand, EngineCompose{t.Engine});
  else
    DabSkeleton(t, f, admit, cand, HookCompose{t.Engine, NoBlendHook{}, NoStoreHook{}});
}

template <class Cand>
void DabSkeleton(const DabTarget& t, const DabFrame& f, Cand cand) {
  DabSkeletonComposed(t, f, AdmitAll{}, cand);
}

inline Rgb ToRgb(Pixel p) { return {PixelRed(p), PixelGreen(p), PixelBlue(p)}; }

Rgb Clamped(int r, int g, int b) {
  ClampRgb(r, g, b);
  return {r, g, b};
}

// The candidate of the lighten (sign 1) and darken (sign -1) brushes.
DabStatus DabEffect(const DabTarget& t, DabPoint centre, const EnlightOptions& o, int sign) {
  DabFrame f = Prepare(t, centre, o);
  t.Engine.SelectEffect(o.TypeBox);
  const Rgb top{o.CanalR, o.CanalG, o.CanalB};
  const ModeProc effect = t.Engine.EffectProc;
  const int r = f.r;
  DabSkeleton(t, f, [&](int px, int, Pixel* dstRow, const Pixel* srcRow, int d) {
    const Rgb e = effect(top, dstRow, srcRow, px, d, r);
    const Rgb s = ToRgb(srcRow[px]);
    return Clamped(s.r + sign * e.r, s.g + sign * e.g, s.b + sign * e.b);
  });
  return DabStatus::Done;
}

// Sums of the (2k + 1) x (2k + 1) backup pixels around every pixel of the
// box, per channel, from running sums (exact integers, so equal to summing
// each neighbourhood). The box lies at least k inside the picture.
const std::vector<Rgb>& BoxSums(const Bitmap& src, const BrushBox& box, int k) {
  const int bw = box.x1 - box.x0;
  const int bh = box.y1 - box.y0;
  // Kept between dabs (all on the one user-interface thread): a stroke would
  // otherwise ask for a fresh megabyte per dab.
  static std::vector<Rgb> out;
  static std::vector<Rgb> col;
  out.resize(static_cast<std::size_t>(bw) * static_cast<std::size_t>(bh));
  const int cw = bw + 2 * k;  // columns x0 - k .. x1 + k - 1
  col.assign(static_cast<std::size_t>(cw), Rgb{});
  for (int y = box.y0 - k; y <= box.y0 + k; ++y) {
    const Pixel* row = src.Row(y) + (box.x0 - k);
    for (int i = 0; i < cw; ++i) {
      col[static_cast<std::size_t>(i)].r += PixelRed(row[i]);
      col[static_cast<std::size_t>(i)].g += PixelGreen(row[i]);
      col[static_cast<std::size_t>(i)].b += PixelBlue(row[i]);
    }
  }
  for (int y = box.y0; y < box.y1; ++y) {
    if (y > box.y0) {
      const Pixel* add = src.Row(y + k) + (box.x0 - k);
      const Pixel* sub = src.Row(y - k - 1) + (box.x0 - k);
      for (int i = 0; i < cw; ++i) {
        Rgb& c = col[static_cast<std::size_t>(i)];
        c.r += PixelRed(add[i]) - PixelRed(sub[i]);
        c.g += PixelGreen(add[i]) - PixelGreen(sub[i]);
        c.b += PixelBlue(add[i]) - PixelBlue(sub[i]);
      }
    }
    Rgb sum;
    for (int i = 0; i < 2 * k + 1; ++i) {
      sum.r += col[static_cast<std::size_t>(i)].r;
      sum.g += col[static_cast<std::size_t>(i)].g;
      sum.b += col[static_cast<std::size_t>(i)].b;
    }
    Rgb* o = out.data() + static_cast<std::size_t>(y - box.y0) * static_cast<std::size_t>(bw);
    for (int x = 0; x < bw; ++x) {
      if (x > 0) {
        const Rgb& a = col[static_cast<std::size_t>(x + 2 * k)];
        const Rgb& s = col[static_cast<std::size_t>(x - 1)];
        sum.r += a.r - s.r;
        sum.g += a.g - s.g;
        sum.b += a.b - s.b;
      }
      o[x] = sum;
    }
  }
  return out;
}

}  // namespace

DabStatus DabBrush(const DabTarget& t, DabPoint centre, const BrushOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  const Rgb top = ToRgb(PackedToPixel(t.PrimaryColor));
  DabSkeleton(t, f, [top](int, int, Pixel*, const Pixel*, int) { return top; });
  return DabStatus::Done;
}

DabStatus DabSpray(const DabTarget& t, DabPoint centre, const SprayOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  const Rgb top = ToRgb(PackedToPixel(t.PrimaryColor));
  const int density = o.Gestosc;
  DabSkeletonComposed(
      t, f, [density] { return Random() % 100 < density; },
      [top](int, int, Pixel*, const Pixel*, int) { return top; });
  return DabStatus::Done;
}

DabStatus DabEnlight(const DabTarget& t, DabPoint centre, const EnlightOptions& o) {
  return DabEffect(t, centre, o, 1);
}

DabStatus DabDarker(const DabTarget& t, DabPoint centre, const DarkerOptions& o) {
  return DabEffect(t, centre, o, -1);
}

DabStatus DabBlur(const DabTarget& t, DabPoint centre, const BlurOptions& o) {
  DabFrame f = Prepare(t, centre, o);
  const int k = std::clamp(o.Moc, 2, 6) / 2;
  Narrow(f, k);
  if (f.box.x0 >= f.box.x1 || f.box.y0 >= f.box.y1) return DabStatus::Done;
  const int count = (2 * k + 1) * (2 * k + 1);
  if (t.PlainPath) {
    const Bitmap& src = t.Backup;
    DabSkeleton(t, f, [&src, k, count](int px, int py, Pixel*, const Pixel*, int) {
      int sr = 0, sg = 0, sb = 0;
      for (int y = py - k; y <= py + k; ++y)
        for (int x = px - k; x <= px + k; ++x) {
          const Pixel p = src.At(x, y);
          sr += PixelRed(p);
          sg += PixelGreen(p);
          sb += PixelBlue(p);
        }
      return Clamped(sr / count, sg / count, sb / count);
    });
    return DabStatus::Done;
  }
  const std::vector<Rgb>& sums = BoxSums(t.Backup, f.box, k);
  const int bw = f.box.x1 - f.box.x0;
  const BrushBox box = f.box;
  DabSkeleton(t, f, [&sums, bw, box, count](int px, int py, Pixel*, const Pixel*, int) {
    const Rgb& sum = sums[static_cast<std::size_t>(py - box.y0) * static_cast<std::size_t>(bw) +
                          static_cast<std::size_t>(px - box.x0)];
    return Clamped(sum.r / count, sum.g / count, sum.b / count);
  });
  return DabStatus::Done;
}

DabStatus DabGray(const DabTarget& t, DabPoint centre, const GrayOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  // The blend may colour the grey again; its result is made grey once more.
  auto regrey = [](CPixelEngine& e) {
    const int v = (e.ColorR + e.ColorG + e.ColorB) / 3;
    e.ColorR = e.ColorG = e.ColorB = v;
  };
  DabSkeleton(
      t, f, AdmitAll{},
      [](int px, int, Pixel*, const Pixel* srcRow, int) {
        const Rgb s = ToRgb(srcRow[px]);
        const int g = (s.r + s.g + s.b) / 3;
        return Rgb{g, g, g};
      },
      HookCompose{t.Engine, regrey, NoStoreHook{}});
  return DabStatus::Done;
}

DabStatus DabStamp(const DabTarget& t, DabPoint centre, const StampOptions& o, bool sourceSet, DabPoint source) {
  if (!sourceSet) return DabStatus::NoStampSource;
  const DabFrame f = Prepare(t, centre, o);
  const Bitmap& src = t.Backup;
  const long long ox = static_cast<long long>(source.X) - f.x;
  const long long oy = static_cast<long long>(source.Y) - f.y;
  const long long w = f.w, h = f.h;
  DabSkeleton(t, f, [&src, ox, oy, w, h](int px, int py, Pixel*, const Pixel*, int) {
    return ToRgb(src.At(static_cast<int>(std::clamp(px + ox, 0LL, w - 1)),
                        static_cast<int>(std::clamp(py + oy, 0LL, h - 1))));
  });
  return DabStatus::Done;
}

DabStatus DabSharp(const DabTarget& t, DabPoint centre, const SharpOptions& o) {
  DabFrame f = Prepare(t, centre, o);
  Narrow(f, 1);
  if (f.box.x0 >= f.box.x1 || f.box.y0 >= f.box.y1) return DabStatus::Done;
  const Bitmap& src = t.Backup;
  if (t.PlainPath) {
    const std::size_t stride = static_cast<std::size_t>(src.Width());
    DabSkeleton(t, f, [stride](int px, int, Pixel*, const Pixel* srcRow, int) {
      // Weight 9 in the centre and -1 around it, summing to 1.
      const Pixel* c = srcRow + px;
      const Pixel* up = c - stride;
      const Pixel* down = c + stride;
      const Pixel around[8] = {up[-1], up[0], up[1], c[-1], c[1], down[-1], down[0], down[1]};
      int sr = 9 * PixelRed(*c), sg = 9 * PixelGreen(*c), sb = 9 * PixelBlue(*c);
      for (const Pixel p : around) {
        sr -= PixelRed(p);
        sg -= PixelGreen(p);
        sb -= PixelBlue(p);
      }
      return Clamped(sr, sg, sb);
    });
    return DabStatus::Done;
  }
  // 9 S - (the eight around) = 10 S - (the 3 x 3 sum).
  const std::vector<Rgb>& sums = BoxSums(src, f.box, 1);
  const int bw = f.box.x1 - f.box.x0;
  const BrushBox box = f.box;
  DabSkeleton(t, f, [&sums, bw, box](int px, int py, Pixel*, const Pixel* srcRow, int) {
    const Rgb& sum = sums[static_cast<std::size_t>(py - box.y0) * static_cast<std::size_t>(bw) +
                          static_cast<std::size_t>(px - box.x0)];
    const Pixel c = srcRow[px];
    return Clamped(10 * PixelRed(c) - sum.r, 10 * PixelGreen(c) - sum.g, 10 * PixelBlue(c) - sum.b);
  });
  return DabStatus::Done;
}

DabStatus DabRedEye(const DabTarget& t, DabPoint centre, const RedEyeOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  auto redEye = [](auto hueOf) {
    return [hueOf](int px, int, Pixel*, const Pixel* srcRow, int) {
      const Rgb s = ToRgb(srcRow[px]);
      const int hue = hueOf(s);
      const int red = (hue < 30 || hue > 180) ? (s.g + s.b) / 2 : s.r;
      return Rgb{red, s.g, s.b};
    };
  };
  if (t.PlainPath)
    DabSkeleton(t, f, redEye([](Rgb s) { return RgbToHls(s.r, s.g, s.b).r; }));
  else
    DabSkeleton(t, f, redEye([](Rgb s) { return HueOf(s.r, s.g, s.b); }));
  return DabStatus::Done;
}

DabStatus DabCorrectionBrush(const DabTarget& t, DabPoint centre, const CorrectionBrushOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  const Bitmap& src = t.Backup;
  const int ox = o.Lewo ? -f.r : f.r;
  const int oy = o.Gora ? -f.r : f.r;
  const int w = f.w, h = f.h;
  DabSkeleton(t, f, [&src, ox, oy, w, h](int px, int py, Pixel*, const Pixel*, int) {
    return ToRgb(src.At(std::clamp(px + ox, 0, w - 1), std::clamp(py + oy, 0, h - 1)));
  });
  return DabStatus::Done;
}

DabStatus DabBrushHistory(const DabTarget& t, DabPoint centre, const BrushHistoryOptions& o,
                          const HistorySources& hs) {
  const Bitmap* source = nullptr;
  if (o.RadioBack) {
    const int c = hs.CurrentIndex;
    if (c <= 0) return DabStatus::NoHistory;
    if (hs.CurrentFileName != hs.PreviousFileName) return DabStatus::HistoryOfOtherPicture;
    source = hs.Previous;
    if (!source) return DabStatus::NoHistory;
  } else {
    source = hs.Snapshot;
  }
  if (!source || source->Empty()) return DabStatus::Done;
  DabFrame f = Prepare(t, centre, o);
  // Where the source is smaller the brush has nothing to restore: it reads
  // nothing outside the source and leaves those pixels alone.
  f.box.x1 = std::min(f.box.x1, source->Width());
  f.box.y1 = std::min(f.box.y1, source->Height());
  const Bitmap& src = *source;
  DabSkeleton(t, f, [&src](int px, int py, Pixel*, const Pixel*, int) { return ToRgb(src.At(px, py)); });
  return DabStatus::Done;
}

DabStatus DabBucket(const DabTarget& t, DabPoint centre, const BucketOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  if (f.w <= 0 || f.h <= 0) return DabStatus::Done;
  // The clicked colour; a centre off the picture takes its nearest pixel.
  const Rgb ref = ToRgb(t.Backup.At(std::clamp(f.x, 0, f.w - 1), std::clamp(f.y, 0, f.h - 1)));
  const Rgb top = ToRgb(PackedToPixel(t.PrimaryColor));
  const int tolerant = std::clamp(o.Tolerant, 0, 255);
  auto fade = [ref, tolerant](CPixelEngine& e, Pixel s) {
    const int sr = PixelRed(s), sg = PixelGreen(s), sb = PixelBlue(s);
    const int diff = std::abs(ref.r - sr) + std::abs(ref.g - sg) + std::abs(ref.b - sb);
    e.ColorR = BucketFade(e.ColorR, sr, diff, tolerant);
    e.ColorG = BucketFade(e.ColorG, sg, diff, tolerant);
    e.ColorB = BucketFade(e.ColorB, sb, diff, tolerant);
  };
  DabSkeleton(
      t, f, AdmitAll{}, [top](int, int, Pixel*, const Pixel*, int) { return top; },
      HookCompose{t.Engine, NoBlendHook{}, fade});
  return DabStatus::Done;
}

DabStatus DabColorBrush(const DabTarget& t, DabPoint centre, const ColorBrushOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  const PackedColor pc = t.PrimaryColor;
  const int hue = RgbToHls(PackedRed(pc), PackedGreen(pc), PackedBlue(pc)).r;
  // HlsToRgb clamps.
  if (t.PlainPath) {
    DabSkeleton(t, f, [hue](int px, int, Pixel*, const Pixel* srcRow, int) {
      const Pixel s = srcRow[px];
      const Rgb hls = RgbToHls(PixelRed(s), PixelGreen(s), PixelBlue(s));
      return HlsToRgb(hue, hls.g, hls.b);
    });
  } else {
    // Built once per primary hue: the dabs of a stroke share it (one thread).
    static std::unique_ptr<HlsAtHue> cached;
    if (!cached || cached->Hue() != hue) cached = std::make_unique<HlsAtHue>(hue);
    const HlsAtHue& toRgb = *cached;
    DabSkeleton(t, f, [&toRgb](int px, int, Pixel*, const Pixel* srcRow, int) {
      const Pixel s = srcRow[px];
      const LightSat ls = LightSatOf(PixelRed(s), PixelGreen(s), PixelBlue(s));
      return toRgb(ls.l, ls.s);
    });
  }
  return DabStatus::Done;
}

DabStatus DabColorChange(const DabTarget& t, DabPoint centre, const ColorChangeOptions& o) {
  const DabFrame f = Prepare(t, centre, o);
  const Rgb add{o.CanalR, o.CanalG, o.CanalB};
  DabSkeleton(t, f, [add](int px, int, Pixel*, const Pixel* srcRow, int) {
    const Rgb s = ToRgb(srcRow[px]);
    return Clamped(s.r + add.r, s.g + add.g, s.b + add.b);
  });
  return DabStatus::Done;
}

DabStatus ApplyDab(int toolId, const DabTarget& t, DabPoint c, const BrushToolSettings& s, const DabSources& src) {
  switch (toolId) {
    case kToolSpray: return DabSpray(t, c, s.Spray);
    case kToolEnlight: return DabEnlight(t, c, s.Enlight);
    case kToolDarker: return DabDarker(t, c, s.Darker);
    case kToolBlur: return DabBlur(t, c, s.Blur);
    case kToolGray: return DabGray(t, c, s.Gray);
    case kToolStamp: return DabStamp(t, c, s.Stamp, src.StampSourceSet, src.StampSource);
    case kToolSharp: return DabSharp(t, c, s.Sharp);
    case kToolRedEye: return DabRedEye(t, c, s.RedEye);
    case kToolCorrectionBrush: return DabCorrectionBrush(t, c, s.CorrectionBrush);
    case kToolBrushHistory: return DabBrushHistory(t, c, s.BrushHistory, src.History);
    case kToolBrush: return DabBrush(t, c, s.Brush);
    case kToolBucket: return DabBucket(t, c, s.Bucket);
    case kToolColorBrush: return DabColorBrush(t, c, s.ColorBrush);
    case kToolColorChange: return DabColorChange(t, c, s.ColorChange);
    default: return DabStatus::Done;
  }
}

int BrushSize(int toolId, const BrushToolSettings& s) {
  switch (toolId) {
    case kToolSpray: return s.Spray.Wielkosc;
    case kToolEnlight: return s.Enlight.Wielkosc;
    case kToolDarker: return s.Darker.Wielkosc;
    case kToolBlur: return s.Blur.Wielkosc;
    case kToolGray: return s.Gray.Wielkosc;
    case kToolStamp: return s.Stamp.Wielkosc;
    case kToolSharp: return s.Sharp.Wielkosc;
    case kToolRedEye: return s.RedEye.Wielkosc;
    case kToolCorrectionBrush: return s.CorrectionBrush.Wielkosc;
    case kToolBrushHistory: return s.BrushHistory.Wielkosc;
    case kToolBrush: return s.Brush.Wielkosc;
    case kToolBucket: return s.Bucket.Wielkosc;
    case kToolColorBrush: return s.ColorBrush.Wielkosc;
    case kToolColorChange: return s.ColorChange.Wielkosc;
    default: return 0;
  }
}

}  // namespace rv
