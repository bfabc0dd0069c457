#include "filters/FilterDialogs.h"

#include "app/UnitHome.h"
#include "filters/UnitContrast.h"
#include "filters/UnitDark.h"
#include "filters/UnitExposure.h"
#include "filters/UnitFill.h"
#include "filters/UnitGamma.h"
#include "filters/UnitHold.h"
#include "filters/UnitLight.h"
#include "filters/UnitNegativ.h"
#include "filters/UnitPosterize.h"

namespace rv {

namespace {

QList<TFormFilter*>& Dialogs() {
  static QList<TFormFilter*> list;
  return list;
}

template <class T>
void Create(T*& global, QWidget* parent) {
  global = new T(parent);
  TFormFilter* d = global;
  Dialogs().append(d);
  if (FormHome)
    FormHome->Menus().ConnectCommand(QString::fromLatin1(d->Decl().DialogClass), [d] { d->FilterCommand(); });
}

}  // namespace

const QList<TFormFilter*>& FilterDialogs() { return Dialogs(); }

void CreateFilterDialogs(QWidget* parent) {
  Create(FormFill, parent);
  Create(FormLight, parent);
  Create(FormDark, parent);
  Create(FormContrast, parent);
  Create(FormGamma, parent);
  Create(FormExposure, parent);
  Create(FormHold, parent);
  Create(FormPosterize, parent);
  Create(FormNegativ, parent);
}

void CreateLateFilterDialogs(QWidget*) {}

}  // namespace rv
