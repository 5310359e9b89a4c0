#include <signal.h>
#include <unistd.h>
#include <wchar.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

#include "cli/command_help.h"
#include "cli/console.h"
#include "cli/run_language.h"

namespace varnok::cli {
namespace {

void (*interrupt_handler)() = nullptr;

void OnSignal(int) { interrupt_handler(); }

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }

Language SystemLanguage() {
  return LocaleLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

void PrepareConsole() {
  // Terminal widths of UTF-8 names; nothing else of the program depends on the locale.
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

bool OutputIsTerminal() { return ::isatty(STDOUT_FILENO) != 0; }

bool ErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

void OnInterrupt(void (*handler)()) {
  interrupt_handler = handler;
  struct sigaction interrupt {};
  interrupt.sa_handler = OnSignal;
  ::sigaction(SIGINT, &interrupt, nullptr);
}

int CharacterColumns(char32_t point) { return std::max(0, ::wcwidth(static_cast<wchar_t>(point))); }

std::string_view ProgramHelp() { return help::kProgram; }

std::string_view ServerOptionHelp() {
  return "The print server (default: CUPS_SERVER, client.conf, or this machine's)";
}

}  // namespace varnok::cli
