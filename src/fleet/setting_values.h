#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "printer_settings/apply_setting.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_names.h"

namespace varnok {

// The port printers take raw jobs on: a socket URI's when none is given, and the port a network
// card is given when none is.
inline constexpr std::string_view kDefaultPort = "9100";

// Why a setting's name or value, as a person wrote it, was refused.
enum class ValueProblem {
  NoSuchSetting,   // `given` names no item
  NotWholeNumber,  // `given` is not a whole number (item: whose)
  OutOfRange,      // `given` is outside the item's range
  NoChoice,        // `given` is neither of the item's two choices
  BadAddress,      // `given` is no dotted address (option: the value's name as written)
  BadPort,         // `given` is no port number
};

struct SettingValueFault {
  ValueProblem problem = ValueProblem::NoSuchSetting;
  std::string given;                  // the name or value as written
  std::string option;                 // an address's or port's name, as the person gave it
  const SettingName* item = nullptr;  // the setting whose value it is
};

class SettingValueError : public std::runtime_error {
 public:
  explicit SettingValueError(SettingValueFault fault)
      : std::runtime_error(fault.given), fault_(std::move(fault)) {}
  const SettingValueFault& Fault() const { return fault_; }

 private:
  SettingValueFault fault_;
};

// The item named by its short name (any letter case) or by its text in either window's list.
// Throws SettingValueError (NoSuchSetting) when there is none.
const SettingName& FindItem(std::string_view typed);

// How a setting takes its value: as one word (a number or one of two choices), as the network
// card's four values, or not at all (the resets).
enum class ValueForm { Word, Network, None };
ValueForm FormOf(const SettingName& item);

// The item of the catalogue whose commands are sent: the Chinese window's, which lists every
// item.
const SettingItem& CommandLineItem(ItemId id);

// The value typed for a value item, checked: a whole number (digits, "-" before a negative one)
// inside the item's range. Throws SettingValueError otherwise.
void CheckValue(const SettingName& item, std::string_view value);

// What the window's fields hold for the setting and its value word (for a Word setting; the
// others take none), checked: a whole number inside the range the Chinese window's help text
// states, or one of the two choices by its short name. Throws SettingValueError otherwise.
SettingInputs SettingInputsFor(const SettingName& item, std::string_view value);

// The four octets of a dotted address as the window's octet fields would hold them, each up to
// 255, and a port of digits from 1 to 65535. `option` names the value in refusals, as the
// person gave it ("--mask"). Throw SettingValueError otherwise.
std::array<std::string, 4> AddressFields(std::string_view option, std::string_view text);
std::string PortField(std::string_view option, std::string_view port);

// Whether the text is a port number as the printer is sent it: decimal digits only (no sign, no
// blank), 1 to 65535.
bool IsPortNumber(std::string_view text);

// The network card's values, checked, and where the window holds them (Text2 to Text14).
struct NetworkFields {
  std::array<std::string, 4> address;
  std::array<std::string, 4> mask;
  std::array<std::string, 4> gateway;
  std::string port;
};
void PutNetworkFields(const NetworkFields& network, SettingInputs& inputs);

}  // namespace varnok
