#pragma once

#include <string_view>

namespace varnok {

// Whether queue `a` comes before `b` in the order CUPS lists destinations (cupsGetDests2, lpstat):
// byte by byte as the platform's `char`, with only A–Z folded to a–z, a shorter name before a
// longer one it begins. Where `char` is signed (x86) UTF-8 bytes therefore come before ASCII.
bool ComesBeforeInCupsOrder(std::string_view a, std::string_view b);

}  // namespace varnok
