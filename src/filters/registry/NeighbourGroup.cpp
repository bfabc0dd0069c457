#include "filters/registry/FilterList.h"

namespace rv {

const FilterDecl& FeatherFilter();
const FilterDecl& MinFilter();
const FilterDecl& MaxFilter();
const FilterDecl& MedianFilter();
const FilterDecl& BlurFilterFilter();
const FilterDecl& DeleteNoiseFilter();
const FilterDecl& EdgesFilter();
const FilterDecl& EdgesGradientFilter();
const FilterDecl& DomedFilter();
const FilterDecl& LaplaceFilter();
const FilterDecl& ContoursFilter();
const FilterDecl& HPFilter();

// Menu order: "Zaznaczenie", "Filtry macierzowe", "Korekta", "Krawędzie".
FilterGroup NeighbourFilters() {
  return {&FeatherFilter(),       &MinFilter(),     &MaxFilter(),     &MedianFilter(),
          &BlurFilterFilter(),    &DeleteNoiseFilter(), &EdgesFilter(), &EdgesGradientFilter(),
          &DomedFilter(),         &LaplaceFilter(), &ContoursFilter(), &HPFilter()};
}

}  // namespace rv
