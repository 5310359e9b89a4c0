#include "cli/items_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <sstream>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/setting_range.h"
#include "cli/table.h"
#include "fleet/setting_values.h"
#include "foundation/message_template.h"
#include "printer_settings/command_protocol.h"
#include "printer_settings/setting_catalogue.h"

namespace varnok::cli {

std::string Takes(const SettingName& item, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  switch (CommandLineItem(item.id).input) {
    case InputPanel::Value: {
      const ValueRange range = *CommandOfItem(item.id).values;
      if (item.id == ItemId::MaxPrintLength) {
        return FillIn(texts.max_print_length_is,
                      {{"limit", std::to_string(range.max)},
                       {"offset", std::to_string(kMaxPrintLengthOffset)}});
      }
      return FillIn(texts.takes_number, {{"range", RangeText(range, language)}});
    }
    case InputPanel::Choice:
      return std::string(item.choices[0]) + " | " + std::string(item.choices[1]);
    case InputPanel::Network:
      return "--address --mask --gateway [--port]";
    case InputPanel::Placeholder:
      break;
  }
  return std::string(texts.takes_nothing);
}

std::string_view Sets(const SettingName& item, Language language) {
  return language == Language::Chinese ? CommandLineItem(item.id).text : item.about;
}

namespace {

// What a script needs to know of the setting's value word: "number", "choice", or nothing.
nlohmann::ordered_json ValueKind(const SettingName& item) {
  switch (CommandLineItem(item.id).input) {
    case InputPanel::Value:
      return "number";
    case InputPanel::Choice:
      return "choice";
    case InputPanel::Network:
    case InputPanel::Placeholder:
      break;
  }
  return nullptr;
}

Table ItemTable(Language language) {
  const CliTexts& texts = CliTextsIn(language);
  Table table({texts.setting_heading, texts.takes_heading, texts.sets_heading});
  for (const SettingName& item : SettingNames()) {
    table.Add({std::string(item.name), Takes(item, language), std::string(Sets(item, language))});
  }
  return table;
}

}  // namespace

void ListItems(const CommandOutput& output, bool names_only) {
  if (names_only) {
    for (const SettingName& item : SettingNames()) {
      output.out << item.name;
      for (const std::string_view choice : item.choices) {
        if (!choice.empty()) output.out << ' ' << choice;
      }
      output.out << '\n';
    }
    return;
  }
  if (!output.json) return ItemTable(output.language).Print(output.out);
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (const SettingName& item : SettingNames()) {
    const SettingItem* english = nullptr;
    for (const SettingItem& entry : SettingCatalogue(Language::English)) {
      if (entry.id == item.id) english = &entry;
    }
    nlohmann::ordered_json choices = nlohmann::ordered_json::array();
    if (!item.choices[0].empty()) choices = {item.choices[0], item.choices[1]};
    nlohmann::ordered_json range = nullptr;
    if (const std::optional<ValueRange> values = CommandOfItem(item.id).values) {
      range = {{"min", values->min}, {"max", values->max}};
    }
    items.push_back({{"setting", item.name},
                     {"takes", Takes(item, output.language)},
                     {"value", ValueKind(item)},
                     {"range", range},
                     {"choices", choices},
                     {"chinese_text", CommandLineItem(item.id).text},
                     {"english_text", english ? nlohmann::ordered_json(english->text) : nullptr}});
  }
  PrintJson(output.out, {{"settings", items}});
}

std::string ItemsHelp() {
  std::ostringstream text;
  ItemTable(Language::English).Print(text);
  return text.str();
}

namespace {

constexpr std::string_view kItemsHelp =
    "Lists the settings set takes, with the values each takes and what it sets.\n"
    "\n"
    "With --json: {\"settings\": [{\"setting\", \"takes\", \"value\", \"range\", \"choices\",\n"
    "\"chinese_text\", \"english_text\"}]}; value is \"number\" (range {\"min\", \"max\"}),\n"
    "\"choice\" or null.";

struct ItemsWords {
  bool json = false;
  bool names = false;
};

}  // namespace

Command ItemsCommand(CLI::App& app) {
  const auto words = std::make_shared<ItemsWords>();
  CLI::App* items = app.add_subcommand("items", "The settings set takes, by name");
  items->footer(Footer({kItemsHelp}));
  AddJsonFlag(*items, words->json);
  AddNamesFlag(*items, words->names,
               "Only the settings' names, one a line, each followed by its choices if any");
  return {items, [words](const Services& services) {
            ListItems(services.Output(words->json), words->names);
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
