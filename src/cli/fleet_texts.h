#pragma once

#include <string>
#include <string_view>

#include "fleet/profile.h"
#include "fleet/queue_report.h"
#include "fleet/setting_values.h"
#include "fleet/settings_delivery.h"
#include "foundation/language.h"

// The fleet core's refusals and results, which it gives as data, in the command line's words.
namespace varnok::cli {

// A setting's name or value refused ("\"2.5\" is not a whole number …").
std::string ValueProblemText(const SettingValueFault& fault, Language language);

// A profile refused, naming its file and the line at fault.
std::string ProfileProblemText(const ProfileFault& fault, Language language);

// Why the queues could not be reported; `server` is the print server as messages name it.
std::string ReportProblemText(const ReportFault& fault, std::string_view server, Language language);

// Why a delivery did not send to the queue (or would not), or a note about a queue sent to;
// empty when there is nothing to say.
std::string DeliveryReason(const QueueDelivery& line, std::string_view server, Language language);

}  // namespace varnok::cli
