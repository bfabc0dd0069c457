#include "filters/registry/FilterList.h"

namespace rv {

const FilterDecl& SulfurFilter();
const FilterDecl& NoiseFilter();
const FilterDecl& MozaicFilter();
const FilterDecl& PatchworkFilter();
const FilterDecl& ScreeningFilter();
const FilterDecl& WindFilter();
const FilterDecl& DifFilter();
const FilterDecl& WetPaperFilter();
const FilterDecl& VignetteFilter();
const FilterDecl& HeaveFilter();
const FilterDecl& ShiftFilter();
const FilterDecl& FragFilter();
const FilterDecl& BreakFilter();
const FilterDecl& AnalgFilter();

// "Efekty specjalne", then "Tekstury / Obrazki", in menu order.
FilterGroup EffectFilters() {
  return {&SulfurFilter(), &NoiseFilter(),    &MozaicFilter(),   &PatchworkFilter(), &ScreeningFilter(),
          &WindFilter(),   &DifFilter(),      &WetPaperFilter(), &VignetteFilter(),  &HeaveFilter(),
          &ShiftFilter(),  &FragFilter(),     &BreakFilter(),    &AnalgFilter()};
}

}  // namespace rv
