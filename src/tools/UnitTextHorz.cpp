#include "tools/UnitTextHorz.h"

namespace rv {

TFormTextHorz* FormTextHorz = nullptr;

TFormTextHorz::TFormTextHorz(QWidget* parent)
    : TFormFigure(FigureKind::TextHorz, 12, QStringLiteral("Opcje tekstu poziomego"), QStringLiteral("Tekst poziomy"), parent) {
  setObjectName(QStringLiteral("FormTextHorz"));
}

}  // namespace rv
