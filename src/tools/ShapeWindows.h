// The option windows of the shape, text and framing tools. Each stays open
// while the user places its figure on the picture (the main window and the
// palettes are disabled meanwhile) and ends with OK or "Anuluj". The figure's
// points live in hidden sliders in picture coordinates, set by the document
// window's pointer events.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "filters/registry/FilterRegistry.h"
#include "tools/PointerTarget.h"
#include "tools/TextRaster.h"
#include "tools/core/ShapeCompose.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;

namespace rv {

namespace ui {
class TrackBar;
}

enum class FigureKind { Rectangle, Ellipse, RoundRect, Line, Bezier, TextHorz, TextVert };

// Everything a figure is drawn from.
struct FigureSpec {
  FigureKind Kind = FigureKind::Rectangle;
  QPoint P1;  // OSX, OSY: first corner, start or text origin
  QPoint P2;  // OSX2, OSY2: second corner, end of a line, the Bézier control point
  QPoint P3;  // OSX3, OSY3: corner ellipse (width, height) or the Bézier end
  int Size = 5;
  QColor Primary = Qt::black;
  QColor Secondary = Qt::white;
  ToolText Text;
};

// Draws the figure with the canvas settings of its kind (fill and pen
// colours, pen width, font), without antialiasing of the shapes.
void DrawFigure(QPainter& painter, const FigureSpec& figure);
// The pixels RenderShape looks at.
ShapeRegion FigureScanRegion(const FigureSpec& figure, int width, int height);
// The scratch of RenderShape: the region of backup with the figure drawn on it.
Bitmap DrawFigureScratch(const Bitmap& backup, const FigureSpec& figure, ShapeRegion region);

// What the shape, text and framing windows share: the coordinate sliders,
// OK and "Anuluj", the opening from the palette.
class TFormShapeOptions : public QWidget, public PointerTarget {
  Q_OBJECT
 public:
  TFormShapeOptions(int toolId, const QString& caption, const QString& historyLabel, QWidget* parent);

  ui::TrackBar* OSX;
  ui::TrackBar* OSY;
  ui::TrackBar* OSX2;
  ui::TrackBar* OSY2;
  ui::TrackBar* OSX3;
  ui::TrackBar* OSY3;
  QPushButton* OK;
  QPushButton* Anuluj;

  int ToolNumber() const { return toolId_; }
  const QString& HistoryLabel() const { return historyLabel_; }
  // The click on the tool's icon.
  void ToolClick();
  virtual void OKClick() = 0;
  virtual void AnulujClick() = 0;

 protected:
  // Ranges of the sliders from the picture, when the tool is picked.
  virtual void SetRanges(int width, int height);
  // The first drawing after the window opened.
  virtual void Start() = 0;
  // Sets a point (x, then y); true when it moved.
  static bool SetPoint(ui::TrackBar* x, ui::TrackBar* y, QPoint p);
  // A caption with a value label and a slider under them; returns the slider
  // (existing when given: a bar made before takes the declared caption).
  ui::TrackBar* AddBar(const ControlDecl& decl, ui::TrackBar* existing = nullptr);
  void AddRow(QWidget* left, QWidget* right = nullptr);
  void AddButtons();
  // The common end of OK and "Anuluj": the window closes, the main window
  // comes back, the cursor tool is picked.
  void Finish();

  QGridLayout* grid_;

 private:
  int toolId_;
  QString historyLabel_;
};

// Rectangle, ellipse, rounded rectangle, line, Bézier curve and the two
// texts: the figure is previewed on the display and rendered into the
// working picture through the blend mode, the opacity and the selection.
class TFormFigure : public TFormShapeOptions {
  Q_OBJECT
 public:
  TFormFigure(FigureKind kind, int toolId, const QString& caption, const QString& historyLabel, QWidget* parent);

  QComboBox* Tryb;
  ui::TrackBar* Size = nullptr;  // "Grubość:", shapes only
  ui::TrackBar* Transparent;     // "Krycie:"
  // Texts only.
  QLineEdit* Text = nullptr;
  QPushButton* UstawCzcionke = nullptr;
  ui::TrackBar* Run = nullptr;
  QCheckBox* RunCheck = nullptr;  // horizontal text only

  FigureKind Kind() const { return kind_; }
  bool IsText() const { return kind_ == FigureKind::TextHorz || kind_ == FigureKind::TextVert; }
  const QFont& ChosenFont() const { return font_; }
  FigureSpec CurrentFigure() const;

  // The display copy := the backup, the figure drawn straight on it.
  void PreviewShape();
  // The figure composed into the working picture; the display shows it.
  void RenderShape();
  // "Ustaw czcionkę".
  void ChooseFont();

  void OKClick() override;
  void AnulujClick() override;

  void Press(const PointerEvent& e) override;
  void Drag(const PointerEvent& e) override;
  void Release(const PointerEvent& e) override;
  void Wheel(int step, bool ctrl) override;

 protected:
  void SetRanges(int width, int height) override;
  void Start() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MovePoint(ui::TrackBar* x, ui::TrackBar* y, QPoint p);
  // Puts picture on the display where the display may differ from the
  // backup (the whole display while a selection outline may be drawn on it).
  void RefreshDisplay(const Bitmap& picture, const ShapeRegion& alsoHere);

  FigureKind kind_;
  QFont font_;
  // Outside these regions the working picture and the display equal the
  // backup, so a render restores and shows only what may have changed.
  ShapeRegion workChanged_;
  ShapeRegion displayChanged_;
};

// Creates the eight windows in the order of start-up.
void CreateShapeWindows(QWidget* parent);

}  // namespace rv
