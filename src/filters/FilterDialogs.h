// The filter dialogs: one generic dialog built from each filter's declaration,
// created once at start-up in the program's order and reached from its items
// in both menus. The list below is the one place that names them; each name
// gives the window class TForm<name> and its instance Form<name>.
#pragma once

#include <QList>

#include "filters/UnitFilterDialog.h"

class QWidget;

// In the order of creation. F(name) is a dialog of the common design; W(name)
// is a window of its own (TFormChangeSize, TFormImposition) made at that place.
#define RV_FILTER_DIALOGS(F, W)                                                                                   \
  F(Fill) F(Light) F(Dark) F(Contrast) F(Gamma) F(BalanceColor) F(Saturaton) F(GrayFilter) F(Exposure) F(Hold)  \
  F(Posterize) F(Negativ) F(Noise) F(BlurFilter) F(Min) F(Max) F(Shadow) F(Layer) F(Selective) F(DeleteNoise)    \
  F(Sulfur) F(Screening) F(Wind) F(Dif) F(Sepia) F(Vignette) F(Mozaic) W(ChangeSize) F(Hue) F(Width) F(Height)   \
  W(Imposition) F(FilterImPos) F(Texture) F(Shift) F(WetPaper) F(Heave) F(Analg) F(Frag) F(Break) F(Median)      \
  F(Edges) F(HP) F(EdgesGradient) F(Domed) F(Laplace) F(Contours) F(Feather)
// Those created after the welcome screen.
#define RV_LATE_FILTER_DIALOGS(F) F(Extension) F(Aligment) F(Patchwork) F(GradientWidth) F(GradientPoint)

namespace rv {

#define RV_DECLARE_FILTER_DIALOG(name)             \
  class TForm##name final : public TFormFilter {   \
   public:                                         \
    using TFormFilter::TFormFilter;                \
  };                                               \
  extern TForm##name* Form##name;
#define RV_OWN_WINDOW(name)
RV_FILTER_DIALOGS(RV_DECLARE_FILTER_DIALOG, RV_OWN_WINDOW)
RV_LATE_FILTER_DIALOGS(RV_DECLARE_FILTER_DIALOG)
#undef RV_DECLARE_FILTER_DIALOG
#undef RV_OWN_WINDOW

// Creates the windows of the first list, and connects their menu items.
void CreateFilterDialogs(QWidget* parent);
// Those of the late list.
void CreateLateFilterDialogs(QWidget* parent);
// Every filter dialog made so far, in creation order.
const QList<TFormFilter*>& FilterDialogs();

}  // namespace rv
