// varnok-printer's helps, from which the manual page (packaging/man/cli_man_page.cmake) and the
// bash completion are made: each command the program's help lists must answer COMMAND --help
// with its summary, its usage, and its own text followed by the exit statuses.
#include <gtest/gtest.h>

#include <sstream>

#include "support/run_command.h"

namespace varnok {
namespace {

using testing::CommandResult;

struct Listed {
  std::string command;
  std::string summary;
};

// The commands under "Subcommands:", as the manual page's maker reads them.
std::vector<Listed> ListedCommands(const std::string& help) {
  std::vector<Listed> listed;
  std::istringstream lines(help.substr(help.find("\nSubcommands:\n") + 14));
  for (std::string line; std::getline(lines, line) && !line.empty();) {
    std::istringstream words(line);
    Listed command;
    words >> command.command >> std::ws;
    std::getline(words, command.summary);
    listed.push_back(command);
  }
  return listed;
}

TEST(CliHelp, EachListedCommandHasItsOwnHelpEndingWithTheExitStatuses) {
  const CommandResult program = testing::RunCommand({VARNOK_PRINTER_PROGRAM, "--help"});
  ASSERT_EQ(program.exit_code, 0) << program.output;
  const std::string exit_statuses = program.out.substr(program.out.rfind("\n\n"));
  ASSERT_TRUE(exit_statuses.starts_with("\n\nExit status:")) << program.out;
  const std::vector<Listed> listed = ListedCommands(program.out);
  ASSERT_FALSE(listed.empty()) << program.out;
  for (const Listed& c : listed) {
    const CommandResult help = testing::RunCommand({VARNOK_PRINTER_PROGRAM, c.command, "--help"});
    EXPECT_EQ(help.exit_code, 0) << c.command << ": " << help.output;
    EXPECT_TRUE(help.out.starts_with(c.summary + "\nUsage: varnok-printer " + c.command + " "))
        << help.out;
    EXPECT_TRUE(help.out.ends_with(exit_statuses)) << help.out;
    // Its own text comes between its options and the exit statuses.
    const std::size_t options_end = help.out.find("\n\n", help.out.find("\nOptions:\n"));
    EXPECT_LT(options_end, help.out.size() - exit_statuses.size()) << help.out;
  }
}

}  // namespace
}  // namespace varnok
