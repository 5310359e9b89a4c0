// Printer access against a fake print server that answers as told: what is reported must be
// what happened at the server.
#include <gtest/gtest.h>

#include <cstdlib>

#include "printer/cups_spooler.h"
#include "printer/printer_access.h"
#include "support/fake_ipp_server.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

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

  FakeIppServer server{{{kQueue, "VARNOK K540 200DPI"}, {"VARNOK_Closed", "VARNOK L410", false}}};
  CupsSpooler spooler;
  testing::MessageRecorder messages;
};

TEST_F(CupsFakeServer, AnsweringNormallyItListsItsQueuesAndTakesAJob) {
  EXPECT_EQ(spooler.QueueNames(), (std::vector<std::string>{"VARNOK_Closed", kQueue}));
  EXPECT_EQ(spooler.DescribeQueue(kQueue).make_and_model, "VARNOK K540 200DPI");
  EXPECT_EQ(SendRawText(spooler, messages, kQueue, "#UM>SD12\r", Language::English),
            SendOutcome::Sent);
  EXPECT_EQ(server.Documents(), std::vector<std::string>{"#UM>SD12\r"});
  EXPECT_EQ(SendRawText(spooler, messages, "VARNOK_Closed", "^@\r", Language::English),
            SendOutcome::Refused);
  EXPECT_EQ(server.Requests(IPP_OP_SEND_DOCUMENT), 1);
}

}  // namespace
}  // namespace varnok
