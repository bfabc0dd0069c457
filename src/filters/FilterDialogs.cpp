#include "filters/FilterDialogs.h"

#include "app/UnitHome.h"
#include "filters/GeometryCommands.h"
#include "filters/UnitChangeSize.h"
#include "filters/UnitImposition.h"

namespace rv {

#define RV_DEFINE_FILTER_DIALOG(name) TForm##name* Form##name = nullptr;
#define RV_OWN_WINDOW(name)
RV_FILTER_DIALOGS(RV_DEFINE_FILTER_DIALOG, RV_OWN_WINDOW)
RV_LATE_FILTER_DIALOGS(RV_DEFINE_FILTER_DIALOG)
#undef RV_DEFINE_FILTER_DIALOG
#undef RV_OWN_WINDOW

namespace {

QList<TFormFilter*>& Dialogs() {
  static QList<TFormFilter*> list;
  return list;
}

void Connect(const char* command, std::function<void()> run) {
  if (FormHome) FormHome->Menus().ConnectCommand(QString::fromLatin1(command), std::move(run));
}

// A dialog exists once its filter is in the registry. The overlay filters'
// items first load the overlay (through the opening window where there is one).
template <class T>
void Create(T*& global, const char* dialogClass, QWidget* parent) {
  const FilterDecl* decl = FindDialogDecl(dialogClass);
  if (!decl) return;
  global = new T(*decl, parent);
  TFormFilter* d = global;
  Dialogs().append(d);
  switch (decl->Overlay) {
    case OverlayUse::None: Connect(dialogClass, [d] { d->FilterCommand(); }); break;
    case OverlayUse::Placed:
      if (!FormImposition) break;
      FormImposition->SetTarget(d);
      Connect(decl->OpeningWindow, [] { FormImposition->ImpositionCommand(); });
      break;
    case OverlayUse::Texture: Connect(dialogClass, [d] { TextureCommand(*d); }); break;
  }
}

void CreateChangeSize(QWidget* parent) {
  FormChangeSize = new TFormChangeSize(parent);
  Connect("TFormChangeSize", [] { FormChangeSize->ChangeSizeCommand(); });
}

void CreateImposition(QWidget* parent) { FormImposition = new TFormImposition(parent); }

}  // namespace

const QList<TFormFilter*>& FilterDialogs() { return Dialogs(); }

#define RV_CREATE_FILTER_DIALOG(name) Create(Form##name, "TForm" #name, parent);
#define RV_CREATE_OWN_WINDOW(name) Create##name(parent);

void CreateFilterDialogs(QWidget* parent) {
  // The mirrors and turns have no window; their items act at once.
  ConnectGeometryCommands();
  RV_FILTER_DIALOGS(RV_CREATE_FILTER_DIALOG, RV_CREATE_OWN_WINDOW)
}

void CreateLateFilterDialogs(QWidget* parent) { RV_LATE_FILTER_DIALOGS(RV_CREATE_FILTER_DIALOG) }

}  // namespace rv
