#include "tools/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace rv {

namespace {

const QColor kInk(30, 30, 40);
const QColor kBlue(40, 90, 200);
const QColor kRed(200, 40, 40);
const QColor kYellow(240, 200, 40);
const QColor kWood(150, 100, 50);

void Dashed(QPainter& p) {
  QPen pen(kInk, 1, Qt::DashLine);
  pen.setDashPattern({2, 2});
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
}

void Brush(QPainter& p, const QColor& tip) {
  p.setPen(QPen(kWood, 2));
  p.drawLine(13, 2, 7, 9);
  p.setPen(Qt::NoPen);
  p.setBrush(tip);
  QPainterPath path;
  path.moveTo(7, 8);
  path.cubicTo(4, 9, 5, 13, 2, 14);
  path.cubicTo(6, 14, 9, 12, 8, 10);
  path.closeSubpath();
  p.drawPath(path);
}

void Letter(QPainter& p, const QString& s, const QColor& c, bool vertical) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(c);
  if (vertical) {
    p.translate(8, 8);
    p.rotate(-90);
    p.drawText(QRect(-8, -8, 16, 16), Qt::AlignCenter, s);
    p.resetTransform();
  } else {
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, s);
  }
}

void Draw(QPainter& p, int id) {
  switch (id) {
    case 0: {  // arrow pointer
      QPolygon arrow({{4, 1}, {4, 13}, {7, 10}, {10, 15}, {12, 14}, {9, 9}, {13, 9}});
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawPolygon(arrow);
      break;
    }
    case 1: Dashed(p); p.drawRect(2, 3, 11, 9); break;
    case 2: Dashed(p); p.drawEllipse(1, 3, 13, 10); break;
    case 3:  // wand with a star
      p.setPen(QPen(kInk, 2));
      p.drawLine(2, 14, 9, 7);
      p.setPen(kYellow);
      p.drawLine(11, 1, 11, 7);
      p.drawLine(8, 4, 14, 4);
      p.drawLine(9, 2, 13, 6);
      p.drawLine(13, 2, 9, 6);
      break;
    case 4: Dashed(p); p.drawRoundedRect(2, 3, 11, 9, 4, 4); break;
    case 5: p.setPen(QPen(kBlue, 2)); p.drawRect(2, 3, 12, 10); break;
    case 6: p.setPen(QPen(kBlue, 2)); p.setRenderHint(QPainter::Antialiasing); p.drawEllipse(2, 3, 12, 10); break;
    case 7: p.setPen(QPen(kBlue, 2)); p.setRenderHint(QPainter::Antialiasing); p.drawRoundedRect(2, 3, 12, 10, 4, 4); break;
    case 8:  // crop marks
      p.setPen(QPen(kInk, 2));
      p.drawLine(4, 1, 4, 12);
      p.drawLine(4, 12, 15, 12);
      p.drawLine(1, 4, 12, 4);
      p.drawLine(12, 4, 12, 15);
      break;
    case 10: p.setPen(QPen(kBlue, 2)); p.drawLine(2, 14, 14, 2); break;
    case 11: {
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kBlue, 2));
      QPainterPath path;
      path.moveTo(1, 13);
      path.cubicTo(4, 0, 11, 16, 15, 3);
      p.drawPath(path);
      break;
    }
    case 12: Letter(p, QStringLiteral("T"), kInk, false); break;
    case 13: Letter(p, QStringLiteral("T"), kInk, true); break;
    case 14: Dashed(p); p.drawRect(0, 0, 15, 15); Letter(p, QStringLiteral("T"), kBlue, false); break;
    case 15: Dashed(p); p.drawRect(0, 0, 15, 15); Letter(p, QStringLiteral("T"), kBlue, true); break;
    case 16:  // spray can with dots
      p.fillRect(3, 6, 6, 9, kBlue);
      p.fillRect(4, 4, 4, 2, kInk);
      p.setPen(kInk);
      for (QPoint d : {QPoint(11, 2), QPoint(13, 4), QPoint(11, 5), QPoint(14, 1), QPoint(14, 7), QPoint(12, 8)})
        p.drawPoint(d);
      break;
    case 17:  // sun
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kYellow.darker(120), 1.5));
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(45 * i);
        p.drawLine(QPointF(0, 5), QPointF(0, 7.5));
        p.restore();
      }
      p.setBrush(kYellow);
      p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
      break;
    case 18: {  // moon
      p.setRenderHint(QPainter::Antialiasing);
      QPainterPath moon;
      moon.addEllipse(2, 2, 12, 12);
      QPainterPath bite;
      bite.addEllipse(6, 0, 11, 11);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(70, 70, 110));
      p.drawPath(moon.subtracted(bite));
      break;
    }
    case 19:  // blur drop
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      for (int r = 7; r >= 2; --r) {
        p.setBrush(QColor(40, 90, 200, 40 + (7 - r) * 30));
        p.drawEllipse(QPointF(8, 8), r, r);
      }
      break;
    case 20: {  // half grey circle
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(kInk);
      p.setBrush(QColor(128, 128, 128));
      p.drawEllipse(2, 2, 12, 12);
      p.setBrush(Qt::white);
      p.drawPie(2, 2, 12, 12, 90 * 16, 180 * 16);
      break;
    }
    case 21:  // stamp
      p.fillRect(6, 2, 4, 6, kWood);
      p.fillRect(2, 8, 12, 3, kInk);
      p.fillRect(3, 12, 10, 2, kRed);
      break;
    case 22:  // sharpen triangle
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygon({{8, 1}, {15, 14}, {1, 14}}));
      p.setBrush(kInk);
      p.drawPolygon(QPolygon({{8, 5}, {12, 12}, {4, 12}}));
      break;
    case 25:  // red eye
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawEllipse(1, 4, 14, 8);
      p.setBrush(kRed);
      p.drawEllipse(5, 5, 6, 6);
      p.setBrush(kInk);
      p.drawEllipse(7, 7, 2, 2);
      break;
    case 26: Brush(p, QColor(40, 160, 80)); p.setPen(kInk); p.drawLine(10, 12, 14, 12); p.drawLine(12, 10, 12, 14); break;
    case 27: Brush(p, kInk); p.setPen(kBlue); p.drawArc(8, 8, 7, 7, 0, 270 * 16); break;
    case 28: Brush(p, kBlue); break;
    case 29:  // bucket
      p.setPen(kInk);
      p.setBrush(QColor(180, 180, 190));
      p.drawPolygon(QPolygon({{2, 6}, {9, 2}, {13, 9}, {6, 13}}));
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawEllipse(11, 10, 4, 5);
      break;
    case 30: {  // hue wheel
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      const QColor hues[] = {kRed, kYellow, QColor(40, 170, 60), kBlue};
      for (int i = 0; i < 4; ++i) {
        p.setBrush(hues[i]);
        p.drawPie(1, 1, 14, 14, i * 90 * 16, 90 * 16);
      }
      break;
    }
    case 33:  // two colours and an arrow
      p.fillRect(1, 1, 7, 7, kRed);
      p.fillRect(8, 8, 7, 7, kBlue);
      p.setPen(kInk);
      p.drawLine(9, 3, 13, 3);
      p.drawLine(13, 3, 13, 6);
      break;
    case 34:  // eyedropper
      p.setPen(QPen(kInk, 2));
      p.drawLine(3, 13, 10, 6);
      p.setBrush(kInk);
      p.drawEllipse(10, 2, 4, 4);
      p.setPen(kBlue);
      p.drawPoint(2, 14);
      break;
    case 35:  // magnifier
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 230, 255));
      p.drawEllipse(2, 2, 8, 8);
      p.drawLine(9, 9, 14, 14);
      break;
    case 36: {  // mask: a half-transparent square
      p.fillRect(2, 2, 12, 12, QColor(255, 80, 80, 140));
      p.setPen(kInk);
      p.setBrush(Qt::NoBrush);
      p.drawRect(2, 2, 11, 11);
      break;
    }
    case kSwapIcon:
      p.setPen(kInk);
      p.drawLine(3, 3, 12, 3);
      p.drawLine(12, 3, 12, 12);
      p.drawLine(10, 10, 12, 12);
      p.drawLine(14, 10, 12, 12);
      p.drawLine(3, 3, 5, 1);
      p.drawLine(3, 3, 5, 5);
      break;
    case kResetIcon:
      p.fillRect(1, 1, 7, 7, Qt::black);
      p.setPen(Qt::black);
      p.setBrush(Qt::white);
      p.drawRect(6, 6, 8, 8);
      break;
    default:
      break;
  }
}

}  // namespace

QPixmap ToolIconPixmap(int toolId) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  Draw(p, toolId);
  return pm;
}

}  // namespace rv
