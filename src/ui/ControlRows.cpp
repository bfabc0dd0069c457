#include "ui/ControlRows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

#include "engine/BlendModes.h"
#include "ui/TrackBar.h"

namespace rv::ui {

QFrame* MakeRaisedPanel(QWidget* parent, int y, int width, int height) {
  auto* p = new QFrame(parent);
  p->setFrameShape(QFrame::Panel);
  p->setFrameShadow(QFrame::Raised);
  p->setGeometry(0, y, width, height);
  return p;
}

QComboBox* MakeModeBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  for (const char* mode : kBlendModeNames) box->addItem(QString::fromUtf8(mode));
  box->setCurrentIndex(0);
  box->setMaxVisibleItems(26);
  return box;
}

QComboBox* AddModeRow(QWidget* parent, int y, int width, const QString& caption, const char* name) {
  QFrame* p = MakeRaisedPanel(parent, y, width, kModeRowHeight);
  auto* label = new QLabel(caption, p);
  label->setGeometry(8, 7, 60, 16);
  QComboBox* box = MakeModeBox(p, name);
  box->setGeometry(70, 4, width - 78, 22);
  return box;
}

TrackRow AddTrackRow(QWidget* parent, int y, int width, const ControlDecl& c) {
  TrackRow row;
  row.Caption = new QLabel(QString::fromUtf8(c.Caption), parent);
  row.Caption->setGeometry(8, y, width - 90, 13);
  row.Value = new QLabel(QString::number(c.Default), parent);
  row.Value->setObjectName(QString::fromLatin1(c.Name) + QStringLiteral("Label"));
  row.Value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  row.Value->setGeometry(width - 80, y, 72, 13);
  row.Bar = new TrackBar(c.Min, c.Max, c.Default, parent);
  row.Bar->setObjectName(QString::fromLatin1(c.Name));
  row.Bar->setGeometry(4, y + 13, width - 8, 19);
  return row;
}

QCheckBox* AddCheckRow(QWidget* parent, int y, int width, const ControlDecl& c) {
  auto* box = new QCheckBox(QString::fromUtf8(c.Caption), parent);
  box->setObjectName(QString::fromLatin1(c.Name));
  box->setChecked(c.Default != 0);
  box->setGeometry(8, y, width - 16, 20);
  return box;
}

QRadioButton* AddRadioRow(QWidget* parent, int y, int width, const ControlDecl& c, QButtonGroup* group) {
  auto* radio = new QRadioButton(QString::fromUtf8(c.Caption), parent);
  radio->setObjectName(QString::fromLatin1(c.Name));
  group->addButton(radio);
  radio->setChecked(c.Default != 0);
  radio->setGeometry(8, y, width - 16, 20);
  return radio;
}

void FollowLinkedBar(const QList<TrackBar*>& group, const TrackBar* moved) {
  const int position = moved->Position();
  for (TrackBar* bar : group)
    if (bar != moved) bar->SetPosition(position);
}

bool AlignLinkedBars(const QList<TrackBar*>& group) {
  if (group.isEmpty()) return false;
  bool changed = false;
  for (TrackBar* bar : group) {
    changed |= bar->Position() != group.front()->Position();
    bar->SetPosition(group.front()->Position());
  }
  return changed;
}

}  // namespace rv::ui
