// The text of the text tools and the text masks: the font chosen in the font
// dialog drawn at ten times its size, either the whole text at once or one
// character at a time with a fixed advance (always so for vertical text).
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

#include "engine/Bitmap.h"

class QPainter;
class QWidget;

namespace rv {

struct ToolText {
  QString Text;
  QFont Font;  // as chosen in the font dialog (the size it shows)
  bool Vertical = false;
  // Horizontal text only ("Ustaw szerokość"): one character at a time.
  bool CharacterByCharacter = false;
  int Run = 200;  // "Przesunięcie": advance from one character to the next, in pixels
};

// The font the text windows start with.
QFont DefaultToolFont();
// The chosen size as the font dialog shows it (points; pixels for a font
// given in pixels).
int ToolFontSize(const QFont& chosen);
// The font the text is drawn in: the chosen one at ten times its size.
QFont EnlargedToolFont(const QFont& chosen);
// Lowest position of the origin sliders: -10 x the chosen size, so that
// text can start above or left of the picture.
int TextOriginMinimum(const QFont& chosen);

// The characters as drawn one at a time (a base letter keeps its accents).
QStringList ToolTextCharacters(const QString& text);

// Draws the text with the top-left of its first character at origin, in
// colour, with an empty brush.
void DrawToolText(QPainter& painter, const ToolText& text, QPoint origin, const QColor& colour);
// The same onto a 32-bit picture whose top-left is the picture point
// pictureOrigin (a scratch that covers only part of the picture). Sizes do
// not depend on the screen: the picture is taken at 96 dots per inch.
void DrawToolText(Bitmap& picture, const ToolText& text, QPoint origin, const QColor& colour,
                  QPoint pictureOrigin = QPoint(0, 0));

// A box, in the coordinates of the origin, that holds every pixel the text
// draws (with room for overhanging glyphs).
QRect ToolTextBounds(const ToolText& text, QPoint origin);

// The system font dialog; nothing when cancelled. Tests replace it; an empty
// function restores the dialog.
std::optional<QFont> ChooseToolFont(QWidget* parent, const QFont& initial);
void SetFontChooser(std::function<std::optional<QFont>(const QFont&)> chooser);

}  // namespace rv
