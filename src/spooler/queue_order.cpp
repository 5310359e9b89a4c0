#include "spooler/queue_order.h"

#include <algorithm>

namespace varnok {
namespace {

// libcups folds only ASCII capitals and compares the folded `char`s as ints.
int Folded(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

bool ComesBeforeInCupsOrder(std::string_view a, std::string_view b) {
  return std::ranges::lexicographical_compare(a, b,
                                              [](char x, char y) { return Folded(x) < Folded(y); });
}

}  // namespace varnok
