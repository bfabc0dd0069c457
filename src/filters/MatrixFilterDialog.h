// The six matrix dialogs: each holds its 3 x 3 matrix for the life of the
// program. Opening loads the dialog's preset, a click on a button (or a move
// of "Moc:") rebuilds it from the controls, and every run convolves with the
// matrix as it stands, so a reopened dialog can show one button while its
// matrix is still the preset.
#pragma once

#include "filters/UnitFilterDialog.h"
#include "filters/kernels/NeighbourKernels.h"

namespace rv {

class TFormMatrixFilter : public TFormFilter {
 public:
  TFormMatrixFilter(const FilterDecl& decl, QWidget* parent = nullptr);

  const FilterMatrix& Matrix() const { return matrix_; }
  // The dialog's BuildMatrix: the matrix of its buttons (and "Moc:").
  void BuildMatrix();

 protected:
  void OpeningSetup() override;
  void OwnBarChanged(const QString&) override { BuildMatrix(); }
  void OwnRadioChosen(const QString&) override { BuildMatrix(); }
  void AddToContext(KernelContext& c, bool) const override { c.Matrix = &matrix_; }

 private:
  FilterMatrix matrix_;
};

}  // namespace rv
