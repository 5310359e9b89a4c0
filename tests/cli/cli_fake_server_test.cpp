// varnok-printer against a print server that misbehaves: each queue's line, the exit status
// and the time must tell what happened there, and a password is asked once, on a terminal only.
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>

#include "support/fake_ipp_server.h"
#include "support/figures.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using namespace std::chrono_literals;
using testing::Behaviour;
using testing::CommandResult;
using testing::FakeIppServer;
using testing::Reply;

constexpr char kQueue[] = "VARNOK_K540";
constexpr char kLabel[] = "^XA^FDVarnoK^FS^XZ\r\n";
constexpr char kPasswordPrompt[] = "Password for ";
constexpr char kNotice[] = "After reseting, please do a calibration and continue to print!";

std::vector<testing::FakePrinter> Printers() {
  return {
      {kQueue, "VARNOK K540 200DPI"}, {"VARNOK_L410", "VARNOK L410"}, {"VARNOK_RS5", "VARNOK RS5"}};
}

std::size_t Count(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) {
    ++count;
  }
  return count;
}

struct CliCase {
  const char* name;
  std::vector<std::string> args;  // "{file}" stands for a label file
  ipp_op_t operation;             // IPP_OP_CUPS_NONE: every operation
  Behaviour behaviour;
  int exit_code;
  std::vector<std::string_view> says;  // each in the output, as often as listed
  std::size_t documents;               // documents the server received
  friend void PrintTo(const CliCase& c, std::ostream* os) { *os << c.name; }
};

class CliAgainstServer : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliAgainstServer, ResultLinesAndExitStatusSayWhatHappened) {
  const CliCase& c = GetParam();
  FakeIppServer server(Printers());
  if (c.operation == IPP_OP_CUPS_NONE) {
    server.SetOthers(c.behaviour);
  } else {
    server.Set(c.operation, c.behaviour);
  }
  testing::TempFolder folder;
  std::vector<std::string> args = {VARNOK_PRINTER_PROGRAM, "-h", server.Address()};
  for (const std::string& arg : c.args) {
    args.push_back(arg == "{file}" ? folder.Write("label.prn", kLabel) : arg);
  }

  const auto start = std::chrono::steady_clock::now();
  const CommandResult result = testing::RunCommand(args);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  testing::ReportFigure(std::string(c.name), took.count(), "s");

  EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
  std::map<std::string_view, std::size_t> expected;
  for (const std::string_view part : c.says) ++expected[part];
  for (const auto& [part, times] : expected) {
    EXPECT_EQ(Count(result.output, part), times) << part << " in:\n" << result.output;
  }
  EXPECT_EQ(Count(result.output, kPasswordPrompt), 0u) << "never a prompt without a terminal";
  if (result.exit_code != 0) {
    EXPECT_EQ(Count(result.output, kNotice), 0u) << "the notice follows only an acknowledged send";
  }
  EXPECT_EQ(server.Documents(),
            std::vector<std::string>(c.documents, c.args[0] == "send" ? kLabel : "^@\r"));
  // Every run ends, however the server answers; the figures above tell how soon.
  EXPECT_LT(took, 90s);
}

constexpr std::string_view kNoAnswer = "did not answer in time";
constexpr std::string_view kLost = "the connection to the print system was lost";
constexpr std::string_view kWantsPassword = "wants a password for user";
constexpr std::string_view kNotAPrintServer =
    "is not a CUPS print server: it answered \"Not Implemented\"";

INSTANTIATE_TEST_SUITE_P(
    Server, CliAgainstServer,
    ::testing::Values(
        CliCase{"SetDocumentHeld",
                {"set", "reset-user", kQueue, "--lang", "en"},
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Hold},
                1,
                {"not sent: ", kNoAnswer},
                1},
        CliCase{"SetDocumentDropped",
                {"set", "reset-user", kQueue, "--lang", "en"},
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Close},
                1,
                {"not sent: ", kLost},
                1},
        // Acknowledged, but the check after it went unanswered: sent, with a note, exit 0.
        CliCase{"SetCheckHeld",
                {"set", "reset-user", kQueue, "--json", "--lang", "en"},
                IPP_OP_GET_PRINTER_ATTRIBUTES,
                {.reply = Reply::Hold, .after_document = true},
                0,
                {"\"result\": \"sent\"", "the print system did not answer the check afterwards",
                 kNotice},
                1},
        CliCase{"SetQueueGoneAtTheCheck",
                {"set", "reset-user", kQueue, "--lang", "en"},
                IPP_OP_GET_PRINTER_ATTRIBUTES,
                {.reply = Reply::Status,
                 .status = IPP_STATUS_ERROR_NOT_FOUND,
                 .message = "gone",
                 .after_document = true},
                0,
                {"sent; the queue could not be opened again afterwards", kNotice},
                1},
        CliCase{"SendDocumentHeld",
                {"send", "{file}", kQueue},
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Hold},
                1,
                {"not sent: ", kNoAnswer},
                1},
        // Once the print system has not answered, the other queues are not tried.
        CliCase{"SendToThreeQueuesOfAServerThatStoppedAnswering",
                {"send", "{file}", kQueue, "VARNOK_L410", "VARNOK_RS5"},
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Hold},
                1,
                {kNoAnswer, "not tried: ", "not tried: ", "had stopped answering",
                 "had stopped answering"},
                1},
        CliCase{"SendDocumentDropped",
                {"send", "{file}", kQueue},
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Close},
                1,
                {"not sent: ", kLost},
                1},
        // An answer that pauses on its way is read whole, as long as no pause is a long one.
        CliCase{"ListWithPausesInTheAnswer",
                {"list", "--names"},
                IPP_OP_CUPS_GET_PRINTERS,
                {.reply = Reply::Stream, .pieces = 3, .pause = 1500ms},
                0,
                {"VARNOK_RS5"},
                0},
        // Device discovery and the driver list are streamed as the scheduler finds them: slow
        // in all and with pauses, but never silent for long, they are read to their end.
        CliCase{"DevicesStreamedSlowly",
                {"devices", "--json"},
                IPP_OP_CUPS_GET_DEVICES,
                {.reply = Reply::Stream, .pieces = 12, .pause = 1s},
                0,
                {"\"uri\": \"socket://127.0.0.1:9100\"", "\"uri\": \"socket://127.0.0.1:9139\""},
                0},
        CliCase{"AddWithADriverListOfMoreThanTenSeconds",
                {"add", "VARNOK_NEW", "--model", "VARNOK L410", "--address", "127.0.0.1", "--lang",
                 "en"},
                IPP_OP_CUPS_GET_PPDS,
                {.reply = Reply::Stream, .pieces = 12, .pause = 1s},
                0,
                {"Added the queue VARNOK_NEW"},
                0},
        CliCase{"DevicesStoppedMidAnswer",
                {"devices", "--timeout", "1", "--lang", "en"},
                IPP_OP_CUPS_GET_DEVICES,
                {.reply = Reply::Stream, .pieces = 4, .stalls = true},
                1,
                {kNoAnswer},
                0},
        CliCase{"ListDripped",
                {"list"},
                IPP_OP_CUPS_GET_PRINTERS,
                {.reply = Reply::Drip},
                1,
                {"the print system at 127.0.0.1:", "did not answer in time"},
                0},
        // Without a terminal nothing is asked: the command says once what the server wants.
        CliCase{"SetWithoutTerminalToAServerWantingAPassword",
                {"set", "reset-user", kQueue, "VARNOK_L410", "VARNOK_RS5", "--lang", "en"},
                IPP_OP_CUPS_NONE,
                {.reply = Reply::Unauthorized, .password = "secret"},
                1,
                {kWantsPassword},
                0},
        // A web server that is no print server is named as such, once, whatever was asked.
        CliCase{"ListFromAWebServer",
                {"list"},
                IPP_OP_CUPS_NONE,
                {.reply = Reply::NotIpp},
                1,
                {kNotAPrintServer},
                0},
        CliCase{"SendToAWebServer",
                {"send", "{file}", kQueue},
                IPP_OP_CUPS_NONE,
                {.reply = Reply::NotIpp},
                1,
                {kNotAPrintServer},
                0},
        CliCase{"ListWithoutTerminalToAServerWantingAPassword",
                {"list"},
                IPP_OP_CUPS_NONE,
                {.reply = Reply::Unauthorized, .password = "secret"},
                1,
                {kWantsPassword},
                0}),
    ::testing::PrintToStringParamName());

// On a terminal the password is asked once, without echo, for every queue of the call; a wrong
// one is not asked for again.
TEST(CliPassword, AskedOnceOnATerminalForEveryQueue) {
  const struct {
    const char* typed;
    int exit_code;
    std::string_view says;
    std::size_t times;  // a line a queue, or one refusal before any queue
    std::size_t documents;
  } cases[] = {{"secret\n", 0, "sent", 3, 3}, {"wrong\n", 1, "did not accept the password", 1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    FakeIppServer server(Printers());
    server.SetOthers({.reply = Reply::Unauthorized, .password = "secret"});
    const CommandResult result =
        testing::RunInTerminal({VARNOK_PRINTER_PROGRAM, "-h", server.Address(), "set", "reset-user",
                                kQueue, "VARNOK_L410", "VARNOK_RS5", "--lang", "en"},
                               kPasswordPrompt, c.typed);
    EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
    EXPECT_EQ(Count(result.output, kPasswordPrompt), 1u) << result.output;
    EXPECT_EQ(Count(result.output, "secret") + Count(result.output, "wrong\r"), 0u)
        << "echoed: " << result.output;
    EXPECT_EQ(Count(result.output, c.says), c.times) << result.output;
    EXPECT_EQ(server.Documents().size(), c.documents);
  }
}

// Text from the print server or the user never acts on the terminal: escape sequences in a
// queue's name, in the server's status messages or in a typed name arrive as visible text, on
// every path to standard output and error.
TEST(CliServerText, ReachesTheTerminalOnlyAsVisibleText) {
  const std::string escapes = "\x1b]0;owned\x07\x1b[2J";
  const std::string shown = "\\x1B]0;owned\\x07\\x1B[2J";
  const struct {
    std::vector<std::string> args;
    ipp_op_t failing;  // answered with the escapes as its status message, unless CUPS_NONE
    int exit_code;
  } cases[] = {
      {{"list"}, IPP_OP_CUPS_GET_PRINTERS, 1},
      {{"add", "--model", "VARNOK L410", "--address", "127.0.0.1"}, IPP_OP_CUPS_GET_PRINTERS, 1},
      {{"set", "reset-user", kQueue}, IPP_OP_CREATE_JOB, 1},
      {{"send", "{file}", kQueue}, IPP_OP_CREATE_JOB, 1},
      {{"list"}, IPP_OP_CUPS_NONE, 0},  // a queue's name and driver
      {{"list", "--names"}, IPP_OP_CUPS_NONE, 0},
      {{"set", "reset-user", "VARNOK_Typed" + escapes}, IPP_OP_CUPS_NONE, 2},
  };
  testing::TempFolder folder;
  for (const auto& c : cases) {
    std::vector<testing::FakePrinter> printers = Printers();
    printers.push_back({"VARNOK_" + escapes, "VARNOK " + escapes});
    FakeIppServer server(printers);
    if (c.failing != IPP_OP_CUPS_NONE) {
      server.Set(c.failing,
                 {.reply = Reply::Status, .status = IPP_STATUS_ERROR_INTERNAL, .message = escapes});
    }
    std::vector<std::string> args = {VARNOK_PRINTER_PROGRAM, "-h", server.Address()};
    for (const std::string& arg : c.args) {
      args.push_back(arg == "{file}" ? folder.Write("label.prn", kLabel) : arg);
    }
    const CommandResult result = testing::RunCommand(args);
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    EXPECT_EQ(result.exit_code, c.exit_code) << result.output;
    EXPECT_EQ(result.output.find_first_of("\x1b\x07"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(shown), std::string::npos) << result.output;
  }
}

}  // namespace
}  // namespace varnok
