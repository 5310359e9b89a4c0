#pragma once

#include <string>
#include <string_view>

#include "fleet/queue_result.h"
#include "foundation/language.h"

namespace varnok::cli {

// The result for scripts, the same in every language: the JSON keyword ("not-sent").
std::string_view ResultKeyword(QueueResult result);

// The result for people, in the run's language, followed by the reason when there is one
// ("not sent: …"), or by a note for a queue that was sent to ("sent; …").
std::string ResultText(QueueResult result, std::string_view reason, Language language);

}  // namespace varnok::cli
