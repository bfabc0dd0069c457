// The declarations of every filter, one function per filter defined in the
// filter's own source file.
#pragma once

#include <vector>

namespace rv {

struct FilterDecl;

const FilterDecl& FillFilter();
const FilterDecl& LightFilter();
const FilterDecl& DarkFilter();
const FilterDecl& ContrastFilter();
const FilterDecl& GammaFilter();
const FilterDecl& ExposureFilter();
const FilterDecl& HoldFilter();
const FilterDecl& PosterizeFilter();
const FilterDecl& NegativFilter();

inline std::vector<const FilterDecl*> BuildFilterList() {
  return {&FillFilter(),     &LightFilter(), &DarkFilter(),      &ContrastFilter(), &GammaFilter(),
          &ExposureFilter(), &HoldFilter(),  &PosterizeFilter(), &NegativFilter()};
}

}  // namespace rv
