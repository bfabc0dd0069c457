#include "filters/registry/FilterList.h"

namespace rv {

const FilterDecl& BalanceColorFilter();
const FilterDecl& SaturationFilter();
const FilterDecl& GrayFilterFilter();
const FilterDecl& SepiaFilter();
const FilterDecl& HueFilter();
const FilterDecl& SelectiveFilter();
const FilterDecl& ShadowFilter();
const FilterDecl& LayerFilter();
const FilterDecl& ExtensionFilter();
const FilterDecl& AligmentFilter();
const FilterDecl& GradientWidthFilter();
const FilterDecl& GradientPointFilter();
const FilterDecl& WidthFilter();
const FilterDecl& HeightFilter();
const FilterDecl& ImpositionFilter();
const FilterDecl& TextureFilter();

FilterGroup ColourFilters() {
  return {&BalanceColorFilter(), &SaturationFilter(),    &GrayFilterFilter(), &SepiaFilter(),
          &HueFilter(),          &SelectiveFilter(),     &ShadowFilter(),     &LayerFilter(),
          &ExtensionFilter(),    &AligmentFilter(),      &GradientWidthFilter(), &GradientPointFilter(),
          &WidthFilter(),        &HeightFilter(),        &ImpositionFilter(), &TextureFilter()};
}

}  // namespace rv
