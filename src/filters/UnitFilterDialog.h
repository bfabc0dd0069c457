// The filter dialog every filter with the common design is run from: a live
// preview of part of the picture on the left, the blend mode, the effect mode,
// the filter's own controls and the transparency on the right, and OK, which
// runs the filter over the whole picture with a progress bar and a cancel
// button. The dialog is built from the filter's registry declaration; the
// member classes (TFormContrast, ...) are listed in FilterDialogs.h.
#pragma once

#include <QDialog>
#include <QList>
#include <QPoint>
#include <QString>

#include "engine/Progress.h"
#include "filters/registry/FilterRegistry.h"
#include "filters/registry/FilterRun.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace rv {

namespace ui {
class ImageControl;
class TrackBar;
}  // namespace ui

// The dialog's progress bar as the kernels see it: each step of a full run
// first lets the event loop handle what is pending (repaints, the cancel click).
class CProgressBar : public CProgress {
 public:
  explicit CProgressBar(QProgressBar* bar = nullptr) : bar_(bar) {}
  void Attach(QProgressBar* bar) { bar_ = bar; }
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
  int Position() const override;
  void ProcessEvents() override;

 private:
  QProgressBar* bar_ = nullptr;
};

// Pan rules of the preview (picture coordinates).
struct PreviewRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};
// The region of a w x h picture around the centre, clipped to the picture.
PreviewRect PreviewRegion(int cx, int cy, int halfSize, int w, int h);
// Top-left corner of the preview region for the centre.
QPoint PreviewRegionOrigin(int cx, int cy, int halfSize);

class TFormFilter : public QDialog {
  Q_OBJECT
 public:
  // Screen pixels of pointer movement pan the preview by this many picture pixels.
  static constexpr int kDragFactor = 6;

  TFormFilter(const FilterDecl& decl, QWidget* parent = nullptr);

  const FilterDecl& Decl() const { return decl_; }
  int PreviewHalfSize() const { return decl_.PreviewHalfSize; }

  // Common controls (null where the filter has none).
  QFrame* PanelPreview = nullptr;
  ui::ImageControl* ImageViewUser = nullptr;
  ui::ImageControl* ImageBuf = nullptr;
  QFrame* PanelSlide = nullptr;
  ui::TrackBar* OSX = nullptr;
  ui::TrackBar* OSY = nullptr;
  QScrollArea* ScrollBox2 = nullptr;
  QComboBox* Tryb = nullptr;
  QComboBox* TypeBox = nullptr;
  ui::TrackBar* Przezroczystosc = nullptr;
  QLabel* PrzezroczystoscLabel = nullptr;
  QProgressBar* Progress = nullptr;
  QLabel* Cancel1 = nullptr;
  QLabel* Cancel2 = nullptr;
  QPushButton* OK = nullptr;
  QPushButton* Anuluj = nullptr;

  // The filter's own controls by name ("CanalR", "Scal", "Mono").
  ui::TrackBar* Bar(const QString& name) const;
  QLabel* ValueLabel(const QString& name) const;  // the value label of a track bar
  QCheckBox* Box(const QString& name) const;      // check and link boxes
  QRadioButton* Radio(const QString& name) const;
  // The values of the own controls (and of the opening window's) as the kernel gets them.
  FilterSettings Settings() const;
  // What the opening window chose ("AutoDopasowanie"), kept for the runs.
  void SetOpeningValue(const QString& name, int value);
  // The full run's operation: the controls' values, the modes, the
  // transparency and the active channel.
  FilterOperation Operation() const;
  // The mean colour of the loaded overlay (the texture), measured at its load.
  Rgb TextureMean{0, 0, 0};
  // Ranges and positions of the own controls from settings (a command's set-up).
  void ApplySettings(const FilterSettings& values);

  // The filter command: set-up, preview, one preview run, modal show.
  void FilterCommand();
  // Its last step: centred on the main window (or the screen), modal.
  void ShowCentred();
  void PreparePreview(int width, int height);
  void ExtractPreviewRegion(int cx, int cy);
  void DragPreview();
  void SetDialogBusy(bool busy);
  void CancelFilterDialog();
  void RunPreview();
  // OK: full run and commit, or the restore after a cancelled run.
  void OKClick();
  // The full run alone: the kernel from BackupImage into WorkImage with the
  // progress bar, yielding to the event loop once per row.
  void RunFullFilter();
  // The cancel button of a full run (its highlighted look).
  void Cancel2Click();

  bool Running() const { return running_; }
  // Preview runs since the dialog was made (for the linked-slider rule).
  int PreviewRuns() const { return previewRuns_; }
  QPoint DragAnchor() const { return anchor_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  struct OwnControl {
    const ControlDecl* Decl;
    QWidget* Widget;          // the track bar, check box or radio button
    QLabel* Value = nullptr;  // track bars
  };

  void Build();
  int BuildOwnControls(QWidget* column, int y);
  int AddTrackRow(QWidget* parent, int y, const ControlDecl& c, int index);
  void TrackChanged(int index);
  void LinkClicked(int index);
  QList<ui::TrackBar*> LinkGroup(const char* link) const;  // the bars tied by that link box
  FilterInputs Inputs() const;
  KernelContext PreviewContext() const;
  void ShowCancel(bool normal, bool highlighted);
  QList<QWidget*> BusyControls() const;

  const FilterDecl& decl_;
  QList<OwnControl> own_;
  QList<QButtonGroup*> radioGroups_;
  QList<QPair<QString, int>> opening_;  // the opening window's choices
  CProgressBar progress_;
  QPoint anchor_;
  bool running_ = false;
  bool dragging_ = false;
  int linkDepth_ = 0;  // linked bars being moved by another bar's handler
  int previewRuns_ = 0;
};

// The registry declaration of a dialog class ("TFormContrast"), or null.
const FilterDecl* FindDialogDecl(const char* dialogClass);

// The cancel button's two looks, 16 x 16.
QPixmap CancelImage(bool highlighted);

}  // namespace rv
