#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fleet/queue_result.h"
#include "foundation/language.h"
#include "printer_settings/apply_setting.h"
#include "spooler/spooler.h"

namespace varnok {

struct DeliveryOptions {
  std::string config_path;  // the settings file with the models' corrections
  bool dry_run = false;     // find out what would be sent, send nothing
};

// How one queue fared.
struct QueueDelivery {
  std::string queue;
  std::optional<std::string> model;   // once the queue's driver is known
  std::vector<std::string> commands;  // each setting's command text, when all could be made
  QueueResult result = QueueResult::NotSent;
  // Why not, or how the send ended for a queue sent to (its told: a note), as the cores said.
  QueueOutcome outcome;
  bool not_accepting = false;  // the dry run's WouldNotBeSent: the queue takes no jobs now
  std::optional<std::chrono::system_clock::time_point> sent_at;  // when the job was taken
};

struct Delivery {
  std::vector<QueueDelivery> queues;  // in the order given
  std::string notice;                 // what to do next, once any queue was sent to, in the
                                      // language given
};

// The Chinese window's OK for each queue with several settings: the same rules and bytes for
// each setting, except that the model is tested for every item, and the settings' commands in
// their order make one command text sent as one job. Every queue is prepared before the first is
// sent to; a queue that fails does not stop the others. Several queues are prepared, and then
// sent to, at once: the spooler is called from several threads (CupsSpooler keeps no state, and
// libcups keeps its own per thread). What the cores tell, and the notice, are in `language`.
Delivery DeliverSettings(std::span<const SettingInputs> settings,
                         const std::vector<std::string>& queues, const DeliveryOptions& options,
                         Spooler& spooler, Language language);

// Whether every queue took its job (with dry_run: would take it; one that accepts no jobs would
// not).
bool AllDelivered(const Delivery& delivery, const DeliveryOptions& options);

}  // namespace varnok
