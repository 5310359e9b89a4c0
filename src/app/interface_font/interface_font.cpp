#include "app/interface_font/interface_font.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace varnok {

void UseInterfaceFont() {
  // Without it the system's fonts show every text, only at a higher cost.
  if (QFontDatabase::addApplicationFont(":/fonts/interface.ttf") < 0) return;
  QFont font = QApplication::font();
  font.setFamilies({font.family(), kInterfaceFontFamily});
  QApplication::setFont(font);
}

}  // namespace varnok
