// How long a command takes from the call until its last byte reaches the printer: SendRawText
// in this process against the CUPS command `lp -d QUEUE -o raw FILE`, on a virtual printer.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "figures.h"
#include "spooler/cups_spooler.h"
#include "spooler/printer_access.h"
#include "support/message_recorder.h"
#include "support/run_command.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kSends = 25;
constexpr int kWarmUpSends = 3;
constexpr const char* kQueue = "VARNOK_BENCH";
const std::string kCommand = "#UM>SL\r\n";

// One send, timed until the printer has the whole job; throws when the job does not arrive.
double TimeToLastByte(varnok::testing::VirtualPrinters& printers,
                      const std::function<void()>& send) {
  const auto start = Clock::now();
  send();
  auto received = printers.WaitForJob(kQueue, std::chrono::seconds(10));
  const Milliseconds elapsed = Clock::now() - start;
  if (received != kCommand) throw std::runtime_error("the job did not arrive intact");
  return elapsed.count();
}

}  // namespace

int main() try {
  using varnok::testing::VirtualPrinters;
  auto printers = VirtualPrinters::Start({{kQueue, "VARNOK K540 200DPI"}});
  varnok::CupsSpooler spooler;
  varnok::testing::MessageRecorder messages;

  const std::filesystem::path file = std::filesystem::path(printers->CaptureFolder()) / "cmd.prn";
  std::ofstream(file, std::ios::binary) << kCommand;

  auto send_raw_text = [&] {
    if (!varnok::SendRawText(spooler, messages, kQueue, kCommand, varnok::Language::English)) {
      throw std::runtime_error("SendRawText failed: " + messages.shown.back().text);
    }
  };
  auto lp = [&] {
    auto result = varnok::testing::RunCommand({"lp", "-d", kQueue, "-o", "raw", file.string()});
    if (result.exit_code != 0) throw std::runtime_error("lp failed: " + result.output);
  };

  std::vector<double> in_process;
  std::vector<double> with_lp;
  // Alternating, so that any drift of the machine touches both alike.
  for (int i = 0; i < kWarmUpSends + kSends; ++i) {
    double raw_ms = TimeToLastByte(*printers, send_raw_text);
    double lp_ms = TimeToLastByte(*printers, lp);
    if (i < kWarmUpSends) continue;
    in_process.push_back(raw_ms);
    with_lp.push_back(lp_ms);
  }

  const double raw_median = varnok::bench::Median(in_process);
  const double lp_median = varnok::bench::Median(with_lp);
  std::printf("sends each: %d (after %d warm-up sends)\n", kSends, kWarmUpSends);
  std::printf("SendRawText -> last byte, median: %7.2f ms\n", raw_median);
  std::printf("lp -o raw   -> last byte, median: %7.2f ms\n", lp_median);
  std::printf("ratio SendRawText / lp:           %7.2f (goal <= 1.0, aim 0.5)\n",
              raw_median / lp_median);
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "raw_send_bench: %s\n", error.what());
  return 1;
}
