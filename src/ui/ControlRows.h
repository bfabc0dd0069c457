// Rows of the option columns that the filter dialogs and the tool option
// windows share: raised panels, the blend-mode lists, track bars with their
// caption and value label, and the rule of bars tied by a "Scal suwaki" box.
#pragma once

#include <QList>

#include "filters/registry/FilterRegistry.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QRadioButton;
class QWidget;

namespace rv::ui {

class TrackBar;

constexpr int kTrackRowHeight = 32;  // caption and value label over the slider
constexpr int kModeRowHeight = 30;

QFrame* MakeRaisedPanel(QWidget* parent, int y, int width, int height);

// The 26 BlendMode names, "Zwykły" chosen.
QComboBox* MakeModeBox(QWidget* parent, const char* name);
// A raised panel of kModeRowHeight with the caption ("Tryb:") and the list.
QComboBox* AddModeRow(QWidget* parent, int y, int width, const QString& caption, const char* name);

struct TrackRow {
  QLabel* Caption;
  QLabel* Value;  // named after the bar plus "Label", right-aligned
  TrackBar* Bar;
};
// Caption and value label over the bar at the declaration's range and
// default; the row is kTrackRowHeight high.
TrackRow AddTrackRow(QWidget* parent, int y, int width, const ControlDecl& c);

// A check or link box at its default, 20 high (rows of kCheckRowHeight).
constexpr int kCheckRowHeight = 22;
QCheckBox* AddCheckRow(QWidget* parent, int y, int width, const ControlDecl& c);
// A radio button of the group at its default, 20 high (rows of kRadioRowHeight).
constexpr int kRadioRowHeight = 21;
QRadioButton* AddRadioRow(QWidget* parent, int y, int width, const ControlDecl& c, QButtonGroup* group);

// A bar of a linked group moved: the others take its position, in their order.
void FollowLinkedBar(const QList<TrackBar*>& group, const TrackBar* moved);
// The link box was ticked: the group takes its first bar's position. True when
// a bar moved.
bool AlignLinkedBars(const QList<TrackBar*>& group);

}  // namespace rv::ui
