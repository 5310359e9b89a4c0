#include "cli/models_command.h"

#include "cli/json_output.h"
#include "cli/table.h"
#include "config/supported_models.h"

namespace varnok::cli {

void ListModels(const CommandOutput& output, bool names_only) {
  if (names_only) {
    for (const std::string_view model : SupportedModels()) output.out << model << '\n';
    return;
  }
  if (output.json) {
    nlohmann::ordered_json models = nlohmann::ordered_json::array();
    for (const std::string_view model : SupportedModels()) {
      models.push_back({{"model", model}, {"driver_file", DriverFileName(model)}});
    }
    return PrintJson(output.out, {{"models", models}});
  }
  Table table({"MODEL", "DRIVER FILE"});
  for (const std::string_view model : SupportedModels()) {
    table.Add({std::string(model), DriverFileName(model)});
  }
  table.Print(output.out);
}

}  // namespace varnok::cli
