// The image document: the working, committed and snapshot pictures, the file
// name, the selection mask and the fitted display size.
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

#include "engine/Bitmap.h"

namespace rv {

namespace ui {
class ImageControl;
}

// Display size of a w x h picture by the 700-pixel rule (whole percent).
QSize FitDisplaySize(int w, int h);
// True when LoadFile sends the name to the metafile loader: exactly one of
// the six extension spellings .wmf .WMF .emf .EMF .Emf .Wmf.
bool UsesMetafileLoader(const QString& fileName);

class CHomeImage {
 public:
  Bitmap WorkImage;
  Bitmap BackupImage;
  Bitmap SnapshotImage;
  QString FileName;
  rv::SelectionMask SelectionMask;
  int DisplayWidth = 0;
  int DisplayHeight = 0;

  int Width() const { return WorkImage.Width(); }
  int Height() const { return WorkImage.Height(); }
  bool HasPicture() const { return !WorkImage.Empty(); }

  // Makes the file the document. A file that cannot be read shows "Nie
  // mogłem otworzyć pliku!" and changes nothing; returns whether it loaded.
  bool LoadFile(const QString& fileName);

  // Decode a file onto a white 32-bit bitmap and give it to the target; throw
  // on any failure without touching the target.
  static void LoadPictureInto(const QString& fileName, ui::ImageControl& target);
  static void LoadMetafileInto(const QString& fileName, ui::ImageControl& target);

  void AssignPicture(const ui::ImageControl& source, const QString& fileName);
  void AssignPicture(const Bitmap& picture, const QString& fileName);
  // The name half of AssignPicture, for callers that have put the picture
  // into the three bitmaps themselves.
  void NamePicture(const QString& fileName);
  void FitDisplay(ui::ImageControl& display);
  void AllocateMask();
  void FreeMask();
  void StoreDisplaySize(const ui::ImageControl& display);

  // The close prompt's question: does the working picture differ from the
  // picture as it was last opened, pasted or saved?
  void MarkSaved();
  bool ChangedSinceSaved() const;

 private:
  std::uint64_t savedPrint_ = 0;
};

// A fingerprint of the picture's size and colours (not the fourth byte).
std::uint64_t PictureFingerprint(const Bitmap& picture);

}  // namespace rv
