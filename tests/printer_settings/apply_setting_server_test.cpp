// The configuration window's OK against a print server that misbehaves: the notice only for a
// setting the server acknowledged, a message that says what happened otherwise, and a password
// asked through the window's prompt, never on a terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

#include "printer_settings/apply_setting.h"
#include "spooler/cups_spooler.h"
#include "spooler/print_server_password.h"
#include "support/fake_ipp_server.h"
#include "support/figures.h"
#include "support/language_shorthands.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

using namespace std::chrono_literals;
using testing::Behaviour;
using testing::FakeIppServer;
using testing::Reply;

constexpr char kQueue[] = "VARNOK_K540";
constexpr char kNoticeEn[] =
    "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!";
constexpr char kNoticeCn[] =
    "传送完毕，5秒钟后请关闭打印机开关，再打开打印机开关，启动后做用户级复位操作！";

// The window's prompt, as the user answers it.
class AnsweringPrompt : public PasswordPrompt {
 public:
  explicit AnsweringPrompt(std::optional<std::string> answer) : answer_(std::move(answer)) {}
  std::optional<std::string> AskPassword(std::string_view user, std::string_view server) override {
    asked.push_back(std::string(user) + "@" + std::string(server));
    return answer_;
  }
  std::vector<std::string> asked;

 private:
  std::optional<std::string> answer_;
};

struct OkCase {
  const char* name;
  Language window;
  ipp_op_t operation;  // CUPS_NONE: every operation
  Behaviour behaviour;
  std::optional<std::string> typed;  // what the user types into the password prompt
  ApplyOutcome outcome;
  const char* says;  // part of the one message shown; nullptr: none at all
  int documents;     // documents the server received
  friend void PrintTo(const OkCase& c, std::ostream* os) { *os << c.name; }
};

class OkAgainstServer : public ::testing::TestWithParam<OkCase> {};

TEST_P(OkAgainstServer, ShowsWhatHappened) {
  const OkCase& c = GetParam();
  FakeIppServer server(std::vector<testing::FakePrinter>{{kQueue, "VARNOK K540 200DPI"}});
  setenv("CUPS_SERVER", server.Address().c_str(), 1);
  cupsSetServer(server.Address().c_str());
  if (c.operation == IPP_OP_CUPS_NONE) {
    server.SetOthers(c.behaviour);
  } else {
    server.Set(c.operation, c.behaviour);
  }
  AnsweringPrompt prompt(c.typed);
  PrintServerPassword password(prompt, PrintServerPassword::Asking::AgainWhenRefused);
  CupsSpooler spooler(&password);
  testing::MessageRecorder messages;
  SettingInputs inputs;
  inputs.queue = kQueue;
  inputs.item_text = c.window == Language::Chinese ? "高级复位" : "The advanced reset";

  const auto start = std::chrono::steady_clock::now();
  const ApplyOutcome outcome = ApplySetting(c.window, inputs, spooler, messages, "/nonexistent");
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  testing::ReportFigure(std::string(c.name) + ": OK", took.count(), "s");

  EXPECT_EQ(outcome, c.outcome);
  if (c.says == nullptr) {
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
  } else {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(c.says), std::string::npos) << messages.shown[0].text;
  }
  EXPECT_EQ(server.Documents(), std::vector<std::string>(c.documents, "#UM>IF\r"));
  // The password is asked at most once a press, whatever the server makes of it.
  EXPECT_EQ(prompt.asked.size(), c.behaviour.reply == Reply::Unauthorized ? 1u : 0u);
  EXPECT_LT(took, 20s);
}

INSTANTIATE_TEST_SUITE_P(
    Server, OkAgainstServer,
    ::testing::Values(
        OkCase{"Acknowledged", kEn, IPP_OP_SEND_DOCUMENT, {}, {}, ApplyOutcome::Sent, kNoticeEn, 1},
        OkCase{"DocumentHeld",
               kEn,
               IPP_OP_SEND_DOCUMENT,
               {.reply = Reply::Hold},
               {},
               ApplyOutcome::SendFailed,
               "did not answer in time",
               1},
        OkCase{"DocumentDropped",
               kCn,
               IPP_OP_SEND_DOCUMENT,
               {.reply = Reply::Close},
               {},
               ApplyOutcome::SendFailed,
               "the connection to the print system was lost",
               1},
        // Acknowledged, then the check after it goes unanswered: no notice and no advice to send
        // again, as for a queue that does not open again.
        OkCase{"CheckHeld",
               kCn,
               IPP_OP_GET_PRINTER_ATTRIBUTES,
               {.reply = Reply::Hold, .after_document = true},
               {},
               ApplyOutcome::CheckUnanswered,
               nullptr,
               1},
        OkCase{"PasswordGiven",
               kEn,
               IPP_OP_CUPS_NONE,
               {.reply = Reply::Unauthorized, .password = "secret"},
               "secret",
               ApplyOutcome::Sent,
               kNoticeEn,
               1},
        OkCase{"PasswordCancelled",
               kCn,
               IPP_OP_CUPS_NONE,
               {.reply = Reply::Unauthorized, .password = "secret"},
               std::nullopt,
               ApplyOutcome::NoDriverName,
               "需要用户",
               0},
        OkCase{"PasswordWrong",
               kEn,
               IPP_OP_CUPS_NONE,
               {.reply = Reply::Unauthorized, .password = "secret"},
               "wrong",
               ApplyOutcome::NoDriverName,
               "did not accept the password of user",
               0}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok
