#include "cli/list_command.h"

#include <optional>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"
#include "config/window_variant.h"
#include "printer/pointer_to_string.h"
#include "printer/printer_access.h"

namespace varnok::cli {
namespace {

// What one window makes of a driver name.
struct WindowModel {
  std::string model;
  bool supported = false;
};

WindowModel ModelIn(Language window, const std::string& driver) {
  std::string model = ModelName(driver, VariantOf(window).drops_driver_language_mark);
  const bool supported = IsSupportedModel(model);
  return {std::move(model), supported};
}

struct ListedQueue {
  std::string name;
  std::optional<std::string> make_and_model;
  bool accepting_jobs = false;
  std::string driver;  // as the windows read it: at most 64 bytes, " " for none
  WindowModel chinese;
  WindowModel english;
};

// One request for the names and details together, so a queue cannot come or go in between.
std::vector<ListedQueue> BrandQueues(PrintServer& server) {
  SpoolerFailure failure;
  const auto details = server.Queues(failure);
  if (!details) {
    throw ServerError("cannot list the printers of the print system at " + server.Name() + ": " +
                      failure.reason);
  }
  std::vector<ListedQueue> queues;
  for (const QueueDetails& server_queue : *details) {
    if (!IsBrandQueueName(server_queue.name)) continue;
    ListedQueue queue{
        server_queue.name, server_queue.make_and_model, server_queue.accepting_jobs, {}, {}, {}};
    queue.driver = PointerToString(queue.make_and_model ? queue.make_and_model->c_str() : nullptr);
    queue.chinese = ModelIn(Language::Chinese, queue.driver);
    queue.english = ModelIn(Language::English, queue.driver);
    queues.push_back(std::move(queue));
  }
  return queues;
}

std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

void PrintTable(const std::vector<ListedQueue>& queues, std::ostream& out) {
  Table table({"QUEUE", "ACCEPTS JOBS", "DRIVER", "MODEL", "SUPPORTED"});
  for (const ListedQueue& queue : queues) {
    const std::string accepting = YesNo(queue.accepting_jobs);
    const std::string driver = queue.make_and_model ? queue.driver : "(none)";
    if (queue.chinese.model == queue.english.model) {
      table.Add(
          {queue.name, accepting, driver, queue.chinese.model, YesNo(queue.chinese.supported)});
      continue;
    }
    // The windows read a "(VRLZ)"/"(VRLE)" driver differently: one line each.
    table.Add({queue.name, accepting, driver, queue.chinese.model,
               YesNo(queue.chinese.supported) + " (Chinese window)"});
    table.Add(
        {"", "", "", queue.english.model, YesNo(queue.english.supported) + " (English window)"});
  }
  table.Print(out);
}

nlohmann::ordered_json Json(const std::vector<ListedQueue>& queues) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ListedQueue& queue : queues) {
    list.push_back({
        {"queue", queue.name},
        {"driver", queue.make_and_model ? nlohmann::ordered_json(queue.driver) : nullptr},
        {"model", queue.chinese.model},
        {"supported", queue.chinese.supported},
        {"english_window_model", queue.english.model},
        {"english_window_supported", queue.english.supported},
        {"accepting_jobs", queue.accepting_jobs},
    });
  }
  return {{"queues", list}};
}

}  // namespace

void ListQueueNames(PrintServer& server, const CommandOutput& output) {
  for (const ListedQueue& queue : BrandQueues(server)) output.out << Visible(queue.name) << '\n';
}

void ListQueues(PrintServer& server, const CommandOutput& output) {
  const std::vector<ListedQueue> queues = BrandQueues(server);
  if (output.json) return PrintJson(output.out, Json(queues));
  if (queues.empty()) {
    // An empty list is an answer; the hint is for a person who may not know what to do next.
    if (!output.terminal) return;
    output.err << "No printer queue's name begins with VARNOK or Varnok on the print system at "
               << server.Name() << ". Add one with 'varnok-printer add'.\n";
    return;
  }
  PrintTable(queues, output.out);
}

}  // namespace varnok::cli
