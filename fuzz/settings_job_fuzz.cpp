// The backend reads every job a print server passes with this decoder. For any bytes: a job it
// itemises is exactly its settings' commands end to end, each a setting it knows, and the same
// settings read back from those commands; anything else is a label job.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fleet/settings_job.h"
#include "printer_settings/setting_names.h"

namespace {

bool KnownSetting(std::string_view name) {
  for (const varnok::SettingName& known : varnok::SettingNames()) {
    if (known.name == name) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto settings = varnok::ReadSettingsJob(bytes);
  if (!settings) return 0;
  if (settings->empty() || bytes.size() > varnok::kLargestSettingsJob) std::abort();
  std::string commands;
  for (const varnok::JobSetting& setting : *settings) {
    if (setting.command.empty() || !KnownSetting(setting.setting)) std::abort();
    // Each command alone is a settings job of that one setting.
    const auto alone = varnok::ReadSettingsJob(setting.command);
    if (!alone || alone->size() != 1 || alone->front() != setting) std::abort();
    commands += setting.command;
  }
  if (commands != bytes) std::abort();
  return 0;
}
