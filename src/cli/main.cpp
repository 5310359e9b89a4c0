// varnok-printer: finds, adds and configures VARNOK label printers from a terminal or a script.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <csignal>
#include <iostream>

#include "cli/add_command.h"
#include "cli/apply_command.h"
#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/command_help.h"
#include "cli/console.h"
#include "cli/devices_command.h"
#include "cli/history_command.h"
#include "cli/items_command.h"
#include "cli/journal_command.h"
#include "cli/list_command.h"
#include "cli/models_command.h"
#include "cli/named_queues.h"
#include "cli/remove_command.h"
#include "cli/run_language.h"
#include "cli/send_command.h"
#include "cli/set_command.h"
#include "cli/state_command.h"
#include "cli/terminal_password_prompt.h"
#include "cli/terminal_text.h"
#include "fleet/journal.h"
#include "printer/system_spooler.h"
#include "settings/ini_file.h"
#include "settings/message_template.h"
#include "settings/program_folder.h"

namespace {

using varnok::cli::ExitStatus;

// The status of a command stopped by Ctrl+C, as shells report it.
constexpr int kInterruptedStatus = 128 + SIGINT;

int Complain(ExitStatus status, const std::string& message) {
  varnok::cli::SayLine(std::cerr, "varnok-printer: " + message);
  return static_cast<int>(status);
}

// What CLI11 found wrong with the words. Where it would only say that a command is missing, the
// word in the command's place (CLI11 leaves it over), if any, is named with the commands there
// are.
std::string ParseProblem(const CLI::App& app, const CLI::ParseError& error,
                         const varnok::cli::CliTexts& texts) {
  const bool no_command =
      dynamic_cast<const CLI::RequiredError*>(&error) != nullptr && app.get_subcommands().empty();
  if (!no_command) return error.what();
  std::string names;
  for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    texts.AddToList(names, command->get_name());
  }
  const std::vector<std::string> leftovers = app.remaining();
  const auto word = std::ranges::find_if(
      leftovers, [](const std::string& leftover) { return !leftover.starts_with('-'); });
  if (word == leftovers.end()) return varnok::FillIn(texts.no_command, {{"commands", names}});
  return varnok::FillIn(texts.unknown_command, {{"command", *word}, {"commands", names}});
}

// A command's help: what it does, then the exit statuses every command shares.
std::string Footer(std::string_view text) {
  return std::string(text) + "\n\n" + std::string(varnok::cli::help::kExitStatus);
}

}  // namespace

int main(int raw_argc, char** raw_argv) {
  namespace cli = varnok::cli;
  namespace help = varnok::cli::help;
  cli::PrepareConsole();
  std::vector<std::string> words = cli::ProgramArguments(raw_argc, raw_argv);
  std::vector<char*> word_pointers;
  for (std::string& word : words) word_pointers.push_back(word.data());
  const int argc = static_cast<int>(word_pointers.size());
  char** argv = word_pointers.data();
  const varnok::Language language =
      cli::RunLanguage(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)),
                       cli::SystemLanguage());
  const cli::CliTexts& texts = cli::CliTextsIn(language);

  CLI::App app(std::string(cli::ProgramHelp()), "varnok-printer");
  app.set_help_flag("--help", "Show this help (COMMAND --help: the command's own) and exit");
  app.set_version_flag("--version", "varnok-printer " VARNOK_VERSION, "Show the version and exit");
  app.footer(std::string(help::kExitStatus));
  // Two blanks at least between an option and its text, so that the manual page (help2man)
  // tells them apart.
  app.get_formatter()->column_width(30);
  app.require_subcommand(1);
  app.fallthrough();
  std::string server;
  app.add_option("-h,--server", server, std::string(cli::ServerOptionHelp()))
      ->type_name("HOST[:PORT]");
  // The language is read from the arguments before they are parsed (RunLanguage); here --lang is
  // parsed only so that a value other than zh or en is a usage error.
  std::string lang;
  app.add_option("--lang", lang, "The language of the messages (default: the locale's)")
      ->check(CLI::IsMember({"zh", "en"}))
      ->option_text("zh|en");

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
  list->footer(Footer(help::kList));
  json_flag(list);
  names_flag(list, "Only the queues' names, one a line");

  CLI::App* models = app.add_subcommand("models", "The supported models and their driver files");
  models->footer(Footer(help::kModels));
  json_flag(models);
  names_flag(models, "Only the models' names, one a line");

  int timeout = 10;
  CLI::App* devices =
      app.add_subcommand("devices", "Printers the print system sees, not yet added");
  devices->footer(Footer(help::kDevices));
  devices
      ->add_option("--timeout", timeout,
                   "How long the print system may look, in seconds, 1 to 300 (default 10)")
      ->check(CLI::Range(1, 300))
      ->option_text("SECONDS");
  json_flag(devices);

  bool dry_run = false;
  const auto dry_run_flag = [&dry_run](CLI::App* command, const char* what) {
    command->add_flag("--dry-run", dry_run, what);
  };
  constexpr const char* kSendsNothing =
      "Show what would be sent to each queue and whether it would take it; send nothing";
  cli::AddRequest add_request;
  std::string queue;
  std::string device;
  std::string address;
  CLI::App* add = app.add_subcommand("add", "Adds a printer queue with the model's driver");
  add->add_option("QUEUE", queue,
                  "The queue's name; it must begin with VARNOK or Varnok so that the program's "
                  "windows list it. Without it a name is made from the model, e.g. "
                  "VARNOK_K540_200DPI")
      ->type_name("");
  add->add_option("--model", add_request.model,
                  "The printer's model, as 'varnok-printer models' lists it (letter case does "
                  "not matter)")
      ->type_name("MODEL")
      ->required();
  CLI::Option_group* printer = add->add_option_group("Printer", "Where the printer is");
  printer->require_option(1);
  CLI::Option* device_option =
      printer
          ->add_option("--device", device,
                       "The printer's device URI, as 'varnok-printer devices' shows it")
          ->option_text("URI");
  CLI::Option* address_option =
      printer
          ->add_option(
              "--address", address,
              "A network printer's address: stands for socket://HOST:PORT, port 9100 when not "
              "given")
          ->option_text("HOST[:PORT]");
  add->add_flag("--replace", add_request.replace,
                "Change the queue if one of that name exists already");
  bool no_journal = false;
  add->add_flag("--no-journal", no_journal,
                "Send the queue's jobs straight to the printer, not through the journal");
  dry_run_flag(add, "Check everything and show what would be done; change nothing");
  json_flag(add);
  add->footer(Footer(help::kAdd));

  std::vector<std::string> remove_queues;
  CLI::App* remove = app.add_subcommand("remove", "Removes printer queues");
  remove->add_option("QUEUE", remove_queues, "The queues")->type_name("")->required();
  remove->footer(Footer(help::kRemove));

  CLI::App* items = app.add_subcommand("items", "The settings set takes, by name");
  items->footer(Footer(help::kItems));
  json_flag(items);
  names_flag(items, "Only the settings' names, one a line, each followed by its choices if any");

  std::string config_path;
  const auto config_option = [&config_path](CLI::App* command) {
    command
        ->add_option("--config", config_path,
                     "The settings file with the models' corrections (default: config.ini "
                     "beside the program)")
        ->type_name("FILE");
  };

  std::vector<std::string> set_words;
  cli::NetworkOptions network;
  CLI::App* set = app.add_subcommand("set", "Applies one setting to one or more queues");
  set->add_option("SETTING [VALUE] QUEUE", set_words,
                  "The setting (its name below, or its text in either window's list), its value "
                  "when it takes one, then the queues")
      ->option_text("...")
      ->required();
  set->add_option("--address", network.address, "network: the printer's IP address")
      ->type_name("A.B.C.D");
  set->add_option("--mask", network.mask, "network: the subnet mask")->type_name("A.B.C.D");
  set->add_option("--gateway", network.gateway, "network: the gateway")->type_name("A.B.C.D");
  set->add_option("--port", network.port, "network: the printer's port (default 9100)")
      ->type_name("PORT");
  config_option(set);
  dry_run_flag(set, kSendsNothing);
  json_flag(set);
  set->footer(Footer(std::string(help::kSetIntroduction) + cli::ItemsHelp() +
                     std::string(help::kSetExamples)));

  std::string profile;
  std::vector<std::string> apply_queues;
  bool print_template = false;
  CLI::App* apply =
      app.add_subcommand("apply", "Applies a profile's settings to one or more queues");
  apply->add_option("PROFILE", profile, "The profile")->type_name("");
  apply->add_option("QUEUE", apply_queues, "The queues")->type_name("");
  // Both or --template, checked below: CLI11's excludes would add a note to the help, and it
  // cannot require positionals only without a flag.
  apply->add_flag("--template", print_template,
                  "Print a profile with every setting commented out, to start from; takes no "
                  "profile or queue");
  bool converge = false;
  apply->add_flag("--converge", converge,
                  "Send each queue only the settings whose delivered value differs from the "
                  "profile or is unknown, as the print server's journal tells");
  std::string journal_path;
  const auto journal_option = [&journal_path](CLI::App* command) {
    command
        ->add_option("--journal", journal_path,
                     "The print server's journal (default: $VARNOK_JOURNAL, else " +
                         std::string(varnok::kDefaultJournalPath) + ")")
        ->type_name("FILE");
  };
  journal_option(apply);
  config_option(apply);
  dry_run_flag(apply, kSendsNothing);
  json_flag(apply);
  apply->footer(Footer(help::kApply));

  std::vector<std::string> journal_queues;
  std::string since;
  CLI::App* history =
      app.add_subcommand("history", "The jobs the print server's journal holds, newest last");
  history->add_option("QUEUE", journal_queues, "The queues (default: all)")->type_name("");
  history->add_option("--since", since, "Only jobs begun at this time or later (UTC)")
      ->type_name("TIME");
  journal_option(history);
  json_flag(history);
  history->footer(Footer(std::string(help::kHistory) + "\n\n" + std::string(help::kJournalNote)));

  CLI::App* state = app.add_subcommand(
      "state", "The last value of each setting delivered to each queue, or why it is unknown");
  state->add_option("QUEUE", journal_queues, "The queues (default: every VARNOK queue)")
      ->type_name("");
  journal_option(state);
  json_flag(state);
  state->footer(Footer(std::string(help::kState) + "\n\n" + std::string(help::kJournalNote)));

  std::string drift_profile;
  CLI::App* drift = app.add_subcommand(
      "drift", "The queues whose delivered settings differ from a profile (exit 1 when any does)");
  drift->add_option("PROFILE", drift_profile, "The profile")->type_name("")->required();
  drift->add_option("QUEUE", journal_queues, "The queues (default: every VARNOK queue)")
      ->type_name("");
  journal_option(drift);
  config_option(drift);
  json_flag(drift);
  drift->footer(Footer(std::string(help::kDrift) + "\n\n" + std::string(help::kJournalNote)));

  CLI::App* journal =
      app.add_subcommand("journal", "Sends queues' jobs through the journal, or no longer");
  journal->require_subcommand(1);
  journal->footer(Footer(std::string(help::kJournal) + "\n\n" + std::string(help::kJournalNote)));
  CLI::App* journal_enable =
      journal->add_subcommand("enable", "Sends the queues' jobs through the journal");
  journal_enable->add_option("QUEUE", journal_queues, "The queues")->type_name("")->required();
  CLI::App* journal_disable =
      journal->add_subcommand("disable", "Sends the queues' jobs straight to their printers again");
  journal_disable->add_option("QUEUE", journal_queues, "The queues")->type_name("")->required();

  std::string send_file;
  std::vector<std::string> send_queues;
  CLI::App* send = app.add_subcommand("send", "Sends a file unchanged to one or more queues");
  send->add_option("FILE", send_file, "The file")->type_name("")->required();
  send->add_option("QUEUE", send_queues, "The queues")->type_name("")->required();
  json_flag(send);
  send->footer(Footer(help::kSend));

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return static_cast<int>(ExitStatus::Ok);
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return static_cast<int>(ExitStatus::Ok);
  } catch (const CLI::ParseError& error) {
    return Complain(ExitStatus::Usage, ParseProblem(app, error, texts) +
                                           std::string(texts.sentence_break) +
                                           std::string(texts.see_help));
  }

  // set speaks to its queues from several threads: the server counts for each of them.
  if (!server.empty() && !varnok::UsePrintServer(server)) {
    return Complain(ExitStatus::Usage, std::string(texts.server_not_here));
  }
  // One question on the terminal at most, whose answer serves every queue and thread.
  cli::TerminalPasswordPrompt terminal(std::cerr, language);
  varnok::PrintServerPassword password(terminal, varnok::PrintServerPassword::Asking::Once);
  const std::unique_ptr<varnok::Spooler> system_spooler = varnok::MakeSystemSpooler(&password);
  const std::unique_ptr<varnok::PrintServer> system_print_server =
      varnok::MakeSystemPrintServer(&password);
  varnok::Spooler& spooler = *system_spooler;
  varnok::PrintServer& print_server = *system_print_server;
  const cli::CommandOutput output{std::cout, std::cerr, json, cli::OutputIsTerminal(), language};
  try {
    if (list->parsed() && names) cli::ListQueueNames(print_server, output);
    if (list->parsed() && !names) cli::ListQueues(print_server, output);
    if (models->parsed()) cli::ListModels(output, names);
    if (devices->parsed()) cli::ListDevices(print_server, timeout, output);
    if (items->parsed()) cli::ListItems(output, names);
    if (add->parsed()) {
      if (!queue.empty()) add_request.queue = queue;
      if (device_option->count() > 0) add_request.device_uri = device;
      if (address_option->count() > 0) add_request.address = address;
      add_request.journal = !no_journal;
      add_request.dry_run = dry_run;
      cli::AddQueue(add_request, print_server, output);
    }
    if (remove->parsed()) cli::RemoveQueues(remove_queues, print_server, output);
    const auto delivery_options = [&] {
      if (!config_path.empty() && !varnok::IniFileReadable(config_path)) {
        throw cli::UsageError(varnok::FillIn(texts.config_unreadable, {{"file", config_path}}));
      }
      return cli::DeliveryOptions{config_path.empty() ? varnok::ConfigFilePath() : config_path,
                                  dry_run, print_server.Name()};
    };
    if (set->parsed()) {
      cli::SettingWords setting = cli::ReadSettingWords(set_words, network, language);
      const cli::DeliveryOptions options = delivery_options();
      setting.queues = cli::NamedQueues(setting.queues, print_server, language);
      return static_cast<int>(cli::SetSetting(setting, options, spooler, output));
    }
    if (apply->parsed() && print_template) {
      if (!profile.empty() || !apply_queues.empty()) {
        throw cli::UsageError(std::string(texts.template_alone));
      }
      cli::PrintProfileTemplate(output);
    }
    if (apply->parsed() && !print_template) {
      if (profile.empty() || apply_queues.empty()) {
        throw cli::UsageError(std::string(texts.apply_needs_profile_and_queue));
      }
      if (converge) {
        return static_cast<int>(cli::ApplyProfile(profile, apply_queues, delivery_options(),
                                                  print_server, spooler, output,
                                                  varnok::JournalPath(journal_path)));
      }
      return static_cast<int>(cli::ApplyProfile(profile, apply_queues, delivery_options(),
                                                print_server, spooler, output));
    }
    if (history->parsed()) {
      cli::ShowHistory(varnok::JournalPath(journal_path), journal_queues,
                       since.empty() ? std::nullopt : std::optional<std::string>(since),
                       print_server, output);
    }
    if (state->parsed()) {
      cli::ShowState(varnok::JournalPath(journal_path), journal_queues, print_server, output);
    }
    if (drift->parsed()) {
      return static_cast<int>(cli::ShowDrift(varnok::JournalPath(journal_path), drift_profile,
                                             journal_queues, delivery_options(), print_server,
                                             spooler, output));
    }
    if (journal_enable->parsed() || journal_disable->parsed()) {
      cli::ChangeJournaling(journal_enable->parsed(), journal_queues, print_server, output);
    }
    if (send->parsed()) {
      cli::OnInterrupt(cli::InterruptSends);
      const cli::SendOptions options{print_server.Name(),
                                     cli::ErrorIsTerminal() ? &std::cerr : nullptr};
      const ExitStatus status =
          cli::SendFileToQueues(send_file, cli::NamedQueues(send_queues, print_server, language),
                                options, spooler, output);
      return cli::SendsWereInterrupted() ? kInterruptedStatus : static_cast<int>(status);
    }
  } catch (const cli::UsageError& error) {
    return Complain(ExitStatus::Usage, error.what());
  } catch (const cli::ServerError& error) {
    return Complain(ExitStatus::Failed, error.what());
  }
  return static_cast<int>(ExitStatus::Ok);
}
