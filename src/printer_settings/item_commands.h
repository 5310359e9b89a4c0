#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "foundation/language.h"
#include "printer_settings/setting_item.h"

namespace varnok {

// Where a command's parameter comes from.
enum class ParameterSource {
  None,                // the command word alone
  FieldText,           // Text1 unchanged
  TrimmedFieldText,    // Text1 with blanks at both ends removed
  AdjustedValue,       // Text1's whole part plus the model's correction
  MaximumPrintLength,  // Text1's whole part plus 400
  Network,             // Text2 to Text14, the four-command document
  Choice,              // no parameter: Option4 sends word, Option5 second_word
};

// The message shown after a successful send.
enum class Notice { Completion, CutCount, UserReset };

// The whole numbers a value item takes, both ends included.
struct ValueRange {
  int min;
  int max;
};

// What OK sends for one setting item.
struct ItemCommand {
  ItemId id;
  std::string_view word;
  std::string_view second_word;              // Choice: the command of Option5
  std::array<ParameterSource, 2> parameter;  // in the Chinese window, in the English window
  std::string_view correction_key;           // AdjustedValue: the key in the model's section
  bool model_tested;  // refused for unsupported models also where the other items are not
  Notice notice;
  // Value items: the numbers the Chinese window's range line states. The windows show the line
  // and check nothing; the command line takes only these.
  std::optional<ValueRange> values = std::nullopt;

  ParameterSource ParameterIn(Language window) const {
    return parameter[window == Language::Chinese ? 0 : 1];
  }
};

const ItemCommand& CommandOfItem(ItemId id);

}  // namespace varnok
