// varnok-printer: finds, adds and configures VARNOK label printers from a terminal or a script.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/add_command.h"
#include "cli/apply_command.h"
#include "cli/cli_texts.h"
#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_help.h"
#include "cli/console.h"
#include "cli/devices_command.h"
#include "cli/fleet_texts.h"
#include "cli/history_command.h"
#include "cli/items_command.h"
#include "cli/journal_command.h"
#include "cli/list_command.h"
#include "cli/models_command.h"
#include "cli/remove_command.h"
#include "cli/run_language.h"
#include "cli/send_command.h"
#include "cli/set_command.h"
#include "cli/state_command.h"
#include "cli/terminal_password_prompt.h"
#include "cli/terminal_text.h"
#include "foundation/message_template.h"
#include "spooler/system_spooler.h"

namespace {

using varnok::cli::ExitStatus;

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

  // The commands, in the order the help lists them.
  const std::vector<cli::Command> commands = {
      cli::ListCommand(app),  cli::ModelsCommand(app), cli::DevicesCommand(app),
      cli::AddCommand(app),   cli::RemoveCommand(app), cli::ItemsCommand(app),
      cli::SetCommand(app),   cli::ApplyCommand(app),  cli::HistoryCommand(app),
      cli::StateCommand(app), cli::DriftCommand(app),  cli::JournalCommand(app),
      cli::SendCommand(app)};

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
  const cli::Services services{*system_print_server,    *system_spooler, std::cout, std::cerr,
                               cli::OutputIsTerminal(), language};
  try {
    for (const cli::Command& command : commands) {
      if (command.app->parsed()) return command.run(services);
    }
  } catch (const cli::UsageError& error) {
    return Complain(ExitStatus::Usage, error.what());
  } catch (const cli::ServerError& error) {
    return Complain(ExitStatus::Failed, error.what());
  } catch (const varnok::SettingValueError& error) {
    return Complain(ExitStatus::Usage, cli::ValueProblemText(error.Fault(), language));
  } catch (const varnok::ProfileError& error) {
    return Complain(ExitStatus::Usage, cli::ProfileProblemText(error.Fault(), language));
  } catch (const varnok::ReportError& error) {
    // A name the print server has no queue of is a typing error, found before anything is sent.
    const bool typed = error.Fault().problem == varnok::ReportProblem::UnknownQueues;
    return Complain(typed ? ExitStatus::Usage : ExitStatus::Failed,
                    cli::ReportProblemText(error.Fault(), system_print_server->Name(), language));
  }
  return static_cast<int>(ExitStatus::Ok);
}
