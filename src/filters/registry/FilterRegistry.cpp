#include "filters/registry/FilterRegistry.h"

#include <algorithm>
#include <cstring>

#include "filters/registry/FilterList.h"

namespace rv {

ControlDecl Track(const char* name, const char* caption, int min, int max, int def, const char* link) {
  return {name, ControlKind::TrackBar, caption, min, max, def, link, -1, 0};
}
ControlDecl Check(const char* name, const char* caption, bool def) {
  return {name, ControlKind::CheckBox, caption, 0, 1, def ? 1 : 0, "", -1, 0};
}
ControlDecl Radio(const char* name, const char* caption, const char* group, bool def) {
  return {name, ControlKind::RadioButton, caption, 0, 1, def ? 1 : 0, group, -1, 0};
}
ControlDecl Link(const char* name, bool def, const char* caption) {
  return {name, ControlKind::LinkBox, caption, 0, 1, def ? 1 : 0, name, -1, 0};
}
ControlDecl Place(ControlDecl c, int row, int column) {
  c.Row = row;
  c.Column = column;
  return c;
}

ControlDecl AtOkOnly(ControlDecl c) {
  c.Previews = false;
  return c;
}

const ControlDecl* FilterDecl::Find(std::string_view name) const {
  for (const auto* list : {&Controls, &OpeningControls})
    for (const ControlDecl& c : *list)
      if (name == c.Name) return &c;
  return nullptr;
}

const std::vector<const FilterDecl*>& AllFilters() {
  static const std::vector<const FilterDecl*> all = BuildFilterList();
  return all;
}

const FilterDecl* FindFilter(std::string_view stem) {
  for (const FilterDecl* f : AllFilters())
    if (stem == f->Stem) return f;
  return nullptr;
}

FilterSettings::FilterSettings(const FilterDecl& decl) : decl_(&decl) {
  for (const auto* list : {&decl.Controls, &decl.OpeningControls})
    for (const ControlDecl& c : *list) {
      controls_.push_back(&c);
      values_.push_back({c.Default, c.Min, c.Max});
    }
}

int FilterSettings::Index(std::string_view name) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (name == controls_[i]->Name) return static_cast<int>(i);
  return -1;
}

int FilterSettings::Get(std::string_view name) const {
  const int i = Index(name);
  return i < 0 ? 0 : values_[static_cast<std::size_t>(i)].value;
}

int FilterSettings::Min(std::string_view name) const {
  const int i = Index(name);
  return i < 0 ? 0 : values_[static_cast<std::size_t>(i)].min;
}

int FilterSettings::Max(std::string_view name) const {
  const int i = Index(name);
  return i < 0 ? 0 : values_[static_cast<std::size_t>(i)].max;
}

void FilterSettings::SetRange(std::string_view name, int min, int max) {
  const int i = Index(name);
  if (i < 0) return;
  Value& v = values_[static_cast<std::size_t>(i)];
  if (min <= v.max) v.min = min;
  if (max >= v.min) v.max = max;
  v.value = std::clamp(v.value, v.min, v.max);
}

void FilterSettings::SetPosition(std::string_view name, int value) {
  const int i = Index(name);
  if (i < 0) return;
  Value& v = values_[static_cast<std::size_t>(i)];
  v.value = std::clamp(value, v.min, v.max);
}

std::string FilterSettings::Set(std::string_view name, int value) {
  const int i = Index(name);
  if (i < 0) return std::string(name) + ": no such control in " + decl_->Stem;
  const ControlDecl& c = *controls_[static_cast<std::size_t>(i)];
  Value& v = values_[static_cast<std::size_t>(i)];
  if (value < v.min || value > v.max)
    return std::string(name) + ": " + std::to_string(value) + " is outside " + std::to_string(v.min) + ".." +
           std::to_string(v.max);
  auto& cs = controls_;
  switch (c.Kind) {
    case ControlKind::TrackBar: {
      v.value = value;
      if (*c.Group != '\0' && Get(c.Group) == 1) {
        for (std::size_t j = 0; j < cs.size(); ++j)
          if (cs[j]->Kind == ControlKind::TrackBar && std::strcmp(cs[j]->Group, c.Group) == 0)
            values_[j].value = std::clamp(value, values_[j].min, values_[j].max);
      }
      break;
    }
    case ControlKind::CheckBox: v.value = value; break;
    case ControlKind::RadioButton: {
      if (value == 0) return std::string(name) + ": a radio button is chosen with 1, not cleared";
      for (std::size_t j = 0; j < cs.size(); ++j)
        if (cs[j]->Kind == ControlKind::RadioButton && std::strcmp(cs[j]->Group, c.Group) == 0) values_[j].value = 0;
      v.value = 1;
      break;
    }
    case ControlKind::LinkBox: {
      const bool ticked = v.value == 0 && value == 1;
      v.value = value;
      if (ticked) {
        int first = -1;
        for (std::size_t j = 0; j < cs.size(); ++j) {
          if (cs[j]->Kind != ControlKind::TrackBar || std::strcmp(cs[j]->Group, c.Name) != 0) continue;
          if (first < 0)
            first = values_[j].value;
          else
            values_[j].value = std::clamp(first, values_[j].min, values_[j].max);
        }
      }
      break;
    }
  }
  return "";
}

}  // namespace rv
