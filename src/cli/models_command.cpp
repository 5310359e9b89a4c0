#include "cli/models_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/model_choice.h"
#include "cli/table.h"
#include "printer_settings/supported_models.h"

namespace varnok::cli {

void ListModels(const CommandOutput& output, bool names_only) {
  if (names_only) {
    for (const std::string_view model : SupportedModels()) output.out << ListedModel(model) << '\n';
    return;
  }
  if (output.json) {
    nlohmann::ordered_json models = nlohmann::ordered_json::array();
    for (const std::string_view model : SupportedModels()) {
      models.push_back({{"model", ListedModel(model)}, {"driver_file", DriverFileName(model)}});
    }
    return PrintJson(output.out, {{"models", models}});
  }
  Table table({output.texts().model_heading, output.texts().driver_file_heading});
  for (const std::string_view model : SupportedModels()) {
    table.Add({ListedModel(model), DriverFileName(model)});
  }
  table.Print(output.out);
}

namespace {

constexpr std::string_view kModelsHelp =
    "Lists the models the settings are made for, spelt as list shows them (the\n"
    "driver's name in upper case), each with the driver file add gives its queue.\n"
    "\n"
    "With --json: {\"models\": [{\"model\", \"driver_file\"}]}.";

struct ModelsWords {
  bool json = false;
  bool names = false;
};

}  // namespace

Command ModelsCommand(CLI::App& app) {
  const auto words = std::make_shared<ModelsWords>();
  CLI::App* models = app.add_subcommand("models", "The supported models and their driver files");
  models->footer(Footer({kModelsHelp}));
  AddJsonFlag(*models, words->json);
  AddNamesFlag(*models, words->names, "Only the models' names, one a line");
  return {models, [words](const Services& services) {
            ListModels(services.Output(words->json), words->names);
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
