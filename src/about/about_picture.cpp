#include "about/about_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace varnok {

QPixmap AboutPicture() {
  QPixmap picture(160, 30);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient band(0, 0, 0, 30);
  band.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
  band.setColorAt(1, QColor(0x0b, 0x2a, 0x55));
  painter.setPen(Qt::NoPen);
  painter.setBrush(band);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 159, 29), 5, 5);

  // A roll of labels: the roll's end and a strip with two labels coming off it.
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(14, 15), 9, 9);
  painter.setBrush(QColor(0x1f, 0x4e, 0x8c));
  painter.drawEllipse(QPointF(14, 15), 3, 3);
  painter.setBrush(QColor(0xf2, 0xf2, 0xf2));
  painter.drawRect(QRectF(14, 19, 30, 5));
  painter.setBrush(QColor(0xf5, 0xa6, 0x23));
  painter.drawRect(QRectF(25, 19.5, 7, 4));
  painter.drawRect(QRectF(35, 19.5, 7, 4));

  QFont font("DejaVu Sans");
  font.setPixelSize(15);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(50, 0, 106, 30), Qt::AlignVCenter | Qt::AlignLeft, "VarnoK");
  return picture;
}

}  // namespace varnok
