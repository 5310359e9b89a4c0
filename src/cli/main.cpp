// varnok-printer: finds, adds and configures VARNOK label printers from a terminal or a script.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>

#include "cli/add_command.h"
#include "cli/command_error.h"
#include "cli/console.h"
#include "cli/devices_command.h"
#include "cli/items_command.h"
#include "cli/list_command.h"
#include "cli/models_command.h"
#include "cli/send_command.h"
#include "cli/set_command.h"
#include "printer/system_spooler.h"
#include "settings/ini_file.h"

namespace {

using varnok::cli::ExitStatus;

// The status of a command stopped by Ctrl+C, as shells report it.
constexpr int kInterruptedStatus = 128 + SIGINT;

constexpr const char* kExitStatuses =
    "Exit status: 0 success; 1 the print system refused or failed an action (for set and\n"
    "send: at one queue at least); 2 a usage error (unknown command, option, setting or\n"
    "model, bad value or argument), nothing sent; 130 send interrupted. Results go to\n"
    "standard output, messages to standard error. 'varnok-printer COMMAND --help' tells\n"
    "more.";

constexpr const char* kCommands = "list, models, devices, add, items, set and send";

int Complain(ExitStatus status, const std::string& message, const std::string& hint) {
  std::cerr << "varnok-printer: " << message << (hint.empty() ? "" : ". " + hint) << "\n";
  return static_cast<int>(status);
}

// CLI11 would only say that a command is missing.
void RefuseUnknownCommand(CLI::App& app, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "-h" || word == "--server") {
      ++i;
      continue;
    }
    if (word.starts_with('-')) continue;
    const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
    if (std::ranges::none_of(commands,
                             [word](const CLI::App* c) { return c->get_name() == word; })) {
      throw CLI::ValidationError("unknown command \"" + std::string(word) +
                                 "\"; the commands are " + kCommands);
    }
    return;
  }
}

}  // namespace

int main(int raw_argc, char** raw_argv) {
  varnok::cli::PrepareConsole();
  std::vector<std::string> words = varnok::cli::ProgramArguments(raw_argc, raw_argv);
  std::vector<char*> word_pointers;
  for (std::string& word : words) word_pointers.push_back(word.data());
  const int argc = static_cast<int>(word_pointers.size());
  char** argv = word_pointers.data();

  CLI::App app(std::string(varnok::cli::ProgramPurpose()) +
                   "\nThe desktop program varnok-utility does the same settings in a window.",
               "varnok-printer");
  app.set_help_flag("--help", "Show this help (COMMAND --help: the command's own) and exit");
  app.set_version_flag("--version", "varnok-printer " VARNOK_VERSION, "Show the version and exit");
  app.footer(kExitStatuses);
  app.get_formatter()->column_width(26);
  app.require_subcommand(1);
  app.fallthrough();
  std::string server;
  app.add_option("-h,--server", server, varnok::cli::ServerOptionHelp())->type_name("HOST[:PORT]");

  bool json = false;
  const auto json_flag = [&json](CLI::App* command) {
    command->add_flag("--json", json,
                      "Write one JSON document to standard output instead of a table");
  };
  bool names = false;
  const auto names_flag = [&names](CLI::App* command, const char* what) {
    command->add_flag("--names", names, what);
  };

  CLI::App* list = app.add_subcommand("list", "The VARNOK printer queues and their models");
  list->footer(
      "Lists the queues whose names begin with VARNOK or Varnok, as the configuration\n"
      "window lists them and in its order, each with its driver, the model the program\n"
      "reads from it, whether that model is supported, and whether the queue accepts\n"
      "jobs. Where a driver's name ends in (VRLZ) or (VRLE), the Chinese and English\n"
      "windows read different models: both are shown.");
  json_flag(list);
  names_flag(list, "Only the queues' names, one a line");

  CLI::App* models = app.add_subcommand("models", "The supported models and their driver files");
  json_flag(models);
  names_flag(models, "Only the models' names, one a line");

  int timeout = 10;
  CLI::App* devices =
      app.add_subcommand("devices", "Printers the print system sees, not yet added");
  devices->footer(
      "Lists the printers the print system can see (by USB, or on the network) that have\n"
      "no queue yet, with their device URI; VARNOK printers come first, marked with *.\n"
      "Use it to find the URI of a printer just plugged in, for 'add --device'. Most\n"
      "systems let only root and the lpadmin group look.");
  devices->add_option("--timeout", timeout, "How long the print system may look, in seconds")
      ->type_name("SECONDS")
      ->check(CLI::Range(1, 300))
      ->capture_default_str();
  json_flag(devices);

  varnok::cli::AddRequest add_request;
  std::string queue;
  std::string device;
  std::string address;
  CLI::App* add = app.add_subcommand("add", "Adds a printer queue with the model's driver");
  add->add_option("QUEUE", queue,
                  "The queue's name; it must begin with VARNOK or Varnok so that the program's "
                  "windows list it. Without it a name is made from the model, e.g. "
                  "VARNOK_K540_200DPI");
  add->add_option("--model", add_request.model,
                  "The printer's model, as 'varnok-printer models' lists it (letter case does "
                  "not matter)")
      ->required();
  CLI::Option* device_option = add->add_option(
      "--device", device, "The printer's device URI, as 'varnok-printer devices' shows it");
  CLI::Option* address_option = add->add_option(
      "--address", address,
      "A network printer's address: stands for socket://HOST:PORT, port 9100 when not given");
  address_option->type_name("HOST[:PORT]");
  device_option->excludes(address_option);
  add->add_flag("--replace", add_request.replace,
                "Change the queue if one of that name exists already");
  add->footer(
      "Creates a queue with the model's driver file, enabled and accepting jobs. Give\n"
      "exactly one of --device and --address. Only root and the lpadmin group may add\n"
      "printers. Example:\n"
      "  varnok-printer add --model \"VARNOK K540 200DPI\" --address 192.168.1.168");

  CLI::App* items = app.add_subcommand("items", "The settings set takes, by name");
  json_flag(items);
  names_flag(items, "Only the settings' names, one a line, each followed by its choices if any");

  std::vector<std::string> set_words;
  varnok::cli::NetworkOptions network;
  std::string config_path;
  std::string lang;
  bool dry_run = false;
  CLI::App* set = app.add_subcommand("set", "Applies one setting to one or more queues");
  set->add_option("SETTING VALUE QUEUE", set_words,
                  "The setting (its name below, or its text in either window's list), its value "
                  "when it takes one, then the queues")
      ->required();
  set->add_option("--address", network.address, "network: the printer's IP address")
      ->type_name("A.B.C.D");
  set->add_option("--mask", network.mask, "network: the subnet mask")->type_name("A.B.C.D");
  set->add_option("--gateway", network.gateway, "network: the gateway")->type_name("A.B.C.D");
  set->add_option("--port", network.port, "network: the printer's port (default 9100)")
      ->type_name("PORT");
  set->add_option("--config", config_path,
                  "The settings file with the models' corrections (default: config.ini beside "
                  "the program)")
      ->type_name("FILE");
  set->add_option("--lang", lang, "The language of the messages (default: the settings file's)")
      ->check(CLI::IsMember({"zh", "en"}));
  set->add_flag("--dry-run", dry_run, "Show what would be sent to each queue, send nothing");
  json_flag(set);
  set->footer(
      "Sends each queue exactly what the Chinese configuration window's OK sends: the\n"
      "model is read from the queue's driver, the model's correction from the settings\n"
      "file is added, the command goes as one raw job titled \"Label\". Nothing is sent\n"
      "to a model that is not supported. Every queue is checked before the first is\n"
      "sent to; a queue that fails does not stop the others. One line a queue: queue,\n"
      "model, command (\\r for a carriage return), result or reason.\n\nSettings:\n" +
      varnok::cli::ItemsHelp() +
      "\nExamples:\n"
      "  varnok-printer set vertical-reflective 12 VARNOK_K540_200DPI VARNOK_M4410\n"
      "  varnok-printer set orientation top-to-bottom VARNOK_K540_200DPI\n"
      "  varnok-printer set network --address 192.168.1.20 --mask 255.255.255.0 \\\n"
      "      --gateway 192.168.1.1 VARNOK_K540_200DPI");

  std::vector<std::string> send_words;
  CLI::App* send = app.add_subcommand("send", "Sends a file unchanged to one or more queues");
  send->add_option("FILE QUEUE", send_words, "The file, then the queues")->required();
  json_flag(send);
  send->footer(
      "Sends the file's bytes unchanged to each queue, one raw job a queue titled with\n"
      "the file's name. A file over 1 MiB shows its progress on a terminal. Ctrl+C\n"
      "cancels the job in progress, so that printer receives nothing, and stops.");

  try {
    RefuseUnknownCommand(app, argc, argv);
    app.parse(argc, argv);
    if (add->parsed() && device_option->count() + address_option->count() != 1) {
      throw CLI::ValidationError("add needs --device URI or --address HOST[:PORT]");
    }
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return static_cast<int>(ExitStatus::Ok);
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return static_cast<int>(ExitStatus::Ok);
  } catch (const CLI::ParseError& error) {
    return Complain(ExitStatus::Usage, error.what(),
                    "See 'varnok-printer --help' or 'varnok-printer COMMAND --help'");
  }

  // set speaks to its queues from several threads: the server must count for each of them.
  if (const auto refusal = server.empty() ? std::nullopt : varnok::UsePrintServer(server)) {
    return Complain(ExitStatus::Usage, "--server has no meaning here: " + *refusal, {});
  }
  const std::unique_ptr<varnok::Spooler> system_spooler = varnok::MakeSystemSpooler();
  const std::unique_ptr<varnok::PrintServer> system_print_server = varnok::MakeSystemPrintServer();
  varnok::Spooler& spooler = *system_spooler;
  varnok::PrintServer& print_server = *system_print_server;
  const varnok::cli::CommandOutput output{std::cout, std::cerr, json};
  try {
    if (list->parsed() && names) varnok::cli::ListQueueNames(print_server, output);
    if (list->parsed() && !names) varnok::cli::ListQueues(print_server, output);
    if (models->parsed()) varnok::cli::ListModels(output, names);
    if (devices->parsed()) varnok::cli::ListDevices(print_server, timeout, output);
    if (items->parsed()) varnok::cli::ListItems(output, names);
    if (add->parsed()) {
      if (!queue.empty()) add_request.queue = queue;
      if (device_option->count() > 0) add_request.device_uri = device;
      if (address_option->count() > 0) add_request.address = address;
      varnok::cli::AddQueue(add_request, spooler, print_server, output);
    }
    if (set->parsed()) {
      const varnok::cli::SettingWords setting = varnok::cli::ReadSettingWords(set_words, network);
      varnok::cli::SetOptions options;
      options.config_path = config_path.empty() ? varnok::ConfigFilePath() : config_path;
      if (!config_path.empty() && !varnok::IniFileReadable(config_path)) {
        throw varnok::cli::UsageError("cannot read the settings file \"" + config_path + "\"");
      }
      options.messages =
          lang.empty()   ? varnok::WindowLanguage(varnok::ReadIniString(
                               options.config_path, varnok::kLanguageSection, varnok::kLanguageKey))
          : lang == "zh" ? varnok::Language::Chinese
                         : varnok::Language::English;
      options.dry_run = dry_run;
      return static_cast<int>(varnok::cli::SetSetting(setting, options, spooler, output));
    }
    if (send->parsed()) {
      if (send_words.size() < 2) throw varnok::cli::UsageError("send needs a file and a queue");
      varnok::cli::OnInterrupt(varnok::cli::InterruptSends);
      const std::vector<std::string> queues(send_words.begin() + 1, send_words.end());
      const ExitStatus status =
          varnok::cli::SendFileToQueues(send_words.front(), queues, spooler, output,
                                        varnok::cli::ErrorIsTerminal() ? &std::cerr : nullptr);
      return varnok::cli::SendsWereInterrupted() ? kInterruptedStatus : static_cast<int>(status);
    }
  } catch (const varnok::cli::UsageError& error) {
    return Complain(ExitStatus::Usage, error.what(), {});
  } catch (const varnok::cli::ServerError& error) {
    return Complain(ExitStatus::Failed, error.what(), {});
  }
  return static_cast<int>(ExitStatus::Ok);
}
