#include "app/program_icon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace varnok {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 16, 46));
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    // A bold white "V" drawn as a shape: no font has to be looked up at start-up.
    const QPointF v[] = {{0.20, 0.22}, {0.38, 0.22}, {0.50, 0.58}, {0.62, 0.22},
                         {0.80, 0.22}, {0.58, 0.80}, {0.42, 0.80}};
    QPolygonF glyph;
    for (const QPointF& point : v) glyph << point * size;
    painter.setBrush(Qt::white);
    painter.drawPolygon(glyph);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace varnok
