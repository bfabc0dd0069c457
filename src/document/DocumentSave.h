// Writing the working picture from the save command and its option windows,
// with the program's messages for what went wrong.
#pragma once

#include <functional>

#include "engine/Bitmap.h"

class QWidget;

namespace rv {

// Runs write with the working picture. A failure shows its message ("Ikona
// może mieć najwyżej 256 × 256 pikseli.", "Nieobsługiwany format pliku! Nie
// zapisano obrazka.", otherwise "Błąd przy zapisie! Nie mogłem zapisać
// obrazka.") and returns false; a success marks the picture as saved.
bool SaveWorkImage(QWidget* parent, const std::function<void(const Bitmap& picture)>& write);

}  // namespace rv
