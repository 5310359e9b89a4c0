#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

enum class CorrectionStatus { Found, Missing, NotWholeNumber };

// A model's correction for one setting, as the settings file holds it.
struct Correction {
  CorrectionStatus status = CorrectionStatus::Missing;
  std::int16_t value = 0;  // when Found
  std::string stored;      // the text in the file
};

// Reads the correction under the key in the model's section of the settings file. Found only
// for a whole number from -32768 to 32767 (optional sign, digits).
Correction ReadCorrection(const std::string& config_path, std::string_view model,
                          std::string_view key);

}  // namespace varnok
