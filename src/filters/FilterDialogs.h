// The filter dialogs: created once at start-up in the program's order, each
// reached from its items in both menus.
#pragma once

#include <QList>

class QWidget;

namespace rv {

class TFormFilter;

// Creates the filter dialogs of the start-up order that come before the
// welcome screen, and connects their menu items.
void CreateFilterDialogs(QWidget* parent);
// Those created after the welcome screen.
void CreateLateFilterDialogs(QWidget* parent);
// Every filter dialog made so far, in creation order.
const QList<TFormFilter*>& FilterDialogs();

}  // namespace rv
