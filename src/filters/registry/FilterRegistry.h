// One declaration per filter: what its dialog, its menu item, its history
// entry, the batch command and the help pages show, and the kernel it runs.
// Each filter's source file opens with its declaration.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filters/kernels/Kernel.h"

namespace rv {

enum class ControlKind {
  TrackBar,     // integer slider with a value label
  CheckBox,     // 0 or 1
  RadioButton,  // 0 or 1, exactly one per group is 1
  LinkBox,      // "Scal suwaki": while 1, the track bars of its group move together
};

struct ControlDecl {
  const char* Name;      // the control's name in the dialog ("CanalR", "Mono")
  ControlKind Kind;
  const char* Caption;   // as the dialog shows it
  int Min;
  int Max;
  int Default;
  // Track bars: the link box that ties them ("Scal"), or "" when free.
  // Radio buttons: the group they belong to.
  const char* Group;
  // Radio buttons set out in a grid within their group's block (row and
  // column from 0); a row of -1 puts each under the one before.
  int Row;
  int Column;
  // Check boxes: a click runs the preview; false for those that matter only at OK.
  bool Previews = true;
};

ControlDecl Track(const char* name, const char* caption, int min, int max, int def, const char* link = "");
ControlDecl Check(const char* name, const char* caption, bool def);
ControlDecl Radio(const char* name, const char* caption, const char* group, bool def);
ControlDecl Link(const char* name, bool def, const char* caption = "Scal suwaki");
// The control at a place of its group's grid.
ControlDecl Place(ControlDecl c, int row, int column);
// A check box whose click does not run the preview (it acts only after OK).
ControlDecl AtOkOnly(ControlDecl c);

class FilterSettings;
using FilterRunFn = void (*)(const KernelArgs& args, const FilterSettings& values);
// Sets the controls whose range or position the opening command takes from
// the picture (width, height).
using FilterPrepareFn = void (*)(FilterSettings& values, int width, int height);
// The same for the filters that lay a second picture over the first, once it
// is loaded: from the picture's and the overlay's size.
using FilterPrepareOverlayFn = void (*)(FilterSettings& values, int width, int height, int overlayWidth,
                                        int overlayHeight);
// Whether the loaded overlay is stretched to the picture's size.
using FilterStretchFn = bool (*)(const FilterSettings& values);
// What follows a completed full run: the picture the document then holds
// when the filter changes its size (the alignments' crop), or nothing.
using FilterFinishFn = std::optional<Bitmap> (*)(const Bitmap& result, const FilterSettings& values);

// A second picture the filter lays over the document, loaded from a file by
// its command before the dialog opens.
enum class OverlayUse {
  None,
  Placed,   // laid at a position the dialog's controls choose (its previews pan with it)
  Texture,  // stretched over the whole picture, its mean colour measured at the load
};

struct FilterDecl {
  const char* Stem;           // kernel stem: "Contrast" runs ApplyContrast
  const char* DialogClass;    // "TFormContrast"
  const char* MenuCaption;    // "Kontrast..."
  const char* Menu = "";      // the main menu the item stands in ("Filtry proste")
  const char* DialogCaption;  // "Opcje kontrastu"
  const char* HistoryLabel;   // "Kontrast"
  int PreviewHalfSize;        // H; 0 when the dialog has no preview
  bool HasTryb;
  bool HasTypeBox;
  bool HasTransparency;
  std::vector<ControlDecl> Controls;
  FilterRunFn Run;
  const char* Summary;  // one sentence for --list
  const char* Description = "";  // one Polish sentence for the help pages
  FilterPrepareFn Prepare = nullptr;
  // The dialog opens centred on the screen rather than on the main window.
  bool CentredOnScreen = false;
  OverlayUse Overlay = OverlayUse::None;
  // The window the menu command shows before the dialog ("TFormImposition"),
  // and its controls, which the run reads like the dialog's own.
  const char* OpeningWindow = "";
  std::vector<ControlDecl> OpeningControls = {};
  FilterPrepareOverlayFn PrepareOverlay = nullptr;
  FilterStretchFn StretchOverlay = nullptr;
  FilterFinishFn Finish = nullptr;
  // The help page's picture: the batch arguments that show the filter at work
  // where its defaults change little on a small picture, and whether it is
  // made with an elliptical selection (filters that work on its edge).
  std::vector<const char*> Example = {};
  bool ExampleWithSelection = false;

  bool HasPreview() const { return PreviewHalfSize > 0; }
  bool NeedsOverlay() const { return Overlay != OverlayUse::None; }
  // A control of the dialog or of its opening window.
  const ControlDecl* Find(std::string_view name) const;
};

// Every filter, in the order of the program's menus.
const std::vector<const FilterDecl*>& AllFilters();
const FilterDecl* FindFilter(std::string_view stem);

// The values of one dialog's own controls, with the dialog's rules for
// linked track bars and radio groups.
class FilterSettings {
 public:
  explicit FilterSettings(const FilterDecl& decl);

  const FilterDecl& Decl() const { return *decl_; }
  int Get(std::string_view name) const;
  bool Has(std::string_view name) const { return decl_->Find(name) != nullptr; }

  // Sets a control as the user would in the dialog: a track bar moves the
  // other bars of its group while their link box is ticked; ticking a link box
  // brings the group to its first bar's value; a radio button set to 1
  // selects itself in its group. Returns "" or the reason it was refused.
  std::string Set(std::string_view name, int value);

  // Changes a track bar's range as a command does (minimum first, then
  // maximum, each ignored when it would cross the other end), then clamps.
  void SetRange(std::string_view name, int min, int max);
  void SetPosition(std::string_view name, int value);  // clamped, no linking
  int Min(std::string_view name) const;
  int Max(std::string_view name) const;

 private:
  struct Value {
    int value;
    int min;
    int max;
  };
  int Index(std::string_view name) const;

  const FilterDecl* decl_;
  // The dialog's controls, then those of its opening window.
  std::vector<const ControlDecl*> controls_;
  std::vector<Value> values_;
};

}  // namespace rv
