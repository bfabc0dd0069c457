// The main window: the frame of the program with the menu bar, the two file
// dialogs, drag and drop, and the commands that are not a dialog's own.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "app/MenuTree.h"

class QFileDialog;

namespace rv {

class TFormHome : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormHome(QWidget* parent = nullptr);

  // The two file dialogs, created when first used: a file dialog starts
  // reading its folder as soon as it exists.
  QFileDialog* OpenPictureDialog1();
  QFileDialog* SavePictureDialog1();
  bool PointerOverPicture = false;

  MenuTree& Menus() { return menus_; }

  void OpenPicture();
  // Each file as if dropped on the window (also the command line's files).
  void OpenDroppedFiles(const QStringList& files);
  void EnableDocumentMenus();
  void SelectAll();
  void InvertSelection();
  void DrawInvertFrame();
  bool InvertTicked() const { return invertTicked_; }
  // The tick of "Zaznacz odwrotność" in both menus.
  void SetInvertTick(bool ticked);
  void RestoreCleanDisplay();
  void SetThumbnailView(QFileDialog* dialog);
  void FormMouseMove();
  // "Dodaj do kamieni milowych" of all three menus.
  void AddMilestoneCommand();
  // For DisableMainUi / EnableMainUi: the window, "Plik" and "Edycja".
  void SetMainUiEnabled(bool enabled);

  // Saving and the clipboard.
  void SavePicture();
  // The name chosen in the save dialog, for the option windows.
  const QString& ChosenSaveName() const { return saveName_; }
  void CopyPicture();
  void PastePicture();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Asks before a picture that was never saved is lost.
  void closeEvent(QCloseEvent* event) override;

 private:
  MenuTree menus_;
  bool invertTicked_ = false;
  QFileDialog* openDialog_ = nullptr;
  QFileDialog* saveDialog_ = nullptr;
  QString saveName_;
};

extern TFormHome* FormHome;

// The file dialogs' filter lists: description and patterns.
QStringList OpenDialogFilters();
QStringList SaveDialogFilters();

}  // namespace rv
