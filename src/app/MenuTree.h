// The menu bar of the main window and the pop-up menu MenuHand: their items
// with captions, shortcuts and enabling, and the routing of each item to a
// command by name.
//
// Every item carries a command key: an operation of the main window
// ("OpenPicture", "StepBack"), a dialog class ("TFormContrast") or a geometry
// operation ("FlipHorizontal"). An item whose command is not connected stays
// disabled; ConnectCommand makes it available in both menus at once, so a
// dialog added later needs only
//   FormHome->Menus().ConnectCommand("TFormContrast", [] { ... });
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QShortcut;
class QWidget;

namespace rv {

struct MenuItemDecl {
  int Depth;             // 0 top level of the menu, 1 inside, 2 inside a submenu
  const char* Name;      // object name; nullptr for a separator
  const char* Caption;
  const char* Shortcut;  // "" for none
  bool EnabledAtStart;
  bool Submenu;
  const char* Command;   // command key; nullptr for submenus and separators
  bool DocumentMenu;     // enabled by EnableDocumentMenus
};

// The two trees, in menu order.
const QList<MenuItemDecl>& MainMenuDecl();
const QList<MenuItemDecl>& HandMenuDecl();

class MenuTree {
 public:
  // Builds the menu bar; its shortcuts are dispatched from window.
  void BuildBar(QWidget* window, QMenuBar* bar);
  // Builds MenuHand (no shortcuts); it may come after commands were connected.
  void BuildHand(QMenu* hand);

  // Makes every item with this command available and routes it to run.
  // Returns the number of items connected.
  int ConnectCommand(const QString& command, std::function<void()> run);
  bool IsConnected(const QString& command) const { return commands_.contains(command); }
  // Runs a command as its menu item would (nothing when not connected).
  bool Run(const QString& command) const;

  // Item by object name, in the menu bar or MenuHand.
  QAction* Bar(const QString& name) const { return bar_.value(name); }
  QAction* Hand(const QString& name) const { return hand_.value(name); }
  // Items in menu order.
  const QList<QAction*>& BarItems() const { return barOrder_; }
  const QList<QAction*>& HandItems() const { return handOrder_; }
  // Items with this command key, in both menus.
  QList<QAction*> ItemsFor(const QString& command) const;

  // The wanted state; an item whose command is not connected stays disabled.
  static void SetEnabled(QAction* item, bool enabled);
  // Caption without the shortcut column; SetCaption keeps the shortcut column.
  static QString Caption(const QAction* item);
  static void SetCaption(QAction* item, const QString& caption);
  // The key that works for this item (empty when none, also for the later
  // item of a shared key).
  QKeySequence WorkingShortcut(const QAction* item) const;
  // The item and the menus above it are enabled, and so is the menu bar.
  bool EffectivelyEnabled(const QAction* item) const;
  // What a key press does: triggers the owning item when it may act.
  bool DispatchKey(const QKeySequence& key);

  void EnableDocumentMenus();

 private:
  void BuildTree(const QList<MenuItemDecl>& decl, QWidget* root, QHash<QString, QAction*>& names,
                 QList<QAction*>& order, bool withShortcuts);

  QWidget* window_ = nullptr;
  QWidget* barWidget_ = nullptr;
  QHash<QString, QAction*> bar_;
  QHash<QString, QAction*> hand_;
  QList<QAction*> barOrder_;
  QList<QAction*> handOrder_;
  QHash<QString, std::function<void()>> commands_;
  QList<QPair<QKeySequence, QAction*>> keys_;  // key and its owning item
  QList<QShortcut*> shortcuts_;
};

}  // namespace rv
