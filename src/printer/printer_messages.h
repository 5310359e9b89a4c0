#pragma once

#include <string_view>

#include "printer/spooler.h"
#include "printer/user_messages.h"
#include "settings/language.h"

namespace varnok {

// What printer access tells the user in the configuration window, in that window's language.

// The queue's description could not be read.
Message DescriptionFailureMessage(Language window);
// The spooler refused the job or failed while taking it, and said why.
Message JobRefusedMessage(std::string_view queue, const SpoolerFailure& failure, Language window);
// The spooler took a request about the queue but did not answer in time.
Message NoAnswerMessage(std::string_view queue, Language window);
// The print server wanted a password before anything was sent to the queue, and got none it
// accepted.
Message PasswordWantedMessage(std::string_view queue, const PasswordWanted& wanted,
                              Language window);
// What a failure before anything was sent says: no answer, a password wanted, or the
// spooler's refusal with its reason.
Message FailureMessage(std::string_view queue, const SpoolerFailure& failure, Language window);

}  // namespace varnok
