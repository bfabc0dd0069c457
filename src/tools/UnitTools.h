// The tool palette: the active tool, the kind of selection, the zoom, the
// clone-stamp source, the two pixel engines and the two tool colours.
#pragma once

#include <QList>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "engine/Bitmap.h"
#include "engine/PixelEngine.h"

class QFrame;
class QLabel;

namespace rv {

namespace ui {
class Shape;
}

enum class ToolColor { Primary, Secondary };

// The frame behind a tool icon; its pen and fill give the icon's look.
class ToolFrame : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  QColor Pen() const { return pen_; }
  QColor Fill() const { return fill_; }
  void SetLook(const QColor& pen, const QColor& fill);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor pen_;
  QColor fill_;
};

struct ToolSlot {
  int ToolId;
  QString Name;  // the icon's name ("ImagePedzel"); its frame is Name + "Tlo"
  QString Hint;
  QLabel* Icon = nullptr;
  ToolFrame* Frame = nullptr;
  std::function<void()> Click;  // empty: the tool is not available yet
};

// The three looks of a tool frame.
QColor NeutralFrameColor();
QColor HoverFramePen();
QColor HoverFrameFill();
QColor SelectedFramePen();
QColor SelectedFrameFill();

class TFormTools : public QWidget {
  Q_OBJECT
 public:
  explicit TFormTools(QWidget* parent = nullptr);

  CPixelEngine ToolEngine;
  int ZoomPercent = 0;
  int StampSourceX = 0;
  int StampSourceY = 0;
  bool StampSourceSet = false;
  std::uint8_t ToolId = 0;
  std::uint8_t SelectionKind = 0;
  CPixelEngine FilterEngine;

  ui::Shape* KolorGlowny;
  ui::Shape* KolorDodatkowy;
  QLabel* ZamienKolory;
  QLabel* ResetujKolory;

  void SelectTool(int n);
  void RefreshToolPalette();
  void HighlightSelectedTool();
  void HoverTool(int toolId);
  void PlaceOptionWindow(QWidget* window);
  void CloseToolOptionWindows();
  void DisableMainUi();
  void EnableMainUi();
  void SetInvertMenu(bool ticked, bool enabled);
  void SetToolColor(ToolColor which, PackedColor c);
  void SwapColors();
  void ResetColors();
  // The dashed outline of the selection shape, then the inverted-selection
  // frame while "Zaznacz odwrotność" is ticked.
  void DrawSelectionOutline();
  // "Kursor (Zaznacz wszystko)".
  void ImageKursorClick();
  // "Kroplomierz" and "Lupa": no option window.
  void ImageKroplomierzClick();
  void ImageLupaClick();

  // Hooks for the tools: the icon becomes available and runs click.
  void ConnectTool(int toolId, std::function<void()> click);
  // Option windows closed by CloseToolOptionWindows.
  void RegisterOptionWindow(QWidget* window);
  // Draws the outline of selection kinds 1..3 on the display copy.
  std::function<void()> DrawShapeOutline;

  const QList<ToolSlot>& Slots() const { return slots_; }
  const ToolSlot* Slot(int toolId) const;
  QFrame* Panel(const QString& name) const;
  PackedColor PrimaryColor() const;
  PackedColor SecondaryColor() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Build();
  void DrawToolFrame(ToolSlot& slot, const QColor& pen, const QColor& fill);
  void ColorShapePressed(ToolColor which);

  QList<ToolSlot> slots_;
  QList<QFrame*> panels_;
  QList<QWidget*> optionWindows_;
};

extern TFormTools* FormTools;

QColor ToQColor(PackedColor c);
PackedColor ToPacked(const QColor& c);

}  // namespace rv
