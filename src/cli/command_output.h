#pragma once

#include <ostream>

#include "cli/cli_texts.h"
#include "foundation/language.h"

namespace varnok::cli {

// Where a command writes: results on out (a table, or one JSON document with --json),
// messages for people on err, all in the run's language.
struct CommandOutput {
  std::ostream& out;
  std::ostream& err;
  bool json = false;
  bool terminal = false;  // out is a terminal: a person reads it, not a script
  Language language = Language::English;

  const CliTexts& texts() const { return CliTextsIn(language); }
};

}  // namespace varnok::cli
