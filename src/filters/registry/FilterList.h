// The declarations of every filter, one function per filter defined in the
// filter's own source file, gathered by group; each group's list lives in its
// own file beside this one.
#pragma once

#include <vector>

namespace rv {

struct FilterDecl;
using FilterGroup = std::vector<const FilterDecl*>;

FilterGroup ToneFilters();       // ToneGroup.cpp
FilterGroup ColourFilters();     // ColourGroup.cpp: colour, histogram, gradient, geometry, overlay
FilterGroup NeighbourFilters();  // NeighbourGroup.cpp: matrix, rank and smoothing, feathering
FilterGroup EffectFilters();     // EffectGroup.cpp: noise and stylise, distortion, streak and tile

inline FilterGroup BuildFilterList() {
  FilterGroup all;
  for (const FilterGroup& g : {ToneFilters(), ColourFilters(), NeighbourFilters(), EffectFilters()})
    all.insert(all.end(), g.begin(), g.end());
  return all;
}

}  // namespace rv
