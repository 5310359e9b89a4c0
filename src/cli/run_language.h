#pragma once

#include <span>
#include <string_view>

#include "foundation/language.h"

namespace varnok::cli {

// The language of the messages of a run, as Unix programs choose theirs: the first of
// LC_ALL, LC_MESSAGES and LANG that is set and not empty (each may be null); Chinese when it
// begins with "zh", English otherwise.
Language LocaleLanguage(const char* lc_all, const char* lc_messages, const char* lang);

// The run's language: --lang zh or --lang en (also --lang=zh) among the arguments, else the
// locale's. Read before the arguments are parsed, so that even a usage error speaks it.
Language RunLanguage(std::span<const char* const> arguments, Language locale_language);

}  // namespace varnok::cli
