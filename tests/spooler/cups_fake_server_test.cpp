// Printer access against a fake print server that answers as told: what is reported must be
// what happened at the server, in good time, and nothing is sent twice.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <ostream>

#include "spooler/cups_spooler.h"
#include "spooler/printer_access.h"
#include "support/fake_ipp_server.h"
#include "support/figures.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

using namespace std::chrono_literals;
using testing::Behaviour;
using testing::FakeIppServer;
using testing::Reply;

constexpr char kQueue[] = "VARNOK_K540";

class CupsFakeServer : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("CUPS_SERVER", server.Address().c_str(), 1);
    cupsSetServer(server.Address().c_str());
  }

  // Runs the call, reports its time as a figure and checks that it kept to the step's limit of
  // 10 s, with room for a slow machine.
  static void TimeStep(const std::string& name, const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    testing::ReportFigure(name, took.count(), "s");
    EXPECT_LT(took, 20s) << name;
  }

  FakeIppServer server{std::vector<testing::FakePrinter>{{kQueue, "VARNOK K540 200DPI"}}};
  CupsSpooler spooler;
};

// How a send ended, as the user is told.
enum class Ending { Sent, NoAnswer, Refused };

Ending EndingOf(const SpoolerResult<void>& sent) {
  if (sent) return Ending::Sent;
  return sent.failure().no_answer ? Ending::NoAnswer : Ending::Refused;
}

// A job counts as sent only when the answer to its last request arrived and says so.
struct JobCase {
  const char* name;
  ipp_op_t operation;  // the request that gets the behaviour
  Behaviour behaviour;
  std::string_view text;  // empty: a job without a document, completed by Close-Job
  Ending ending;
  const char* says = nullptr;  // part of the one message shown; nullptr: none
  friend void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }
};

class CupsJobAnswer : public CupsFakeServer, public ::testing::WithParamInterface<JobCase> {};

TEST_P(CupsJobAnswer, SentOnlyWhenTheLastRequestIsAcknowledged) {
  const JobCase& c = GetParam();
  server.Set(c.operation, c.behaviour);
  testing::MessageRecorder messages;
  Ending ending{};
  TimeStep(c.name, [&] {
    ending = EndingOf(SendRawText(spooler, messages, kQueue, c.text, Language::English));
  });

  EXPECT_EQ(ending, c.ending);
  ASSERT_EQ(messages.shown.size(), c.says ? 1u : 0u);
  if (c.says) {
    EXPECT_NE(messages.shown[0].text.find(c.says), std::string::npos);
  }
  // The server got the document once, whatever became of its answer: nothing is sent twice.
  EXPECT_EQ(server.Documents(), c.text.empty() ? std::vector<std::string>{}
                                               : std::vector<std::string>{std::string(c.text)});
}

constexpr char kNoAnswer[] = "did not answer in time";
constexpr char kLost[] = "the connection to the print system was lost";

INSTANTIATE_TEST_SUITE_P(
    Answers, CupsJobAnswer,
    ::testing::Values(JobCase{"Acknowledged", IPP_OP_SEND_DOCUMENT, {}, "^@\r", Ending::Sent},
                      JobCase{"DocumentHeld",
                              IPP_OP_SEND_DOCUMENT,
                              {.reply = Reply::Hold},
                              "^@\r",
                              Ending::NoAnswer,
                              kNoAnswer},
                      JobCase{"DocumentDropped",
                              IPP_OP_SEND_DOCUMENT,
                              {.reply = Reply::Close},
                              "^@\r",
                              Ending::Refused,
                              kLost},
                      JobCase{"DocumentRefused",
                              IPP_OP_SEND_DOCUMENT,
                              {.reply = Reply::Status,
                               .status = IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED,
                               .message = "raw documents are not taken here"},
                              "^@\r",
                              Ending::Refused,
                              "raw documents are not taken here"},
                      JobCase{"EmptyJobCloseHeld",
                              IPP_OP_CLOSE_JOB,
                              {.reply = Reply::Hold},
                              "",
                              Ending::NoAnswer,
                              kNoAnswer},
                      JobCase{"EmptyJobCloseDropped",
                              IPP_OP_CLOSE_JOB,
                              {.reply = Reply::Close},
                              "",
                              Ending::Refused,
                              kLost}),
    ::testing::PrintToStringParamName());

// A second for a step: enough on a busy machine for an answer the server gives at once.
constexpr StepLimits kShortLimits{1s, 1s};

// A spooler's requests one after another go over one connection, and one thread, kept between
// them; a connection the server dropped, or one whose step ran out of time, is made anew, and the
// next request is answered on it.
TEST_F(CupsFakeServer, RequestsShareAConnectionMadeAnewWhenItBreaks) {
  const struct {
    const char* name;
    Behaviour open;   // the answer to opening the queue, asked first
    int connections;  // taken for the open and two queue lists after it
  } cases[] = {
      {"Answered", {}, 1},
      {"Dropped", {.reply = Reply::Close}, 2},
      {"RanOutOfTime", {.reply = Reply::Hold}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server.Set(IPP_OP_GET_PRINTER_ATTRIBUTES, c.open);
    const int before = server.Connections();
    CupsSpooler fresh(nullptr, kShortLimits);
    EXPECT_EQ(fresh.OpenQueue(kQueue).ok(), c.open.reply == Reply::Normal);
    EXPECT_EQ(*fresh.ListQueues(), std::vector<std::string>{kQueue});
    EXPECT_EQ(*fresh.ListQueues(), std::vector<std::string>{kQueue});
    EXPECT_EQ(server.Connections() - before, c.connections);
  }
}

// A server that answers a byte at a time is cut off at the step's limit like a silent one.
TEST_F(CupsFakeServer, EveryStepEndsWithinItsLimitAgainstADrippingServer) {
  const struct {
    ipp_op_t operation;
    const char* name;
    std::function<bool(CupsSpooler&)> call;  // true when it said that no answer came
  } cases[] = {
      {IPP_OP_CUPS_GET_PRINTERS, "queue list",
       [](CupsSpooler& s) {
         const SpoolerResult<std::vector<std::string>> listed = s.ListQueues();
         return !listed && listed.failure().no_answer;
       }},
      {IPP_OP_GET_PRINTER_ATTRIBUTES, "queue open",
       [](CupsSpooler& s) {
         const SpoolerResult<void> opened = s.OpenQueue(kQueue);
         return !opened && opened.failure().no_answer;
       }},
      {IPP_OP_SEND_DOCUMENT, "document",
       [](CupsSpooler& s) {
         testing::MessageRecorder ignored;
         return EndingOf(SendRawText(s, ignored, kQueue, "^@\r", Language::English)) ==
                Ending::NoAnswer;
       }},
  };
  for (const auto& c : cases) {
    server.Set(c.operation, {.reply = Reply::Drip});
    TimeStep(std::string("dripped ") + c.name, [&] { EXPECT_TRUE(c.call(spooler)) << c.name; });
    server.Set(c.operation, {});
  }
}

}  // namespace
}  // namespace varnok
