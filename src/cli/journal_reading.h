#pragma once

#include <string>

#include "cli/command_error.h"
#include "fleet/delivered_state.h"
#include "fleet/journal.h"
#include "foundation/language.h"

namespace varnok::cli {

// Why the journal at `path` cannot be read, in words a person can act on.
ServerError UnreadableJournal(const JournalError& error, const std::string& path,
                              Language language);

// Runs `work` with the journal at `path` open to read. A journal that cannot be opened, or read
// at any point (damaged, say), is a ServerError that says why.
template <typename Work>
auto ReadJournal(const std::string& path, Language language, Work&& work) {
  try {
    Journal journal(path, Journal::Access::Read);
    return work(journal);
  } catch (const JournalError& error) {
    throw UnreadableJournal(error, path, language);
  }
}

// The words of an unknown setting's reason.
std::string UnknownText(const SettingState& state, Language language);

// The keyword scripts read for an unknown setting's reason ("never-delivered", …).
std::string_view UnknownKeyword(UnknownBecause because);

}  // namespace varnok::cli
