#pragma once

namespace varnok::testing {

// Lets the window tests measure texts in the faces the Linux tests get from fontconfig, on every
// system. Call it once the QApplication exists.
void UseTestFonts();

}  // namespace varnok::testing
