#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fleet/setting_values.h"
#include "printer_settings/apply_setting.h"

namespace varnok {

// One setting of a profile: the item, and what the window's fields would hold for it (the
// queue left empty), checked as `set` checks its words.
struct ProfileSetting {
  const SettingName* item = nullptr;
  SettingInputs inputs;
};

// A site's settings for its printers, in the order of the file.
struct Profile {
  std::vector<ProfileSetting> settings;
};

// Why a profile was refused.
enum class ProfileProblem {
  Missing,            // no such file
  Unreadable,         // the file cannot be read
  Empty,              // it holds no setting
  NotUtf8,            // the line is not UTF-8 text
  NotAnEntry,         // the line (word: its text) is neither a section nor "NAME = VALUE"
  UnknownSection,     // word: the section's name
  SectionTwice,       // word: the section's name; first_line: where it first stood
  OutsideSection,     // word: the name of an entry before any section
  GivenTwice,         // word: the setting (or network value); first_line: where first given
  Reset,              // word: the reset, an action rather than a setting
  NetworkInSettings,  // the network card's setting among [settings]
  NoNetworkKey,       // word: a name in [network] that is none of its values
  NetworkForMany,     // [network] with queue_count queues named
  NetworkNeeds,       // word: the network value missing ("gateway =")
  BadValue,           // value: why the setting's name or value was refused
};

// A refusal's facts; each is given only where the problem's note above says.
struct ProfileFault {
  ProfileProblem problem = ProfileProblem::Missing;
  std::string file{};
  std::size_t line = 0;  // the line at fault; 0 for the whole file
  std::string word{};
  std::size_t first_line = 0;
  std::size_t queue_count = 0;
  std::optional<SettingValueFault> value{};
};

class ProfileError : public std::runtime_error {
 public:
  explicit ProfileError(ProfileFault fault)
      : std::runtime_error(fault.file), fault_(std::move(fault)) {}
  const ProfileFault& Fault() const { return fault_; }

 private:
  ProfileFault fault_;
};

// Reads and checks the whole profile at path: UTF-8 text (a byte-order mark allowed), lines
// "; …" and "# …" comments, a section [settings] of lines "SETTING = VALUE" with the names and
// values `set` takes, and a section [network] of the network card's address, mask, gateway and
// port (sent as one setting, where the section stands), only for one queue. Resets are refused:
// they are actions. Throws ProfileError naming the file and the line at the first fault, so
// that nothing is sent for a profile that holds one.
Profile ReadProfile(const std::string& path, std::size_t queue_count);

}  // namespace varnok
