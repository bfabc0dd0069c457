#include "tools/TextRaster.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextBoundaryFinder>

#include "ui/ImageControl.h"

namespace rv {

namespace {

std::function<std::optional<QFont>(const QFont&)>& FontChooser() {
  static std::function<std::optional<QFont>(const QFont&)> chooser;
  return chooser;
}

constexpr int kDotsPerMeter96 = 3780;  // 96 dots per inch

}  // namespace

QFont DefaultToolFont() {
  QFont f = QApplication::font();
  f.setPointSize(8);
  return f;
}

int ToolFontSize(const QFont& chosen) {
  if (chosen.pointSize() > 0) return chosen.pointSize();
  if (chosen.pixelSize() > 0) return chosen.pixelSize();
  return static_cast<int>(chosen.pointSizeF());
}

QFont EnlargedToolFont(const QFont& chosen) {
  QFont f = chosen;
  if (chosen.pointSize() <= 0 && chosen.pixelSize() > 0)
    f.setPixelSize(chosen.pixelSize() * 10);
  else
    f.setPointSizeF(chosen.pointSizeF() * 10);
  return f;
}

int TextOriginMinimum(const QFont& chosen) { return -10 * ToolFontSize(chosen); }

QStringList ToolTextCharacters(const QString& text) {
  QStringList out;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  qsizetype start = 0;
  for (qsizetype next = finder.toNextBoundary(); next != -1; next = finder.toNextBoundary()) {
    if (next > start) out.append(text.mid(start, next - start));
    start = next;
  }
  return out;
}

void DrawToolText(QPainter& painter, const ToolText& text, QPoint origin, const QColor& colour) {
  if (text.Text.isEmpty()) return;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(colour);
  const QFont font = EnlargedToolFont(text.Font);
  painter.setFont(font);
  // The origin is the top-left of the character cell, the painter wants the baseline.
  const int ascent = QFontMetrics(font, painter.device()).ascent();
  if (!text.Vertical && !text.CharacterByCharacter) {
    painter.drawText(QPoint(origin.x(), origin.y() + ascent), text.Text);
  } else {
    QPoint at = origin;
    for (const QString& c : ToolTextCharacters(text.Text)) {
      painter.drawText(QPoint(at.x(), at.y() + ascent), c);
      if (text.Vertical)
        at.ry() += text.Run;
      else
        at.rx() += text.Run;
    }
  }
  painter.restore();
}

void DrawToolText(Bitmap& picture, const ToolText& text, QPoint origin, const QColor& colour,
                  QPoint pictureOrigin) {
  if (picture.Empty()) return;
  QImage view = ui::PaintableView(picture);
  view.setDotsPerMeterX(kDotsPerMeter96);
  view.setDotsPerMeterY(kDotsPerMeter96);
  QPainter p(&view);
  p.translate(-pictureOrigin);
  DrawToolText(p, text, origin, colour);
}

QRect ToolTextBounds(const ToolText& text, QPoint origin) {
  if (text.Text.isEmpty()) return {};
  // Metrics at the 96 dots per inch the pictures are drawn at.
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(kDotsPerMeter96);
  probe.setDotsPerMeterY(kDotsPerMeter96);
  const QFontMetrics fm(EnlargedToolFont(text.Font), &probe);
  const int ascent = fm.ascent();
  const int margin = fm.height() / 2 + fm.maxWidth() / 2 + 4;
  auto cell = [&](const QString& s, QPoint at) {
    const QRect ink = fm.boundingRect(s).translated(at.x(), at.y() + ascent);
    const QRect advance(at.x(), at.y(), fm.horizontalAdvance(s), fm.height());
    return (ink | advance).adjusted(-margin, -margin, margin, margin);
  };
  if (!text.Vertical && !text.CharacterByCharacter) return cell(text.Text, origin);
  QRect box;
  QPoint at = origin;
  for (const QString& c : ToolTextCharacters(text.Text)) {
    box |= cell(c, at);
    if (text.Vertical)
      at.ry() += text.Run;
    else
      at.rx() += text.Run;
  }
  return box;
}

std::optional<QFont> ChooseToolFont(QWidget* parent, const QFont& initial) {
  if (FontChooser()) return FontChooser()(initial);
  bool ok = false;
  const QFont f = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return f;
}

void SetFontChooser(std::function<std::optional<QFont>(const QFont&)> chooser) {
  FontChooser() = std::move(chooser);
}

}  // namespace rv
