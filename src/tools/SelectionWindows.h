// What the option windows of the selection tools share: the window with its
// column of captioned track bars and value labels, the hidden coordinate
// bars, the refresh of the display when the window is activated, and the
// creation of all seven windows.
#pragma once

#include <QList>
#include <QWidget>

#include "engine/Bitmap.h"
#include "tools/PointerTarget.h"

class QLabel;

namespace rv {

namespace ui {
class TrackBar;
}

class CHomeImage;

class TFormSelectionOptions : public QWidget, public PointerTarget {
  Q_OBJECT
 public:
  // closeBox: the window has a close box (closing it keeps the tool);
  // refreshOnActivate: activating it runs the main window's display refresh.
  TFormSelectionOptions(const char* objectName, const char* caption, bool closeBox, bool refreshOnActivate,
                        QWidget* parent);

  ui::TrackBar* Bar(const QString& name) const;
  QLabel* ValueLabel(const QString& name) const;
  // The tool's icon click: the steps every selection tool shares, then Start.
  void ToolClick();
  virtual int ToolId() const = 0;

 protected:
  // A captioned track bar with its value label, below the previous row.
  ui::TrackBar* AddBar(const char* name, const char* caption, int min, int max, int position);
  // A coordinate bar the window never shows.
  ui::TrackBar* AddHiddenBar(const char* name);
  // Room for a control of the given height below the rows.
  int NextRow(int height);
  // Width of a control that spans the window.
  static int ContentWidth();
  void FinishLayout();

  // Icon click: the display shows the working picture before anything else.
  virtual bool ShowsWorkFirst() const { return false; }
  // Icon click: the coordinate ranges from the picture (before the window shows).
  virtual void SetRanges(int width, int height) { (void)width, (void)height; }
  // Icon click: the tool's own start once the window shows.
  virtual void Start() {}

  static bool HasPicture();
  static CHomeImage& Document();
  // The display control's own copy of the picture, after drawing on it.
  static void RepaintDisplay();

  void changeEvent(QEvent* event) override;

  int rowTop_ = 6;

 private:
  struct Row {
    QString Name;
    ui::TrackBar* Bar;
    QLabel* Value;
  };
  QList<Row> rows_;
  bool refreshOnActivate_;
};

// Creates the seven windows in their start-up order, makes their icons
// available and hands them the document window's pointer events.
void CreateSelectionWindows(QWidget* parent);

}  // namespace rv
