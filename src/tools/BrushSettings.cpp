#include "tools/BrushSettings.h"

#include <algorithm>
#include <cstring>

namespace rv {

namespace {

std::function<void(int, const char*, int)>& Listener() {
  static std::function<void(int, const char*, int)> listener;
  return listener;
}

template <class Options>
int* Field(Options& o, const char* name) {
  if (std::strcmp(name, "Wielkosc") == 0) return &o.Wielkosc;
  if (std::strcmp(name, "Przezroczystosc") == 0) return &o.Przezroczystosc;
  return nullptr;
}

}  // namespace

BrushToolSettings& BrushSettings() {
  static BrushToolSettings settings;
  return settings;
}

int* BrushControl(int toolId, const char* name) {
  BrushToolSettings& s = BrushSettings();
  switch (toolId) {
    case kToolSpray: return Field(s.Spray, name);
    case kToolEnlight: return Field(s.Enlight, name);
    case kToolDarker: return Field(s.Darker, name);
    case kToolBlur: return Field(s.Blur, name);
    case kToolGray: return Field(s.Gray, name);
    case kToolStamp: return Field(s.Stamp, name);
    case kToolSharp: return Field(s.Sharp, name);
    case kToolRedEye: return Field(s.RedEye, name);
    case kToolCorrectionBrush: return Field(s.CorrectionBrush, name);
    case kToolBrushHistory: return Field(s.BrushHistory, name);
    case kToolBrush: return Field(s.Brush, name);
    case kToolBucket: return Field(s.Bucket, name);
    case kToolColorBrush: return Field(s.ColorBrush, name);
    case kToolColorChange: return Field(s.ColorChange, name);
    default: return nullptr;
  }
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
