#include "filters/UnitTexture.h"

#include <exception>

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "filters/UnitImposition.h"
#include "filters/kernels/ColourKernels.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"
#include "ui/Windows.h"

namespace rv {

TFormTexture* FormTexture = nullptr;

void TFormTexture::TextureCommand() {
  if (!FormImageHome || !FormImposition || !FormImageHome->HomeImage.HasPicture()) return;
  const CHomeImage& doc = FormImageHome->HomeImage;
  const std::optional<QString> file = ChooseOverlayFile();
  if (!file) return;
  Bitmap texture;
  Rgb mean;
  // The event loop runs once per row while the texture is measured; the
  // menus and palettes wait, so that no command starts in between.
  if (FormTools) FormTools->DisableMainUi();
  try {
    texture = FitOverlay(LoadOverlayFile(*file), doc.Width(), doc.Height());
    CProgressBar events;
    mean = MeasureTextureMean(texture, &events);
  } catch (const std::exception&) {
    if (FormTools) FormTools->EnableMainUi();
    ui::ShowMessage(FormHome, QStringLiteral("Nie wybrano odpowiednio tekstury"));
    return;
  }
  if (FormTools) FormTools->EnableMainUi();
  ui::ImageControl* imPos = FormImposition->ImPos;
  imPos->SetPicture(std::move(texture));
  imPos->resize(imPos->PictureWidth(), imPos->PictureHeight());
  TextureMean = mean;
  PreparePreview(doc.Width(), doc.Height());
  FixOverlayPan(*this);
  RunPreview();
  ShowCentred();
}

void TFormTexture::AddToContext(KernelContext& context, bool /*fullRun*/) const {
  if (FormImposition) context.Overlay = &FormImposition->ImPos->Picture();
  context.OverlayMean = TextureMean;
}

}  // namespace rv
