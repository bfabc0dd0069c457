#include "filters/FilterDialogs.h"

#include <cstring>

#include "app/UnitHome.h"
#include "filters/UnitAligment.h"
#include "filters/UnitAnalg.h"
#include "filters/UnitBalanceColor.h"
#include "filters/UnitBlurFilter.h"
#include "filters/UnitBreak.h"
#include "filters/UnitChangeSize.h"
#include "filters/UnitContours.h"
#include "filters/UnitContrast.h"
#include "filters/UnitDark.h"
#include "filters/UnitDeleteNoise.h"
#include "filters/UnitDif.h"
#include "filters/UnitDomed.h"
#include "filters/UnitEdges.h"
#include "filters/UnitEdgesGradient.h"
#include "filters/UnitExposure.h"
#include "filters/UnitExtension.h"
#include "filters/UnitFeather.h"
#include "filters/UnitFill.h"
#include "filters/UnitFilterImPos.h"
#include "filters/UnitFrag.h"
#include "filters/UnitGamma.h"
#include "filters/UnitGradientPoint.h"
#include "filters/UnitGradientWidth.h"
#include "filters/UnitGrayFilter.h"
#include "filters/GeometryCommands.h"
#include "filters/UnitHP.h"
#include "filters/UnitHeave.h"
#include "filters/UnitHeight.h"
#include "filters/UnitHold.h"
#include "filters/UnitHue.h"
#include "filters/UnitImposition.h"
#include "filters/UnitLaplace.h"
#include "filters/UnitLayer.h"
#include "filters/UnitLight.h"
#include "filters/UnitMax.h"
#include "filters/UnitMedian.h"
#include "filters/UnitMin.h"
#include "filters/UnitMozaic.h"
#include "filters/UnitNegativ.h"
#include "filters/UnitNoise.h"
#include "filters/UnitPatchwork.h"
#include "filters/UnitPosterize.h"
#include "filters/UnitSaturaton.h"
#include "filters/UnitScreening.h"
#include "filters/UnitSelective.h"
#include "filters/UnitSepia.h"
#include "filters/UnitShadow.h"
#include "filters/UnitShift.h"
#include "filters/UnitSulfur.h"
#include "filters/UnitTexture.h"
#include "filters/UnitVignette.h"
#include "filters/UnitWetPaper.h"
#include "filters/UnitWidth.h"
#include "filters/UnitWind.h"

namespace rv {

namespace {

QList<TFormFilter*>& Dialogs() {
  static QList<TFormFilter*> list;
  return list;
}

// The overlay dialogs are opened by the picture and texture commands, which
// first choose and load the overlay; their items are not the plain command.
bool PlainCommand(const char* dialogClass) {
  return std::strcmp(dialogClass, "TFormFilterImPos") != 0 && std::strcmp(dialogClass, "TFormTexture") != 0;
}

// A dialog exists once its filter is in the registry.
template <class T>
void Create(T*& global, const char* dialogClass, QWidget* parent) {
  const FilterDecl* decl = FindDialogDecl(dialogClass);
  if (!decl) return;
  global = new T(*decl, parent);
  TFormFilter* d = global;
  Dialogs().append(d);
  if (FormHome && PlainCommand(dialogClass))
    FormHome->Menus().ConnectCommand(QString::fromLatin1(dialogClass), [d] { d->FilterCommand(); });
}

}  // namespace

const QList<TFormFilter*>& FilterDialogs() { return Dialogs(); }

void CreateFilterDialogs(QWidget* parent) {
  // The mirrors and turns have no window; their items act at once.
  ConnectGeometryCommands();
  Create(FormFill, "TFormFill", parent);
  Create(FormLight, "TFormLight", parent);
  Create(FormDark, "TFormDark", parent);
  Create(FormContrast, "TFormContrast", parent);
  Create(FormGamma, "TFormGamma", parent);
  Create(FormBalanceColor, "TFormBalanceColor", parent);
  Create(FormSaturaton, "TFormSaturaton", parent);
  Create(FormGrayFilter, "TFormGrayFilter", parent);
  Create(FormExposure, "TFormExposure", parent);
  Create(FormHold, "TFormHold", parent);
  Create(FormPosterize, "TFormPosterize", parent);
  Create(FormNegativ, "TFormNegativ", parent);
  Create(FormNoise, "TFormNoise", parent);
  Create(FormBlurFilter, "TFormBlurFilter", parent);
  Create(FormMin, "TFormMin", parent);
  Create(FormMax, "TFormMax", parent);
  Create(FormShadow, "TFormShadow", parent);
  Create(FormLayer, "TFormLayer", parent);
  Create(FormSelective, "TFormSelective", parent);
  Create(FormDeleteNoise, "TFormDeleteNoise", parent);
  Create(FormSulfur, "TFormSulfur", parent);
  Create(FormScreening, "TFormScreening", parent);
  Create(FormWind, "TFormWind", parent);
  Create(FormDif, "TFormDif", parent);
  Create(FormSepia, "TFormSepia", parent);
  Create(FormVignette, "TFormVignette", parent);
  Create(FormMozaic, "TFormMozaic", parent);
  FormChangeSize = new TFormChangeSize(parent);
  if (FormHome) FormHome->Menus().ConnectCommand(QStringLiteral("TFormChangeSize"), [] { FormChangeSize->ChangeSizeCommand(); });
  Create(FormHue, "TFormHue", parent);
  Create(FormWidth, "TFormWidth", parent);
  Create(FormHeight, "TFormHeight", parent);
  FormImposition = new TFormImposition(parent);
  Create(FormFilterImPos, "TFormFilterImPos", parent);
  Create(FormTexture, "TFormTexture", parent);
  if (FormHome && FormFilterImPos)
    FormHome->Menus().ConnectCommand(QStringLiteral("TFormImposition"), [] { FormImposition->ImpositionCommand(); });
  if (FormHome && FormTexture)
    FormHome->Menus().ConnectCommand(QStringLiteral("TFormTexture"), [] { FormTexture->TextureCommand(); });
  Create(FormShift, "TFormShift", parent);
  Create(FormWetPaper, "TFormWetPaper", parent);
  Create(FormHeave, "TFormHeave", parent);
  Create(FormAnalg, "TFormAnalg", parent);
  Create(FormFrag, "TFormFrag", parent);
  Create(FormBreak, "TFormBreak", parent);
  Create(FormMedian, "TFormMedian", parent);
  Create(FormEdges, "TFormEdges", parent);
  Create(FormHP, "TFormHP", parent);
  Create(FormEdgesGradient, "TFormEdgesGradient", parent);
  Create(FormDomed, "TFormDomed", parent);
  Create(FormLaplace, "TFormLaplace", parent);
  Create(FormContours, "TFormContours", parent);
  Create(FormFeather, "TFormFeather", parent);
}

void CreateLateFilterDialogs(QWidget* parent) {
  Create(FormExtension, "TFormExtension", parent);
  Create(FormAligment, "TFormAligment", parent);
  Create(FormPatchwork, "TFormPatchwork", parent);
  Create(FormGradientWidth, "TFormGradientWidth", parent);
  Create(FormGradientPoint, "TFormGradientPoint", parent);
}

}  // namespace rv
