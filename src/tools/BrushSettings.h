// The values of the fourteen brush option windows, shared by the windows and
// the document window. A window writes its controls here on every change; a
// change made elsewhere (the wheel over the picture) goes through
// StepBrushControl, which tells the window to show it.
#pragma once

#include <functional>
#include <optional>

#include "tools/core/BrushDabs.h"

namespace rv {

BrushToolSettings& BrushSettings();

// Wielkosc or Przezroczystosc of the tool's window (nullptr for any other
// name or a tool that is not a brush).
int* BrushControl(int toolId, const char* name);

// Any control of the tool's window by name, as the window shows it: track
// bars and lists by position, check boxes 0 or 1, a radio button 1 while
// selected (setting a radio button to 0 changes nothing: its partner's 1
// does). False or nothing for a name the window does not have.
bool SetBrushValue(int toolId, const char* name, int value);
std::optional<int> BrushValue(int toolId, const char* name);

// Moves the tool's control by step, clamped to its declared range, then calls
// the listener. Returns the new value (0 when the tool has no such control).
int StepBrushControl(int toolId, const char* name, int step);

// The option windows listen to show a value changed by StepBrushControl.
void SetBrushControlListener(std::function<void(int toolId, const char* name, int value)> listener);

}  // namespace rv
