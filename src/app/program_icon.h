#pragma once

#include <QIcon>

namespace varnok {

// The program's icon: a white V on a red label.
QIcon ProgramIcon();

}  // namespace varnok
