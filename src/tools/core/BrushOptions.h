// Settings of the fourteen brush tools, one plain struct per option window,
// with the ranges and defaults the windows show. The windows fill a struct
// from their controls before every dab.
#pragma once

#include <vector>

#include "filters/registry/FilterRegistry.h"

namespace rv {

// Tool numbers of the palette that paint in dabs.
enum BrushToolId : int {
  kToolSpray = 16,
  kToolEnlight = 17,
  kToolDarker = 18,
  kToolBlur = 19,
  kToolGray = 20,
  kToolStamp = 21,
  kToolSharp = 22,
  kToolRedEye = 25,
  kToolCorrectionBrush = 26,
  kToolBrushHistory = 27,
  kToolBrush = 28,
  kToolBucket = 29,
  kToolColorBrush = 30,
  kToolColorChange = 33,
};

// All fourteen, in the order of their tool numbers.
extern const int kBrushToolIds[14];
bool IsBrushTool(int toolId);

struct BrushOptions {  // TFormBrush
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

struct SprayOptions {  // TFormSpray
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  int Gestosc = 100;
};

struct ColorChangeOptions {  // TFormColorChange; the channel sliders run -255..255
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  int CanalR = 0;
  int CanalG = 0;
  int CanalB = 0;
  bool Scal = false;
};

// TFormEnlight and TFormDarker: channel amounts 0..255 turned into an effect
// amount by TypeBox, added (lighten) or subtracted (darken).
struct EnlightOptions {
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  int TypeBox = 0;
  int CanalR = 0;
  int CanalG = 0;
  int CanalB = 0;
  bool Scal = true;
};
using DarkerOptions = EnlightOptions;

struct SharpOptions {  // TFormSharp
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

struct GrayOptions {  // TFormGray
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

struct BrushHistoryOptions {  // TFormBrushHistory
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  bool RadioBack = true;   // "Historia wstecz"; otherwise RadioStart, "Wersja początkowa"
  bool BoxNewHistory = false;
};

struct BlurOptions {  // TFormBlur
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  int Moc = 4;
};

struct ColorBrushOptions {  // TFormColorBrush, the hue brush
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

struct RedEyeOptions {  // TFormRedEye
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

struct CorrectionBrushOptions {  // TFormCorrectionBrush
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
  bool Gora = true;  // "Góra" selected, else "Dół"
  bool Lewo = true;  // "Lewo" selected, else "Prawo"
};

struct BucketOptions {  // TFormBucket
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 100;
  int Tryb = 0;
  int Tolerant = 100;
};

struct StampOptions {  // TFormStamp
  int Wielkosc = 75;
  int Przezroczystosc = 100;
  int Twardosc = 1;
  int Tryb = 0;
};

// What the option window of a brush tool holds, for building the window: its
// class and caption, whether it has the "Tryb:" and "Rodzaj:" lists, and its
// controls with names, captions, ranges and defaults (Wielkosc and
// Przezroczystosc first, in every window).
struct BrushToolDecl {
  int ToolId;
  const char* WindowClass;   // "TFormBrush"
  const char* Caption;       // "Opcje Pędzla"
  const char* ToolHint;      // the palette icon's hint, "Pędzel"
  const char* HistoryLabel;  // label of the stroke's history entry, "Pędzel"
  bool HasTryb;
  bool HasTypeBox;
  bool DabsOnDrag;  // a left-button drag paints further dabs
  std::vector<ControlDecl> Controls;

  const ControlDecl* Find(const char* name) const;
};

// The declaration of a brush tool's window; nullptr for any other tool number.
const BrushToolDecl* FindBrushTool(int toolId);

}  // namespace rv
