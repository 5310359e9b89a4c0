#include "app/program_icon.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

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
    QFont font("Arial Black");
    font.setPixelSize(size * 3 / 4);
    font.setWeight(QFont::Black);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "V");
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace varnok
