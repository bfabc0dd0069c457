// The milestones palette: named snapshots kept apart from the history.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "engine/Bitmap.h"
#include "history/StoredPicture.h"

class QFrame;

namespace rv {

namespace ui {
class ListRow;
class RowList;
}  // namespace ui

struct CMileStone {
  ui::ListRow* TitleRow = nullptr;  // the row with its label and thumbnail
  StoredPicturePtr Thumb;
  int Index = 0;
  QString FileName;
  QString Name;
  int Width = 0;
  int Height = 0;
};

class TFormMil : public QWidget {
  Q_OBJECT
 public:
  explicit TFormMil(QWidget* parent = nullptr);

  int Count() const { return static_cast<int>(Milestones.size()); }
  QList<CMileStone> Milestones;
  ui::RowList* BoxMil;
  QFrame* PanelMil;

  void AddMilestone(const Bitmap& picture, const QString& name, int width, int height);
  void DeleteMilestone(int position);
  void RestoreMilestone(int position);
  void HoverMilestoneRow(int position);
  void ResetMilestoneRows();

 protected:
  void changeEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  ui::ListRow* MakeRow(const CMileStone& m);
  int PositionOf(const ui::ListRow* row) const;
};

extern TFormMil* FormMil;

}  // namespace rv
