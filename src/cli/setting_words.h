#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/item_names.h"
#include "cli/socket_address.h"
#include "config/apply_setting.h"

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

// How a setting takes its value on the command line: as the word after it (a number or one of
// two choices), as the network card's four values, or not at all (the resets).
enum class ValueForm { Word, Network, None };
ValueForm FormOf(const SettingName& item);

// The item of the catalogue whose commands the command line sends: the Chinese window's.
const SettingItem& CommandLineItem(ItemId id);

// What the window's fields hold for the setting and its value word (for a Word setting; the
// others take none), checked as ReadSettingWords checks it.
SettingInputs SettingInputsFor(const SettingName& item, std::string_view value, Language language);

// The four octets of a dotted address as the window's octet fields would hold them, each up to
// 255, and a port of digits from 1 to 65535. `option` names the value in messages, as the user
// gave it ("--mask"). Throw UsageError otherwise.
std::array<std::string, 4> AddressFields(std::string_view option, std::string_view text,
                                         Language language);
std::string PortField(std::string_view option, std::string_view port, Language language);

// The network card's values, checked, and where the window holds them (Text2 to Text14).
struct NetworkFields {
  std::array<std::string, 4> address;
  std::array<std::string, 4> mask;
  std::array<std::string, 4> gateway;
  std::string port;
};
void PutNetworkFields(const NetworkFields& network, SettingInputs& inputs);

// Reads the words after `set`. The value must be one the window's fields would take and the
// setting can take exactly: a whole number inside the range the Chinese window's help text
// states, one of the two choices by its short name, address octets the octet fields take up to
// 255 and a port of digits. Throws UsageError, in the language given, otherwise.
SettingWords ReadSettingWords(const std::vector<std::string>& words, const NetworkOptions& network,
                              Language language);

}  // namespace varnok::cli
