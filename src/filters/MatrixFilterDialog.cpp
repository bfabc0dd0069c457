#include "filters/MatrixFilterDialog.h"

#include <QRadioButton>

namespace rv {

TFormMatrixFilter::TFormMatrixFilter(const FilterDecl& decl, QWidget* parent)
    : TFormFilter(decl, parent), matrix_(rv::BuildMatrix(FilterSettings(decl))) {
  // A click on the button already chosen raises no toggle, but it still
  // rebuilds the matrix (which may be the opening preset).
  for (const ControlDecl& c : decl.Controls) {
    if (c.Kind != ControlKind::RadioButton) continue;
    connect(Radio(QString::fromLatin1(c.Name)), &QRadioButton::clicked, this, [this] {
      const FilterMatrix built = rv::BuildMatrix(Settings());
      if (built == matrix_) return;
      matrix_ = built;
      RunPreview();
    });
  }
}

void TFormMatrixFilter::BuildMatrix() { matrix_ = rv::BuildMatrix(Settings()); }

void TFormMatrixFilter::OpeningSetup() { matrix_ = OpeningMatrix(Settings()); }

}  // namespace rv
