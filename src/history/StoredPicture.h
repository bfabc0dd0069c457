// The picture a history entry or a milestone keeps. Entries only store and
// give back whole pictures through this interface, so the storage can change
// (for example to tiles shared with neighbouring states) without touching the
// palettes.
#pragma once

#include <QImage>

#include <memory>

#include "engine/Bitmap.h"

namespace rv {

class StoredPicture {
 public:
  virtual ~StoredPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The whole picture as it was stored.
  virtual Bitmap Picture() const = 0;
  // True when the stored picture is exactly this one (spares a copy when the
  // document already shows it).
  virtual bool SameAs(const Bitmap& picture) const = 0;
  // A small view for the palette's row.
  virtual QImage Thumbnail(int w, int h) const = 0;
};

using StoredPicturePtr = std::shared_ptr<const StoredPicture>;

// Keeps a full copy of the picture.
StoredPicturePtr StorePicture(const Bitmap& picture);

}  // namespace rv
