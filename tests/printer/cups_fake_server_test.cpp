// Printer access against a fake print server that answers as told: what is reported must be
// what happened at the server, in good time, and nothing is sent twice.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <ostream>

#include "printer/cups_print_server.h"
#include "printer/cups_spooler.h"
#include "printer/printer_access.h"
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
// Each step may take 10 s; this leaves room for a slow machine without hiding a hang.
constexpr auto kStepBound = 20s;

class CupsFakeServer : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("CUPS_SERVER", server.Address().c_str(), 1);
    cupsSetServer(server.Address().c_str());
  }

  // Runs the call, reports its time as a figure and checks that it kept to the step's limit.
  void TimeStep(const std::string& name, const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    testing::ReportFigure(name, took.count(), "s");
    EXPECT_LT(took, kStepBound) << name;
  }

  FakeIppServer server{{{kQueue, "VARNOK K540 200DPI"}, {"VARNOK_Closed", "VARNOK L410", false}}};
  testing::MessageRecorder messages;
};

TEST_F(CupsFakeServer, AnsweringNormallyItListsItsQueuesAndTakesAJob) {
  CupsSpooler spooler;
  EXPECT_EQ(spooler.QueueNames(), (std::vector<std::string>{"VARNOK_Closed", kQueue}));
  EXPECT_EQ(spooler.DescribeQueue(kQueue).make_and_model, "VARNOK K540 200DPI");
  EXPECT_EQ(SendRawText(spooler, messages, kQueue, "#UM>SD12\r", Language::English),
            SendOutcome::Sent);
  EXPECT_EQ(server.Documents(), std::vector<std::string>{"#UM>SD12\r"});
  EXPECT_EQ(SendRawText(spooler, messages, "VARNOK_Closed", "^@\r", Language::English),
            SendOutcome::Refused);
  EXPECT_EQ(server.Requests(IPP_OP_SEND_DOCUMENT), 1);
}

// A job counts as sent only when the answer to its last request arrived and says so.
struct JobCase {
  const char* name;
  ipp_op_t operation;  // the request that gets the behaviour
  Behaviour behaviour;
  std::string_view text;  // empty: a job without a document, completed by Close-Job
  SendOutcome outcome;
  const char* says = nullptr;  // part of the one message shown; nullptr: none
  friend void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }
};

class CupsJobAnswer : public CupsFakeServer, public ::testing::WithParamInterface<JobCase> {};

TEST_P(CupsJobAnswer, SentOnlyWhenTheLastRequestIsAcknowledged) {
  const JobCase& c = GetParam();
  server.Set(c.operation, c.behaviour);
  CupsSpooler spooler;
  SendOutcome outcome{};
  TimeStep(std::string(c.name) + ": send",
           [&] { outcome = SendRawText(spooler, messages, kQueue, c.text, Language::English); });

  EXPECT_EQ(outcome, c.outcome);
  if (c.says == nullptr) {
    EXPECT_TRUE(messages.shown.empty());
  } else {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(c.says), std::string::npos) << messages.shown[0].text;
  }
  // Nothing is sent twice, whatever became of the first try.
  EXPECT_LE(server.Requests(IPP_OP_SEND_DOCUMENT), 1);
  EXPECT_LE(server.Requests(IPP_OP_CREATE_JOB), 1);
}

constexpr char kNoAnswer[] = "did not answer in time";
constexpr char kLost[] = "the connection to the print system was lost";

INSTANTIATE_TEST_SUITE_P(
    Answers, CupsJobAnswer,
    ::testing::Values(
        JobCase{"DocumentAcknowledged", IPP_OP_SEND_DOCUMENT, {}, "^@\r", SendOutcome::Sent},
        JobCase{"DocumentHeld",
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Hold},
                "^@\r",
                SendOutcome::NoAnswer,
                kNoAnswer},
        JobCase{"DocumentDripped",
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Drip},
                "^@\r",
                SendOutcome::NoAnswer,
                kNoAnswer},
        JobCase{"DocumentDropped",
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Close},
                "^@\r",
                SendOutcome::Refused,
                kLost},
        JobCase{"DocumentRefused",
                IPP_OP_SEND_DOCUMENT,
                {.reply = Reply::Status,
                 .status = IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED,
                 .message = "raw documents are not taken here"},
                "^@\r",
                SendOutcome::Refused,
                "raw documents are not taken here"},
        JobCase{"CreationHeld",
                IPP_OP_CREATE_JOB,
                {.reply = Reply::Hold},
                "^@\r",
                SendOutcome::NoAnswer,
                kNoAnswer},
        JobCase{"CreationDropped",
                IPP_OP_CREATE_JOB,
                {.reply = Reply::Close},
                "^@\r",
                SendOutcome::Refused,
                kLost},
        JobCase{"EmptyJobCloseHeld",
                IPP_OP_CLOSE_JOB,
                {.reply = Reply::Hold},
                "",
                SendOutcome::NoAnswer,
                kNoAnswer},
        JobCase{"EmptyJobCloseDropped",
                IPP_OP_CLOSE_JOB,
                {.reply = Reply::Close},
                "",
                SendOutcome::Refused,
                kLost}),
    ::testing::PrintToStringParamName());

// A server that answers one byte at a time is cut off at the step's limit like a silent one.
struct DripCase {
  const char* name;
  ipp_op_t operation;
  bool (*call)(CupsSpooler&, CupsPrintServer&);  // true when the call said that no answer came
  friend void PrintTo(const DripCase& c, std::ostream* os) { *os << c.name; }
};

class CupsDrippingServer : public CupsFakeServer, public ::testing::WithParamInterface<DripCase> {};

TEST_P(CupsDrippingServer, CallEndsWithinTheStepsLimitSayingNoAnswerCame) {
  const DripCase& c = GetParam();
  server.Set(c.operation, {.reply = Reply::Drip});
  CupsSpooler spooler;
  CupsPrintServer print_server;
  TimeStep(std::string(c.name) + " against a dripping server",
           [&] { EXPECT_TRUE(c.call(spooler, print_server)); });
}

INSTANTIATE_TEST_SUITE_P(Calls, CupsDrippingServer,
                         ::testing::Values(DripCase{"QueueNames", IPP_OP_CUPS_GET_PRINTERS,
                                                    [](CupsSpooler& s, CupsPrintServer&) {
                                                      return s.QueueNames().empty();
                                                    }},
                                           DripCase{"Queues", IPP_OP_CUPS_GET_PRINTERS,
                                                    [](CupsSpooler&, CupsPrintServer& p) {
                                                      SpoolerFailure failure;
                                                      return !p.Queues(failure) &&
                                                             failure.no_answer;
                                                    }},
                                           DripCase{"OpenQueue", IPP_OP_GET_PRINTER_ATTRIBUTES,
                                                    [](CupsSpooler& s, CupsPrintServer&) {
                                                      const std::optional<SpoolerFailure> failure =
                                                          s.OpenQueue(kQueue);
                                                      return failure && failure->no_answer;
                                                    }},
                                           DripCase{"CreateRawJob", IPP_OP_CREATE_JOB,
                                                    [](CupsSpooler& s, CupsPrintServer&) {
                                                      SpoolerFailure failure;
                                                      return !s.CreateRawJob(kQueue, "Label",
                                                                             failure) &&
                                                             failure.no_answer;
                                                    }}),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok
