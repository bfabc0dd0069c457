// The picture choice window of the picture overlay, "Opcje nakładania
// obrazka": whether the picture is stretched to the document, OK and Anuluj.
// It holds the loaded overlay or texture in the hidden image ImPos, which the
// picture and texture dialogs share.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "engine/Bitmap.h"

class QCheckBox;
class QPushButton;

namespace rv {

class TFormFilter;

namespace ui {
class ImageControl;
}

class TFormImposition : public QDialog {
  Q_OBJECT
 public:
  explicit TFormImposition(QWidget* parent = nullptr);

  QCheckBox* AutoDopasowanie;
  QPushButton* OK;
  QPushButton* Anuluj;
  ui::ImageControl* ImPos;  // hidden, the last loaded picture

  // The overlay dialog its OK opens.
  void SetTarget(TFormFilter* dialog) { target_ = dialog; }
  TFormFilter* Target() const { return target_; }

  // "Nakładanie obrazka...": the window, modal.
  void ImpositionCommand();
  // Loads the chosen picture and opens the overlay dialog on it.
  void OKClick();

 private:
  TFormFilter* target_ = nullptr;
};

extern TFormImposition* FormImposition;

// "Nakładanie tekstury...": chooses and loads the texture (stretched over the
// picture, its mean measured), then opens the dialog on it.
void TextureCommand(TFormFilter& dialog);

// The main window's open dialog for an overlay or texture; nothing when the
// user chose no file.
std::optional<QString> ChooseOverlayFile();
// The file decoded as the document's loader would (by the same extension
// rule). Throws when it cannot be read.
Bitmap LoadOverlayFile(const QString& fileName);
// Overlay dialogs of pictures narrower or lower than two preview halves pan
// nowhere: their region then starts at the picture's edge, where the
// overlay's offset in previews (the pan centre less 400) expects it.
void FixOverlayPan(TFormFilter& dialog);

}  // namespace rv
