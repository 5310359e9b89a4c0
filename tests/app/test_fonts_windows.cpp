#include <QFont>

#include "test_fonts.h"

namespace varnok::testing {

// Qt's offscreen platform on Windows knows only the fonts of its fonts folder (the tests' copies
// of the Linux faces) and none of fontconfig's aliases: it is given those the windows' families
// need.
void UseTestFonts() {
  QFont::insertSubstitution("Arial", "Nimbus Sans");
  QFont::insertSubstitution("Sans Serif", "DejaVu Sans");
}

}  // namespace varnok::testing
