#include "tools/UnitElipsy.h"

namespace rv {

TFormElipsy* FormElipsy = nullptr;

TFormElipsy::TFormElipsy(QWidget* parent)
    : TFormFigure(FigureKind::Ellipse, 6, QStringLiteral("Opcje elipsy"), QStringLiteral("Elipsa"), parent) {
  setObjectName(QStringLiteral("FormElipsy"));
}

}  // namespace rv
