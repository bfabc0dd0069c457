// Window helpers shared by every palette, option window and dialog.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace rv::ui {

// The medium grey of palettes, option windows and rows.
QColor PaletteGrey();  // (0xA0, 0xA0, 0xA4)

// Stay-on-top tool window without border icons (a close box only when asked
// for), medium grey background.
void MakeToolWindow(QWidget* window, bool closeBox = false);
// Fills a widget's background with a colour.
void SetBackground(QWidget* widget, const QColor& colour);

// Moving the pointer over the widget gives its window the keyboard focus, so
// that the mouse wheel reaches it.
void GiveFocusOnHover(QWidget* widget);
// Activates the window and focuses it (the hover action above).
void FocusWindow(QWidget* window);

// An edge of the proposed frame within 30 pixels of the work area's edge is
// moved onto it; returns the adjusted top-left corner.
QPoint SnapToWorkArea(const QRect& workArea, const QRect& proposed);
// Applies SnapToWorkArea to every move of the window.
void EnableSnapToWorkArea(QWidget* window);

// Places the window's frame where place puts it for the frame's size, again
// when the window manager adds its frame later (the user's moves stay).
void PlaceWindow(QWidget* window, std::function<QPoint(QSize frame)> place);
// Centres the window on its parent window (or leaves it where it is).
void CentreOnParent(QWidget* window);
// The frame's right edge at right, its top at top.
void PlaceRightAligned(QWidget* window, int right, int top);

// Plain message box with the text and an OK button. Tests replace the sink so
// that nothing modal blocks them; an empty function restores the box.
void ShowMessage(QWidget* parent, const QString& text);
void SetMessageSink(std::function<void(const QString&)> sink);

// Question box with the text and the buttons "Tak" and "Nie"; true for
// "Tak". Tests replace the answer.
bool AskYesNo(QWidget* parent, const QString& text);
void SetQuestionSink(std::function<bool(const QString&)> sink);

// Runs a modal dialog (exec). Tests replace the runner.
int RunDialog(QDialog* dialog);
void SetDialogRunner(std::function<int(QDialog*)> runner);

// The system colour dialog, full open; nothing when cancelled. Replaceable.
std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
void SetColorChooser(std::function<std::optional<QColor>(const QColor&)> chooser);

}  // namespace rv::ui
