// The commands of the "Obracanie" menu, which act at once on the committed
// picture, and the tail every operation shares that replaces the document's
// picture outside the filter dialog (turns, resizing, the alignment crop).
#pragma once

#include <QString>

#include "filters/kernels/Geometry.h"

namespace rv {

// Makes the picture on ObrazDlaUsera the document's picture, fits the display
// to it and records it in the history under the label.
void ReplaceDocumentPicture(const QString& label);

// A mirror or turn of BackupImage. Mirrors keep the selection mask as it is;
// quarter turns select everything and drop the selection shape.
void RunGeometryCommand(const GeometryCommand& command);

// Routes the five items of both menus to their commands.
void ConnectGeometryCommands();

}  // namespace rv
