#include "config/correction.h"

#include <charconv>

#include "settings/ini_file.h"

namespace varnok {

Correction ReadCorrection(const std::string& config_path, std::string_view model,
                          std::string_view key) {
  Correction correction;
  correction.stored = ReadIniString(config_path, model, key);
  if (correction.stored.empty()) return correction;

  std::string_view digits = correction.stored;
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, correction.value);
  correction.status = error == std::errc{} && stop == end ? CorrectionStatus::Found
                                                          : CorrectionStatus::NotWholeNumber;
  return correction;
}

}  // namespace varnok
