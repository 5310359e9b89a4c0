#include "cli/journal_reading.h"

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "foundation/message_template.h"

namespace varnok::cli {

ServerError UnreadableJournal(const JournalError& error, const std::string& path,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const std::string_view pattern = [&] {
    switch (error.Problem()) {
      case JournalProblem::Missing:
        return texts.journal_missing;
      case JournalProblem::NotAllowed:
        return texts.journal_not_allowed;
      case JournalProblem::NotAJournal:
        return texts.journal_not_a_journal;
      case JournalProblem::Damaged:
        return texts.journal_damaged;
      case JournalProblem::Full:
        return texts.journal_full;
      case JournalProblem::Unavailable:
        return texts.journal_unavailable;
      case JournalProblem::Other:
        break;
    }
    return texts.journal_failed;
  }();
  return ServerError(FillIn(pattern, {{"file", path}, {"detail", error.what()}}));
}

std::string UnknownText(const SettingState& state, Language language) {
  return FillIn(CliTextsIn(language).unknown_because[static_cast<int>(state.unknown)],
                {{"detail", state.detail}});
}

std::string_view UnknownKeyword(UnknownBecause because) {
  switch (because) {
    case UnknownBecause::NeverDelivered:
      return "never-delivered";
    case UnknownBecause::Reset:
      return "reset";
    case UnknownBecause::DeviceChanged:
      return "device-changed";
    case UnknownBecause::Interrupted:
      return "interrupted";
    case UnknownBecause::Printing:
      return "printing";
    case UnknownBecause::Failed:
      break;
  }
  return "failed";
}

}  // namespace varnok::cli
