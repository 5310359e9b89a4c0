#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// One setting a job carried, as the printer took it.
struct JobSetting {
  std::string setting;  // the item's short name ("tear-off", "network", "reset-user", …)
  std::string value;    // the parameter as sent, a choice's name, the network card's four
                        // values joined by blanks, or nothing for a reset
  std::string command;  // the command's bytes
  friend bool operator==(const JobSetting&, const JobSetting&) = default;
};

// Jobs larger than this are label jobs: the largest settings job (every setting once, the
// network card's fields at their longest) is far below it.
inline constexpr std::size_t kLargestSettingsJob = 4096;

// The settings a job holds, in its order, when it holds nothing but this printer's setting
// commands, one at least, each whole and in the form this program sends; nothing for any other
// job (a label, a document, a command cut short or of a form this program never sends).
std::optional<std::vector<JobSetting>> ReadSettingsJob(std::string_view bytes);

}  // namespace varnok
