#include "ui/ModeBox.h"

#include <QComboBox>

#include "engine/BlendModes.h"

namespace rv::ui {

QComboBox* MakeModeBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  for (const char* mode : kBlendModeNames) box->addItem(QString::fromUtf8(mode));
  box->setCurrentIndex(0);
  box->setMaxVisibleItems(26);
  return box;
}

}  // namespace rv::ui
