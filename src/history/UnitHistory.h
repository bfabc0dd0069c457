// The history palette: every change to the picture as a whole-picture state,
// one of them current.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include "engine/Bitmap.h"
#include "history/StoredPicture.h"

class QFrame;
class QMenu;

namespace rv {

namespace ui {
class ListRow;
class RowList;
}  // namespace ui

struct CHistory {
  int Index = 0;
  ui::ListRow* RowBox = nullptr;
  QString Title;  // the row's text, fixed when the entry is made
  StoredPicturePtr Thumb;
  QString FileName;
  int Width = 0;
  int Height = 0;
};

// Colours of the palettes' rows.
QColor CurrentRowColor();
QColor HoverRowColor();

class TFormHistory : public QWidget {
  Q_OBJECT
 public:
  explicit TFormHistory(QWidget* parent = nullptr);

  int Count() const { return static_cast<int>(Entries.size()); }
  QList<CHistory> Entries;
  ui::RowList* BoxHistory;
  QFrame* PanelHistory;
  QMenu* MenuHistory;

  // False when the entry could not be made (the message has been shown and
  // nothing changed).
  bool AddHistoryEntry(const Bitmap& picture, const QString& label, int width, int height);
  // `changed` (picture coordinates) covers every change made to the picture
  // since the current entry was recorded or restored: the rest is taken from
  // the current entry without being compared.
  bool AddHistoryEntry(const Bitmap& picture, const QString& label, int width, int height, const QRect& changed);
  // An entry holding a picture stored already (a milestone's).
  bool AddHistoryEntry(const StoredPicturePtr& stored, const QString& label, int width, int height);
  // The pictures new states are most likely to share tiles with: the current
  // entry's and the newest entry's (null when there is none).
  const StoredPicture* CurrentPicture() const;
  const StoredPicture* NewestPicture() const;
  void RestoreHistoryEntry(int index);
  int CurrentHistoryIndex() const;
  void DeleteHistoryEntry();
  void ClearHistory();
  void ToggleUndo();
  void StepBack();
  void StepForward();
  void HoverHistoryRow(int index);
  void ResetHistoryRows();
  // The undo toggle says redo (its caption reads "Ponów").
  bool UndoFlagRedo() const { return redo_; }

 protected:
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::ListRow* MakeRow(const CHistory& entry);
  bool AppendEntry(const Bitmap* picture, const StoredPicturePtr& stored, const QString& label, int width,
                   int height, const QRect* changed);
  void RebuildRows();
  void ColourRows(int hover);
  void RowPressed(ui::ListRow* row, Qt::MouseButton button);
  int IndexOf(const ui::ListRow* row) const;
  void SetUndoCaption(const QString& caption);

  int current_ = -1;
  bool redo_ = false;
  // The document is known to hold the current entry's picture plus what the
  // callers report as changed (false after a change that was not recorded).
  bool inStep_ = false;
};

extern TFormHistory* FormHistory;

}  // namespace rv
