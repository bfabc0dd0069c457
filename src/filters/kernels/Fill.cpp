// Fill: the primary colour laid over every pixel with the blend mode.
#include "filters/kernels/PointKernel.h"
#include "filters/kernels/ToneKernels.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& FillFilter() {
  static const FilterDecl decl{
      .Stem = "Fill",
      .DialogClass = "TFormFill",
      .MenuCaption = "Wypełnij...",
      .Menu = "Zaznaczenie",
      .DialogCaption = "Opcje wypełnienia",
      .HistoryLabel = "Wypełnienie",
      .PreviewHalfSize = 400,
      .HasTryb = true,
      .HasTypeBox = false,
      .HasTransparency = true,
      .Controls = {},
      .Run = [](const KernelArgs& a, const FilterSettings&) { ApplyFill(a, a.Ctx.PrimaryColor); },
      .Summary = "Paints the picture with the primary colour through the blend mode.",
      .Description = "Zamalowuje obraz kolorem głównym palety narzędzi, nałożonym wybranym trybem mieszania.",
      .Example = {"--przezroczystosc", "50"},
  };
  return decl;
}

void ApplyFill(const KernelArgs& a, PackedColor fill) {
  const Rgb color{PackedRed(fill), PackedGreen(fill), PackedBlue(fill)};
  PointFilter f;
  f.UsesEffect = false;
  RunPointFilter(a, f, [color](Rgb, Rgb) { return color; });
}

}  // namespace rv
