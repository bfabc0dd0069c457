#include "tools/UnitRectangleRound.h"

namespace rv {

TFormRectangleRound* FormRectangleRound = nullptr;

TFormRectangleRound::TFormRectangleRound(QWidget* parent)
    : TFormFigure(FigureKind::RoundRect, 7, QStringLiteral("Opcje prostokąta zaokrąglonego"), QStringLiteral("Prostokąt zaokrąglony"), parent) {
  setObjectName(QStringLiteral("FormRectangleRound"));
}

}  // namespace rv
