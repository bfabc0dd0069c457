#include "tools/UnitLineBezier.h"

namespace rv {

TFormLineBezier* FormLineBezier = nullptr;

TFormLineBezier::TFormLineBezier(QWidget* parent)
    : TFormFigure(FigureKind::Bezier, 11, QStringLiteral("Opcje linii beziera"), QStringLiteral("Linia Beziera"), parent) {
  setObjectName(QStringLiteral("FormLineBezier"));
}

}  // namespace rv
