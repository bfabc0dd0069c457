#include "filters/GeometryCommands.h"

#include "app/UnitHome.h"
#include "document/UnitImageHome.h"
#include "history/UnitHistory.h"
#include "tools/UnitTools.h"
#include "ui/ImageControl.h"

namespace rv {

void ReplaceDocumentPicture(const QString& label) {
  if (!FormImageHome) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  ui::ImageControl* display = FormImageHome->ObrazDlaUsera;
  doc.AssignPicture(*display, doc.FileName);
  doc.FitDisplay(*display);
  doc.StoreDisplaySize(*display);
  if (FormTools) FormTools->EnableMainUi();
  if (FormHistory) FormHistory->AddHistoryEntry(doc.WorkImage, label, doc.Width(), doc.Height());
}

void RunGeometryCommand(const GeometryCommand& command) {
  if (!FormImageHome || !command.Apply) return;
  CHomeImage& doc = FormImageHome->HomeImage;
  if (!doc.HasPicture()) return;
  const bool quarterTurn = command.Apply == &RotateRight || command.Apply == &RotateLeft;
  // The new picture first: should it not fit in memory, the document and its
  // mask stay as they were.
  Bitmap moved = command.Apply(doc.BackupImage);
  if (quarterTurn) doc.FreeMask();
  FormImageHome->ObrazDlaUsera->SetPicture(std::move(moved));
  ReplaceDocumentPicture(QString::fromUtf8(command.HistoryLabel));
  if (quarterTurn) {
    doc.AllocateMask();
    if (FormTools) FormTools->SelectionKind = 0;
  }
  if (FormHome) FormHome->RestoreCleanDisplay();
}

void ConnectGeometryCommands() {
  if (!FormHome) return;
  for (const GeometryCommand& c : GeometryCommands()) {
    if (!c.Apply) continue;  // the resize dialog is a window of its own
    const GeometryCommand* command = &c;
    FormHome->Menus().ConnectCommand(QString::fromLatin1(c.Stem), [command] { RunGeometryCommand(*command); });
  }
}

}  // namespace rv
