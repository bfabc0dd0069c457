#include "history/StoredPicture.h"

#include "ui/ImageControl.h"

namespace rv {

namespace {

class FullPicture : public StoredPicture {
 public:
  explicit FullPicture(const Bitmap& picture) : picture_(picture) {}
  int Width() const override { return picture_.Width(); }
  int Height() const override { return picture_.Height(); }
  Bitmap Picture() const override { return picture_; }
  bool SameAs(const Bitmap& picture) const override { return picture_ == picture; }
  QImage Thumbnail(int w, int h) const override {
    if (picture_.Empty()) return {};
    return ui::ImageView(picture_).scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }

 private:
  Bitmap picture_;
};

}  // namespace

StoredPicturePtr StorePicture(const Bitmap& picture) { return std::make_shared<FullPicture>(picture); }

}  // namespace rv
