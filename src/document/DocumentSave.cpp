#include "document/DocumentSave.h"

#include <QString>

#include <exception>

#include "document/PictureFiles.h"
#include "document/UnitImageHome.h"
#include "ui/Windows.h"

namespace rv {

bool SaveWorkImage(QWidget* parent, const std::function<void(const Bitmap& picture)>& write) {
  CHomeImage& doc = FormImageHome->HomeImage;
  try {
    write(doc.WorkImage);
  } catch (const IconTooLargeError&) {
    ui::ShowMessage(parent, QStringLiteral("Ikona może mieć najwyżej 256 × 256 pikseli."));
    return false;
  } catch (const UnsupportedFormatError&) {
    ui::ShowMessage(parent, QStringLiteral("Nieobsługiwany format pliku! Nie zapisano obrazka."));
    return false;
  } catch (const std::exception&) {
    ui::ShowMessage(parent, QStringLiteral("Błąd przy zapisie! Nie mogłem zapisać obrazka."));
    return false;
  }
  doc.MarkSaved();
  return true;
}

}  // namespace rv
