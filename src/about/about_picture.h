#pragma once

#include <QPixmap>

namespace varnok {

// The About window's 160 x 30 picture: a label roll beside the product's name.
QPixmap AboutPicture();

}  // namespace varnok
