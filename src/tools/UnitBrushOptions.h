// The option windows of the fourteen brush tools. One window class builds
// itself from the tool's declaration (controls, ranges, defaults); every
// change of a control goes at once into BrushSettings(), where the document
// window reads it at the next dab.
#pragma once

#include <QList>
#include <QWidget>

#include "tools/core/BrushOptions.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QRadioButton;

namespace rv {

namespace ui {
class TrackBar;
}

class TFormBrushOptions : public QWidget {
  Q_OBJECT
 public:
  explicit TFormBrushOptions(const BrushToolDecl& decl, QWidget* parent = nullptr);

  const BrushToolDecl& Decl() const { return decl_; }
  int ToolId() const { return decl_.ToolId; }

  QComboBox* Tryb = nullptr;
  QComboBox* TypeBox = nullptr;
  // The declared controls by name ("Wielkosc", "Scal", "gora").
  ui::TrackBar* Bar(const QString& name) const;
  QLabel* ValueLabel(const QString& name) const;
  QCheckBox* Box(const QString& name) const;
  QRadioButton* Radio(const QString& name) const;
  const QList<QFrame*>& Panels() const { return panels_; }

  // The tool's icon on the palette was clicked.
  void ToolClick();
  // A value changed outside the window (the wheel over the picture).
  void ShowValue(const char* name, int value);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  struct Control {
    const ControlDecl* Decl;
    QWidget* Widget;
    QLabel* Value = nullptr;
  };

  void Build();
  void TrackChanged(const Control& c);
  QList<ui::TrackBar*> LinkGroup(const char* link) const;
  const Control* Find(const QString& name, ControlKind kind) const;

  const BrushToolDecl& decl_;
  QList<Control> controls_;
  QList<QFrame*> panels_;
};

// The fourteen windows under the names the program knows them by.
class TFormSpray : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormEnlight : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormDarker : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormBlur : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormGray : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormStamp : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormSharp : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormRedEye : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormCorrectionBrush : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormBrushHistory : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormBrush : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormBucket : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormColorBrush : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };
class TFormColorChange : public TFormBrushOptions { using TFormBrushOptions::TFormBrushOptions; };

extern TFormBrush* FormBrush;
extern TFormSpray* FormSpray;
extern TFormColorChange* FormColorChange;
extern TFormEnlight* FormEnlight;
extern TFormDarker* FormDarker;
extern TFormSharp* FormSharp;
extern TFormGray* FormGray;
extern TFormBrushHistory* FormBrushHistory;
extern TFormBlur* FormBlur;
extern TFormColorBrush* FormColorBrush;
extern TFormRedEye* FormRedEye;
extern TFormCorrectionBrush* FormCorrectionBrush;
extern TFormBucket* FormBucket;
extern TFormStamp* FormStamp;

// Creates the fourteen windows in the start-up order, connects their tools to
// the palette and listens for values changed by StepBrushControl.
void CreateBrushOptionWindows(QWidget* parent);
// The window of a brush tool, nullptr for any other tool number.
TFormBrushOptions* BrushOptionWindow(int toolId);

}  // namespace rv
