#pragma once

#include <array>

#include "foundation/language.h"

class QLineEdit;

namespace varnok {

class UserMessages;

// The fields Text1 to Text14 of a configuration window, by TextN number less one.
using TextFields = std::array<QLineEdit*, 14>;

// Puts each field's key filter of the window to work: every typed character goes through the
// filter before it reaches the field, and text arrives in a filtered field by typing only (no
// paste, drop or input-method text). Fields without a filter are left as they are. The over-limit
// warning is shown through messages, which must outlive the fields.
void InstallKeyFilters(Language window, const TextFields& fields, UserMessages& messages);

}  // namespace varnok
