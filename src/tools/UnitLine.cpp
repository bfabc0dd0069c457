#include "tools/UnitLine.h"

namespace rv {

TFormLine* FormLine = nullptr;

TFormLine::TFormLine(QWidget* parent)
    : TFormFigure(FigureKind::Line, 10, QStringLiteral("Opcje linii"), QStringLiteral("Linia prosta"), parent) {
  setObjectName(QStringLiteral("FormLine"));
}

}  // namespace rv
