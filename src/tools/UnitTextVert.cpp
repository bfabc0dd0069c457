#include "tools/UnitTextVert.h"

namespace rv {

TFormTextVert* FormTextVert = nullptr;

TFormTextVert::TFormTextVert(QWidget* parent)
    : TFormFigure(FigureKind::TextVert, 13, QStringLiteral("Opcje tekstu pionowego"), QStringLiteral("Tekst pionowy"), parent) {
  setObjectName(QStringLiteral("FormTextVert"));
}

}  // namespace rv
