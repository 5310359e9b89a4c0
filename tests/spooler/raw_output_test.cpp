#include <gtest/gtest.h>

#include "spooler/printer_access.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::MessageRecorder;

const Message kNoSuchPrinter{
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.",
    "VarnoK Utility", MessageIcon::None, MessageButtons::Ok};

TEST(SendRawText, SendsTheTextAsOneLabelJobInOneWrite) {
  FakeSpooler spooler;
  spooler.AddQueue("VARNOKX");
  MessageRecorder messages;
  const std::string text = "#UM>SL\r\n#UM>DI1\r";

  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", text, Language::English));

  ASSERT_EQ(spooler.jobs().size(), 1u);
  const auto& job = spooler.jobs()[0];
  EXPECT_EQ(job.queue, "VARNOKX");
  EXPECT_EQ(job.title, "Label");
  EXPECT_EQ(job.bytes, text);
  EXPECT_EQ(job.writes, 1);
  EXPECT_TRUE(job.finished);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(SendRawText, EmptyTextFinishesAJobWithoutAnyWrite) {
  FakeSpooler spooler;
  spooler.AddQueue("VARNOKX");
  MessageRecorder messages;

  EXPECT_TRUE(SendRawText(spooler, messages, "VARNOKX", "", Language::English));

  ASSERT_EQ(spooler.jobs().size(), 1u);
  EXPECT_EQ(spooler.jobs()[0].writes, 0);
  EXPECT_TRUE(spooler.jobs()[0].finished);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(SendRawText, MissingQueueShowsTheMessageOnceAndSendsNothing) {
  FakeSpooler spooler;
  spooler.AddQueue("VARNOKX");
  MessageRecorder messages;

  const SpoolerResult<void> sent =
      SendRawText(spooler, messages, "VARNOK_GONE", "#UM>SL\r\n", Language::English);
  ASSERT_FALSE(sent);
  EXPECT_EQ(sent.failure(), FakeSpooler::kMissing);

  EXPECT_TRUE(spooler.jobs().empty());
  EXPECT_EQ(messages.shown, std::vector<Message>{kNoSuchPrinter});
}

struct RefusalCase {
  const char* name;
  void (*break_queue)(FakeSpooler::Queue&);
  const char* reason;
  bool job_created;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class SendRawTextRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SendRawTextRefusal, TellsTheUserWhyAndReportsTheRefusal) {
  FakeSpooler spooler;
  FakeSpooler::Queue queue;
  GetParam().break_queue(queue);
  spooler.AddQueue("VARNOKX", queue);
  MessageRecorder messages;

  const SpoolerResult<void> sent =
      SendRawText(spooler, messages, "VARNOKX", "#UM>SL\r\n", Language::English);
  ASSERT_FALSE(sent);
  EXPECT_EQ(sent.failure().reason, GetParam().reason);

  ASSERT_EQ(messages.shown.size(), 1u);
  const Message& shown = messages.shown[0];
  EXPECT_EQ(shown.text, std::string("Could not send to printer VARNOKX: ") + GetParam().reason);
  EXPECT_EQ(shown.title, "VarnoK Utility");
  EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  ASSERT_EQ(spooler.jobs().size(), GetParam().job_created ? 1u : 0u);
  if (GetParam().job_created) {
    // A job the spooler may still hold half-written must not be left to print.
    EXPECT_TRUE(spooler.jobs()[0].cancelled);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SendRawTextRefusal,
    ::testing::Values(RefusalCase{"NotAcceptingJobs",
                                  [](FakeSpooler::Queue& q) { q.refuses_jobs = true; },
                                  "Destination \"VARNOKX\" is not accepting jobs.", false},
                      RefusalCase{"WriteFails", [](FakeSpooler::Queue& q) { q.write_fails = true; },
                                  "write failed", true},
                      RefusalCase{"FinishFails",
                                  [](FakeSpooler::Queue& q) { q.finish_fails = true; },
                                  "finish failed", true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CheckQueueAfterSending, FollowsTheSpooler) {
  FakeSpooler spooler;
  spooler.AddQueue("VARNOKX");

  EXPECT_EQ(CheckQueueAfterSending(spooler, "VARNOKX"), QueueCheck::Opened);
  EXPECT_EQ(CheckQueueAfterSending(spooler, "VARNOK_GONE"), QueueCheck::NotOpened);
}

}  // namespace
}  // namespace varnok
