#include "filters/registry/FilterList.h"

namespace rv {

const FilterDecl& FillFilter();
const FilterDecl& LightFilter();
const FilterDecl& DarkFilter();
const FilterDecl& ContrastFilter();
const FilterDecl& GammaFilter();
const FilterDecl& ExposureFilter();
const FilterDecl& HoldFilter();
const FilterDecl& PosterizeFilter();
const FilterDecl& NegativFilter();

FilterGroup ToneFilters() {
  return {&FillFilter(),     &LightFilter(), &DarkFilter(),      &ContrastFilter(), &GammaFilter(),
          &ExposureFilter(), &HoldFilter(),  &PosterizeFilter(), &NegativFilter()};
}

}  // namespace rv
