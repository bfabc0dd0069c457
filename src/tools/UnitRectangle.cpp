#include "tools/UnitRectangle.h"

namespace rv {

TFormRectangle* FormRectangle = nullptr;

TFormRectangle::TFormRectangle(QWidget* parent)
    : TFormFigure(FigureKind::Rectangle, 5, QStringLiteral("Opcje prostokąta"), QStringLiteral("Prostokąt"), parent) {
  setObjectName(QStringLiteral("FormRectangle"));
}

}  // namespace rv
