#pragma once

#include <ostream>

namespace varnok::cli {

// Where a command writes: results on out (a table, or one JSON document with --json),
// messages for people on err.
struct CommandOutput {
  std::ostream& out;
  std::ostream& err;
  bool json = false;
  bool terminal = false;  // out is a terminal: a person reads it, not a script
};

}  // namespace varnok::cli
