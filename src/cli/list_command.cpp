#include "cli/list_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/server_problem.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "foundation/message_template.h"
#include "printer_settings/supported_models.h"
#include "printer_settings/window_variant.h"
#include "spooler/driver_name_text.h"
#include "spooler/printer_access.h"

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
  std::string device_uri;
  std::string driver;  // as the windows read it: at most 64 bytes, " " for none
  WindowModel chinese;
  WindowModel english;
};

// One request for the names and details together, so a queue cannot come or go in between.
std::vector<ListedQueue> BrandQueues(PrintServer& server, const CliTexts& texts) {
  const auto details = server.Queues();
  if (!details) {
    throw ServerError(ServerProblem(texts, texts.list_action, details.failure(), server.Name()));
  }
  std::vector<ListedQueue> queues;
  for (const QueueDetails& server_queue : *details) {
    if (!IsBrandQueueName(server_queue.name)) continue;
    ListedQueue queue{server_queue.name,
                      server_queue.make_and_model,
                      server_queue.accepting_jobs,
                      server_queue.device_uri,
                      {},
                      {},
                      {}};
    queue.driver = PointerToString(queue.make_and_model ? queue.make_and_model->c_str() : nullptr);
    queue.chinese = ModelIn(Language::Chinese, queue.driver);
    queue.english = ModelIn(Language::English, queue.driver);
    queues.push_back(std::move(queue));
  }
  return queues;
}

void PrintTable(const std::vector<ListedQueue>& queues, const CliTexts& texts, std::ostream& out) {
  const auto yes_no = [&texts](bool yes) { return std::string(yes ? texts.yes : texts.no); };
  Table table({texts.queue_heading, texts.accepts_jobs_heading, texts.driver_heading,
               texts.model_heading, texts.supported_heading});
  for (const ListedQueue& queue : queues) {
    const std::string accepting = yes_no(queue.accepting_jobs);
    const std::string driver = queue.make_and_model ? queue.driver : std::string(texts.no_driver);
    if (queue.chinese.model == queue.english.model) {
      table.Add(
          {queue.name, accepting, driver, queue.chinese.model, yes_no(queue.chinese.supported)});
      continue;
    }
    // The windows read a "(VRLZ)"/"(VRLE)" driver differently: one line each.
    table.Add({queue.name, accepting, driver, queue.chinese.model,
               FillIn(texts.in_chinese_window, {{"yes_no", yes_no(queue.chinese.supported)}})});
    table.Add({"", "", "", queue.english.model,
               FillIn(texts.in_english_window, {{"yes_no", yes_no(queue.english.supported)}})});
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
        {"device_uri", queue.device_uri},
    });
  }
  return {{"queues", list}};
}

}  // namespace

void ListQueueNames(PrintServer& server, const CommandOutput& output) {
  for (const ListedQueue& queue : BrandQueues(server, output.texts()))
    SayLine(output.out, queue.name);
}

void ListQueues(PrintServer& server, const CommandOutput& output) {
  const std::vector<ListedQueue> queues = BrandQueues(server, output.texts());
  if (output.json) return PrintJson(output.out, Json(queues));
  if (queues.empty()) {
    // An empty list is an answer; the hint is for a person who may not know what to do next.
    if (output.terminal) {
      SayLine(output.err, FillIn(output.texts().no_brand_queue, {{"server", server.Name()}}));
    }
    return;
  }
  PrintTable(queues, output.texts(), output.out);
}

namespace {

constexpr std::string_view kListHelp =
    "Lists the queues whose names begin with VARNOK or Varnok, as the configuration\n"
    "window lists them and in its order, each with its driver, the model the program\n"
    "reads from it, whether that model is supported, and whether the queue accepts\n"
    "jobs. Where a driver's name ends in (VRLZ) or (VRLE), the Chinese and English\n"
    "windows read different models: both are shown. A print system without such\n"
    "queues lists nothing.\n"
    "\n"
    "With --json: {\"queues\": [{\"queue\", \"driver\", \"model\", \"supported\",\n"
    "\"english_window_model\", \"english_window_supported\", \"accepting_jobs\",\n"
    "\"device_uri\"}]}.";

struct ListWords {
  bool json = false;
  bool names = false;
};

}  // namespace

Command ListCommand(CLI::App& app) {
  const auto words = std::make_shared<ListWords>();
  CLI::App* list = app.add_subcommand("list", "The VARNOK printer queues and their models");
  list->footer(Footer({kListHelp}));
  AddJsonFlag(*list, words->json);
  AddNamesFlag(*list, words->names, "Only the queues' names, one a line");
  return {list, [words](const Services& services) {
            const CommandOutput output = services.Output(words->json);
            if (words->names) {
              ListQueueNames(services.print_server, output);
            } else {
              ListQueues(services.print_server, output);
            }
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
