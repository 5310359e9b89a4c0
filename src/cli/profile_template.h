#pragma once

#include <string>

#include "foundation/language.h"

namespace varnok::cli {

// A profile to start from, in the language given: every setting a profile takes, each with what
// it sets, the values it takes and its factory value, and each line commented out, so that the
// template sends nothing until its user takes the "; " from the settings wanted.
std::string ProfileTemplate(Language language);

}  // namespace varnok::cli
