// Vertical alignment: the columns slide down (Power > 0) or up by up to Power
// pixels at the right edge, in proportion to their place across the picture.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "filters/kernels/ShearKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& WidthFilter() {
  static const FilterDecl decl{
      .Stem = "Width",
      .DialogClass = "TFormWidth",
      .MenuCaption = "Wyrównanie wertykalne...",
      .Menu = "Korekta",
      .DialogCaption = "Opcje wyrównania wertykalnego",
      .HistoryLabel = "Wyrównanie wertykalne",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Power", "Promień:", -400, 400, 0),
              // Applied after OK: the ragged rows are cut away (Finish).
              AtOkOnly(Check("AutoFram", "Autokadrowanie", true)),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyWidth(a, v.Get("Power")); },
      .Summary = "Vertical alignment: shears the columns by up to Power rows; AutoFram crops the ragged rows.",
      .Description = "Wyrównanie wertykalne: pochyla obraz, przesuwając kolumny w pionie najwyżej o Promień wierszy; "
                     "Autokadrowanie obcina poszarpany brzeg.",
      .Finish = [](const Bitmap& result, const FilterSettings& v) -> std::optional<Bitmap> {
        // "Autokadrowanie" cuts away the rows the shear left ragged.
        if (v.Get("AutoFram") == 0) return std::nullopt;
        return AutoCropAlignment(result, CropAxis::Rows, v.Get("Power"));
      },
      .Example = {"--set", "Power=20"},
  };
  return decl;
}

void ApplyWidth(const KernelArgs& a, int power) { RunShear<ShearAxis::Columns>(a, power); }

}  // namespace rv
