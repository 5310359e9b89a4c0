#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fleet/journal.h"

namespace varnok {

// Why the journal cannot tell a setting's value.
enum class UnknownBecause {
  NeverDelivered,  // no job through the backend carried it to this printer
  Reset,           // a reset was delivered after it (detail: which)
  DeviceChanged,   // the queue sends to another printer than the job that carried it
  Interrupted,     // the last job that carried it was cut off (killed, or the machine stopped)
  Printing,        // the last job that carried it is being printed now
  Failed,          // the last job that carried it failed (detail: the printer backend's message)
};

// Who delivered a value, and when.
struct Delivered {
  std::string value;
  std::string command;
  JournalTime at;
  std::string user;
  std::string host;
  std::int64_t job_id = 0;
};

struct SettingState {
  std::string setting;
  std::optional<Delivered> delivered;  // absent: unknown
  UnknownBecause unknown = UnknownBecause::NeverDelivered;
  std::string detail;
  std::int64_t job_id = 0;  // unknown because of a job: that job
};

// Every setting a printer keeps (the resets are actions, not settings), in the list's order.
std::vector<std::string_view> KeptSettings();

// What the journal knows of each kept setting of the queue whose printer is now `device_uri`
// (the printer's own URI, behind the backend). `printing` holds the print system's jobs of the
// queue that are not finished, to tell a job being printed from one cut off.
std::vector<SettingState> DeliveredState(Journal& journal, std::string_view queue,
                                         std::string_view device_uri,
                                         const std::set<std::int64_t>& printing);

// Whether `wanted` (a setting's command) must be sent for the printer to hold it.
bool MustSend(const SettingState& state, std::string_view wanted);

}  // namespace varnok
