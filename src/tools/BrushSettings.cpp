#include "tools/BrushSettings.h"

#include <algorithm>
#include <string_view>

namespace rv {

namespace {

std::function<void(int, const char*, int)>& Listener() {
  static std::function<void(int, const char*, int)> listener;
  return listener;
}

// Calls fn with the options struct of the tool's window; false for other tools.
template <class Fn>
bool WithOptions(int toolId, Fn&& fn) {
  BrushToolSettings& s = BrushSettings();
  switch (toolId) {
    case kToolSpray: fn(s.Spray); return true;
    case kToolEnlight: fn(s.Enlight); return true;
    case kToolDarker: fn(s.Darker); return true;
    case kToolBlur: fn(s.Blur); return true;
    case kToolGray: fn(s.Gray); return true;
    case kToolStamp: fn(s.Stamp); return true;
    case kToolSharp: fn(s.Sharp); return true;
    case kToolRedEye: fn(s.RedEye); return true;
    case kToolCorrectionBrush: fn(s.CorrectionBrush); return true;
    case kToolBrushHistory: fn(s.BrushHistory); return true;
    case kToolBrush: fn(s.Brush); return true;
    case kToolBucket: fn(s.Bucket); return true;
    case kToolColorBrush: fn(s.ColorBrush); return true;
    case kToolColorChange: fn(s.ColorChange); return true;
    default: return false;
  }
}

// The integer field of a control; nullptr when the struct has none of that name.
template <class Options>
int* IntField(Options& o, std::string_view name) {
  if (name == "Wielkosc") return &o.Wielkosc;
  if (name == "Przezroczystosc") return &o.Przezroczystosc;
  if (name == "Twardosc") return &o.Twardosc;
  if (name == "Tryb") return &o.Tryb;
  if constexpr (requires { o.TypeBox; })
    if (name == "TypeBox") return &o.TypeBox;
  if constexpr (requires { o.Gestosc; })
    if (name == "Gestosc") return &o.Gestosc;
  if constexpr (requires { o.Moc; })
    if (name == "Moc") return &o.Moc;
  if constexpr (requires { o.Tolerant; })
    if (name == "Tolerant") return &o.Tolerant;
  if constexpr (requires { o.CanalR; }) {
    if (name == "CanalR") return &o.CanalR;
    if (name == "CanalG") return &o.CanalG;
    if (name == "CanalB") return &o.CanalB;
  }
  return nullptr;
}

// A check box, or one button of a radio pair held as one flag that is true
// while the pair's first button is selected.
struct FlagField {
  bool* Flag = nullptr;
  bool First = true;   // the flag's value when this button is selected
  bool Radio = false;
};

template <class Options>
FlagField BoolField(Options& o, std::string_view name) {
  if constexpr (requires { o.Scal; })
    if (name == "Scal") return {&o.Scal};
  if constexpr (requires { o.BoxNewHistory; }) {
    if (name == "BoxNewHistory") return {&o.BoxNewHistory};
    if (name == "RadioBack") return {&o.RadioBack, true, true};
    if (name == "RadioStart") return {&o.RadioBack, false, true};
  }
  if constexpr (requires { o.Gora; }) {
    if (name == "gora") return {&o.Gora, true, true};
    if (name == "dol") return {&o.Gora, false, true};
    if (name == "lewo") return {&o.Lewo, true, true};
    if (name == "prawo") return {&o.Lewo, false, true};
  }
  return {};
}

}  // namespace

BrushToolSettings& BrushSettings() {
  static BrushToolSettings settings;
  return settings;
}

int* BrushControl(int toolId, const char* name) {
  const std::string_view n = name;
  if (n != "Wielkosc" && n != "Przezroczystosc") return nullptr;
  int* field = nullptr;
  WithOptions(toolId, [&](auto& o) { field = IntField(o, n); });
  return field;
}

bool SetBrushValue(int toolId, const char* name, int value) {
  bool known = false;
  WithOptions(toolId, [&](auto& o) {
    if (int* i = IntField(o, name)) {
      *i = value;
      known = true;
      return;
    }
    const FlagField f = BoolField(o, name);
    if (!f.Flag) return;
    known = true;
    if (!f.Radio)
      *f.Flag = value != 0;
    else if (value != 0)  // the pair's other button reports its own selection
      *f.Flag = f.First;
  });
  return known;
}

std::optional<int> BrushValue(int toolId, const char* name) {
  std::optional<int> v;
  WithOptions(toolId, [&](auto& o) {
    if (const int* i = IntField(o, name)) {
      v = *i;
      return;
    }
    const FlagField f = BoolField(o, name);
    if (f.Flag) v = *f.Flag == f.First ? 1 : 0;
  });
  return v;
}

int StepBrushControl(int toolId, const char* name, int step) {
  int* value = BrushControl(toolId, name);
  const BrushToolDecl* decl = FindBrushTool(toolId);
  const ControlDecl* control = decl ? decl->Find(name) : nullptr;
  if (!value || !control) return 0;
  *value = std::clamp(*value + step, control->Min, control->Max);
  if (Listener()) Listener()(toolId, name, *value);
  return *value;
}

void SetBrushControlListener(std::function<void(int, const char*, int)> listener) {
  Listener() = std::move(listener);
}

}  // namespace rv
