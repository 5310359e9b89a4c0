#pragma once

#include <string_view>

#include "foundation/language.h"
#include "spooler/message_boxes.h"
#include "spooler/spooler.h"

namespace varnok {

// What printer access tells the user in the configuration window, in that window's language.

// The queue's description could not be read.
Message DescriptionFailureMessage(Language window);
// The print system did not answer in time about the queue's driver, before anything was sent.
Message LookupNoAnswerMessage(std::string_view queue, Language window);
// The print server wanted a password before anything was sent to the queue, and got none it
// accepted.
Message PasswordWantedMessage(std::string_view queue, const PasswordWanted& wanted,
                              Language window);
// What a failed send says: that the spooler did not answer in time, that the print server
// wanted a password, or that the spooler refused the job (or failed while taking it) and why.
Message FailureMessage(std::string_view queue, const SpoolerFailure& failure, Language window);

}  // namespace varnok
