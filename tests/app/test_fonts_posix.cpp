#include "test_fonts.h"

namespace varnok::testing {

// fontconfig picks the faces.
void UseTestFonts() {}

}  // namespace varnok::testing
