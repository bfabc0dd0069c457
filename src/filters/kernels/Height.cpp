// Horizontal alignment: the rows slide right (Power > 0) or left by up to
// Power pixels at the bottom edge, in proportion to their place down the picture.
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "filters/kernels/ShearKernel.h"
#include "filters/registry/FilterRegistry.h"

namespace rv {

const FilterDecl& HeightFilter() {
  static const FilterDecl decl{
      .Stem = "Height",
      .DialogClass = "TFormHeight",
      .MenuCaption = "Wyrównanie horyzontalne...",
      .Menu = "Korekta",
      .DialogCaption = "Opcje wyrównania horyzontalnego",
      .HistoryLabel = "Wyrównanie horyzontalne",
      .PreviewHalfSize = 300,
      .HasTryb = true,
      .HasTypeBox = true,
      .HasTransparency = true,
      .Controls =
          {
              Track("Power", "Promień:", -400, 400, 0),
              // Applied after OK: the ragged columns are cut away (Finish).
              Check("AutoFram", "Autokadrowanie", true),
          },
      .Run = [](const KernelArgs& a, const FilterSettings& v) { ApplyHeight(a, v.Get("Power")); },
      .Summary = "Horizontal alignment: shears the rows by up to Power columns; AutoFram crops the ragged columns.",
      .Description = "Wyrównanie horyzontalne: pochyla obraz, przesuwając wiersze w poziomie najwyżej o Promień "
                     "kolumn; Autokadrowanie obcina poszarpany brzeg.",
      .Finish = [](const Bitmap& result, const FilterSettings& v) -> std::optional<Bitmap> {
        // "Autokadrowanie" cuts away the columns the shear left ragged.
        if (v.Get("AutoFram") == 0) return std::nullopt;
        return AutoCropAlignment(result, CropAxis::Columns, v.Get("Power"));
      },
      .Example = {"--set", "Power=20"},
  };
  return decl;
}

void ApplyHeight(const KernelArgs& a, int power) { RunShear<ShearAxis::Rows>(a, power); }

}  // namespace rv
