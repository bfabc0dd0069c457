// Pictures on the system clipboard, in the forms desktop programs exchange.
#pragma once

#include <QStringList>

#include "engine/Bitmap.h"

namespace rv::ui {

// The forms a copied picture is offered in: PNG, a Windows bitmap and Qt's
// own image. Each is encoded only when a program asks for it.
QStringList PictureClipboardFormats();

// Replaces the clipboard's content with the picture; false when the picture
// is empty (the clipboard then keeps what it had).
bool PutPictureOnClipboard(const Bitmap& picture);

// The clipboard's picture on white: an image in any form Qt or the image
// readers understand, or one copied picture file (a file manager's copy).
// Empty when the clipboard holds no picture.
Bitmap PictureFromClipboard();

}  // namespace rv::ui
