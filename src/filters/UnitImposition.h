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

  // "Nakładanie obrazka...": the window, modal.
  void ImpositionCommand();
  // Loads the chosen picture and opens the overlay dialog on it.
  void OKClick();
};

extern TFormImposition* FormImposition;

// The main window's open dialog for an overlay or texture; nothing when the
// user chose no file.
std::optional<QString> ChooseOverlayFile();
// The file decoded as the document's loader would (by the same extension
// rule). Throws when it cannot be read.
Bitmap LoadOverlayFile(const QString& fileName);
// The picture at the document's size (an unchanged copy when it has it).
// Throws when it cannot be held.
Bitmap FitOverlay(Bitmap picture, int width, int height);
// Overlay dialogs of pictures narrower or lower than two preview halves pan
// nowhere: their region then starts at the picture's edge, where the
// overlay's offset in previews (the pan centre less 400) expects it.
void FixOverlayPan(TFormFilter& dialog);

}  // namespace rv
