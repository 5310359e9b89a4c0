#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fleet/setting_values.h"
#include "printer_settings/apply_setting.h"

namespace varnok::cli {

// The network card's values, as the options --address, --mask, --gateway and --port give them.
struct NetworkOptions {
  std::optional<std::string> address;
  std::optional<std::string> mask;
  std::optional<std::string> gateway;
  std::optional<std::string> port;
};

// What `set ITEM [VALUE] QUEUE…` asks for: the item, what the window's fields would hold for
// it (the queue left empty), and the queues.
struct SettingWords {
  const SettingName* item = nullptr;
  SettingInputs inputs;
  std::vector<std::string> queues;  // as given
};

// Reads the words after `set`. The value must be one the window's fields would take and the
// setting can take exactly: a whole number inside the range the Chinese window's help text
// states, one of the two choices by its short name, address octets the octet fields take up to
// 255 and a port of digits. Throws SettingValueError for a value, and UsageError, in the
// language given, for words missing or not wanted.
SettingWords ReadSettingWords(const std::vector<std::string>& words, const NetworkOptions& network,
                              Language language);

}  // namespace varnok::cli
