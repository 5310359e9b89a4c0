#include <cups/cups.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <ostream>
#include <string>
#include <thread>

#include "spooler/cups_spooler.h"
#include "spooler/printer_access.h"
#include "support/loopback.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

// A "scheduler" that answers every request with a web page instead of an IPP message.
class WrongServer {
 public:
  WrongServer() : listener_(testing::OpenLoopbackListener(port_)), thread_([this] { Serve(); }) {}
  ~WrongServer() {
    shutdown(listener_, SHUT_RDWR);
    thread_.join();
    close(listener_);
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  void Serve() {
    for (int client; (client = accept(listener_, nullptr, nullptr)) >= 0; close(client)) {
      char request[4096];
      [[maybe_unused]] ssize_t ignored = read(client, request, sizeof(request));
      const std::string page =
          "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"
          "Connection: close\r\n\r\n<html></html>";
      ignored = write(client, page.data(), page.size());
    }
  }

  int port_ = 0;
  int listener_;
  std::thread thread_;
};

TEST(CupsBrokenAnswer, ADescriptionRequestWithoutAnIppAnswerIsTheSizeQueryFailure) {
  WrongServer server;
  setenv("CUPS_SERVER", server.Address().c_str(), 1);
  cupsSetServer(server.Address().c_str());
  CupsSpooler spooler;
  testing::MessageRecorder messages;

  EXPECT_FALSE(GetQueueDriverName(spooler, messages, "VARNOKX", Language::English));

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, " > GetPrinter Failed on initial call! <");
}

// A scheduler that has hung: the system completes connections into its listener's backlog, but
// nothing ever reads or answers them. Every call gives up within the program's own wait, and
// what it reports says that no answer came.
struct SilentCase {
  const char* name;
  bool (*call)(CupsSpooler&);  // true when the call reported the missing answer
  friend void PrintTo(const SilentCase& c, std::ostream* os) { *os << c.name; }
};

class CupsSilentScheduler : public ::testing::TestWithParam<SilentCase> {};

TEST_P(CupsSilentScheduler, CallEndsInGoodTimeSayingNoAnswerCame) {
  int port = 0;
  const int listener = testing::OpenLoopbackListener(port);
  const std::string address = "127.0.0.1:" + std::to_string(port);
  setenv("CUPS_SERVER", address.c_str(), 1);
  cupsSetServer(address.c_str());
  CupsSpooler spooler;

  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(GetParam().call(spooler));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  close(listener);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CupsSilentScheduler,
    ::testing::Values(SilentCase{"ListQueues",
                                 [](CupsSpooler& s) {
                                   const auto listed = s.ListQueues();
                                   return !listed && listed.failure().no_answer;
                                 }},
                      SilentCase{"OpenQueue",
                                 [](CupsSpooler& s) {
                                   const SpoolerResult<void> opened = s.OpenQueue("VARNOKX");
                                   return !opened && opened.failure().no_answer;
                                 }},
                      SilentCase{"DescribeQueue",
                                 [](CupsSpooler& s) {
                                   const auto description = s.DescribeQueue("VARNOKX");
                                   return !description &&
                                          description.failure().describe ==
                                              DescribeFailure::SizeQueryFailed &&
                                          description.failure().no_answer;
                                 }},
                      SilentCase{"CreateRawJob",
                                 [](CupsSpooler& s) {
                                   const auto job = s.CreateRawJob("VARNOKX", "Label");
                                   return !job && job.failure().no_answer;
                                 }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace varnok
