#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/apply_setting.h"
#include "fleet/setting_values.h"
#include "settings/language.h"

namespace varnok::cli {

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

// Reads and checks the whole profile at path: UTF-8 text (a byte-order mark allowed), lines
// "; …" and "# …" comments, a section [settings] of lines "SETTING = VALUE" with the names and
// values `set` takes, and a section [network] of the network card's address, mask, gateway and
// port (sent as one setting, where the section stands), only for one queue. Resets are refused:
// they are actions. Throws UsageError naming the file and the line at the first fault, so that
// nothing is sent for a profile that holds one.
Profile ReadProfile(const std::string& path, std::size_t queue_count, Language language);

}  // namespace varnok::cli
