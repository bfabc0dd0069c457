// The texture overlay dialog: the texture, stretched over the document when
// it is loaded, adds its deviation from its mean colour.
#pragma once

#include "filters/UnitFilterDialog.h"

namespace rv {

class TFormTexture : public TFormFilter {
 public:
  using TFormFilter::TFormFilter;

  // The mean red, green and blue of the loaded texture.
  Rgb TextureMean{0, 0, 0};

  // "Nakładanie tekstury...": chooses and loads the texture, then the dialog.
  void TextureCommand();

 protected:
  void AddToContext(KernelContext& context, bool fullRun) const override;
};

extern TFormTexture* FormTexture;

}  // namespace rv
