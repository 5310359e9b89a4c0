#include "cli/models_command.h"

#include "cli/json_output.h"
#include "cli/model_choice.h"
#include "cli/table.h"
#include "config/supported_models.h"

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

}  // namespace varnok::cli
