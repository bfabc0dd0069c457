#include "tools/core/BrushOptions.h"

#include <cstring>

namespace rv {

const int kBrushToolIds[14] = {kToolSpray,  kToolEnlight, kToolDarker,          kToolBlur,
                               kToolGray,   kToolStamp,   kToolSharp,           kToolRedEye,
                               kToolCorrectionBrush,      kToolBrushHistory,    kToolBrush,
                               kToolBucket, kToolColorBrush, kToolColorChange};

bool IsBrushTool(int toolId) { return FindBrushTool(toolId) != nullptr; }

const ControlDecl* BrushToolDecl::Find(const char* name) const {
  for (const ControlDecl& c : Controls)
    if (std::strcmp(c.Name, name) == 0) return &c;
  return nullptr;
}

namespace {

ControlDecl Size() { return Track("Wielkosc", "Wielkość:", 1, 150, 75); }
ControlDecl Transparency() { return Track("Przezroczystosc", "Przezroczystość:", 0, 100, 100); }
ControlDecl Hardness(int def = 1) { return Track("Twardosc", "Twardość:", 0, 100, def); }

// The three channel sliders with their "Scal suwaki" box.
void Channels(std::vector<ControlDecl>& c, int min, bool linked) {
  c.push_back(Track("CanalR", "Kanał czerwony", min, 255, 0, "Scal"));
  c.push_back(Track("CanalG", "Kanał zielony", min, 255, 0, "Scal"));
  c.push_back(Track("CanalB", "Kanał niebieski", min, 255, 0, "Scal"));
  c.push_back(Link("Scal", linked));
}

BrushToolDecl Plain(int id, const char* cls, const char* caption, const char* hint, const char* label,
                    bool onDrag) {
  return {id, cls, caption, hint, label, true, false, onDrag, {Size(), Transparency(), Hardness()}};
}

std::vector<BrushToolDecl> BuildDecls() {
  std::vector<BrushToolDecl> v;
  {
    BrushToolDecl d = Plain(kToolSpray, "TFormSpray", "Opcje Spreja", "Sprej", "Sprej", true);
    d.Controls.push_back(Track("Gestosc", "Gęstość", 0, 100, 100));
    v.push_back(d);
  }
  {
    BrushToolDecl d = Plain(kToolEnlight, "TFormEnlight", "Opcje pędzla jasności", "Pędzel rozjaśniania",
                            "Pędzel jasności", true);
    d.HasTypeBox = true;
    Channels(d.Controls, 0, true);
    v.push_back(d);
  }
  {
    BrushToolDecl d = Plain(kToolDarker, "TFormDarker", "Opcje pędzla ściemnienia", "Pędzel przyciemniania",
                            "Pędzel ściemniania", true);
    d.HasTypeBox = true;
    Channels(d.Controls, 0, true);
    v.push_back(d);
  }
  {
    BrushToolDecl d =
        Plain(kToolBlur, "TFormBlur", "Opcje pędzla rozmycia", "Pędzel rozmycia", "Pędzel rozmycia", true);
    d.Controls.push_back(Track("Moc", "Moc:", 2, 6, 4));
    v.push_back(d);
  }
  v.push_back(Plain(kToolGray, "TFormGray", "Opcje pędzla szarości", "Pędzel szarości", "Pędzel szarości", true));
  v.push_back(Plain(kToolStamp, "TFormStamp", "Opcje Stempla", "Stempel", "Stempel", true));
  v.push_back(Plain(kToolSharp, "TFormSharp", "Opcje wyostrzania", "Wyostrzanie", "Pędzel wyostrzania", true));
  v.push_back(Plain(kToolRedEye, "TFormRedEye", "Usuwanie efektu czerwonych oczu", "Korekcja czerwonych oczu",
                    "Usuwanie czerwonych oczu", false));
  {
    BrushToolDecl d = Plain(kToolCorrectionBrush, "TFormCorrectionBrush", "Pędzel korygujący", "Pędzel korygujący",
                            "Pędzel korygujący", false);
    d.Controls.push_back(Radio("gora", "Góra", "pion", true));
    d.Controls.push_back(Radio("dol", "Dół", "pion", false));
    d.Controls.push_back(Radio("lewo", "Lewo", "poziom", true));
    d.Controls.push_back(Radio("prawo", "Prawo", "poziom", false));
    v.push_back(d);
  }
  {
    BrushToolDecl d = Plain(kToolBrushHistory, "TFormBrushHistory", "Opcje pędzla historii", "Pędzel historii",
                            "Pędzel historii", true);
    d.Controls.push_back(Radio("RadioBack", "Historia wstecz", "zrodlo", true));
    d.Controls.push_back(Radio("RadioStart", "Wersja początkowa", "zrodlo", false));
    d.Controls.push_back(Check("BoxNewHistory", "Dodać zmiany do historii", false));
    v.push_back(d);
  }
  v.push_back(Plain(kToolBrush, "TFormBrush", "Opcje Pędzla", "Pędzel", "Pędzel", true));
  {
    BrushToolDecl d = Plain(kToolBucket, "TFormBucket", "Opcje wiadra", "Wiadro", "Wiadro", false);
    d.Controls[2] = Hardness(100);
    d.Controls.push_back(Track("Tolerant", "Tolerancja:", 0, 255, 100));
    v.push_back(d);
  }
  v.push_back(Plain(kToolColorBrush, "TFormColorBrush", "Opcje pędzla zmiany barwy", "Pędzel zmiany barwy",
                    "Pędzel zmiany barwy", true));
  {
    BrushToolDecl d = Plain(kToolColorChange, "TFormColorChange", "Opcje zmiany koloru", "Pędzel zmiany koloru",
                            "Pędzel zmiany koloru", true);
    Channels(d.Controls, -255, false);
    v.push_back(d);
  }
  return v;
}

}  // namespace

const BrushToolDecl* FindBrushTool(int toolId) {
  static const std::vector<BrushToolDecl> decls = BuildDecls();
  for (const BrushToolDecl& d : decls)
    if (d.ToolId == toolId) return &d;
  return nullptr;
}

}  // namespace rv
