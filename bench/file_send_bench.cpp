// Sending a 200 MiB file: the send-file window's send path against `lp -d QUEUE -o raw FILE`,
// each timed to the last byte at a virtual printer, and the sender's peak memory growth.
//
// Each send runs in a process of its own, so the printer's capture (which holds a job in
// memory) does not count towards the sender's memory. "file_send_bench --send QUEUE FILE" is
// that process for the window's send path; it prints its peak memory growth in KiB.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "figures.h"
#include "send_file/file_send.h"
#include "spooler/cups_spooler.h"
#include "spooler/label_printer/spooler_label_printer.h"
#include "support/temp_folder.h"
#include "support/virtual_printers.h"

namespace {

using Clock = std::chrono::steady_clock;
using varnok::testing::VirtualPrinters;

constexpr const char* kQueue = "VARNOK_BENCH";
constexpr std::size_t kFileMebibytes = 200;
constexpr int kRounds = 3;

// A value in KiB from /proc/self/status ("VmRSS", "VmHWM").
long StatusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == field + ":") {
      status >> value;
      return value;
    }
    status.ignore(1 << 12, '\n');
  }
  return -1;
}

class ConsoleMessages : public varnok::UserMessages {
 public:
  void Show(const varnok::Message& message) override { std::cerr << message.text << "\n"; }
};

class NoProgress : public varnok::SendProgress {
 public:
  bool Continue(std::uint64_t, std::uint64_t) override { return true; }
};

// The sending process: the window's send path, with the peak resident memory measured from
// just before the send.
int SendAndReportMemory(const std::string& queue, const std::string& path) {
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const long before = StatusKiB("VmRSS");
  varnok::CupsSpooler spooler;
  varnok::SpoolerLabelPrinter sdk(spooler);
  ConsoleMessages messages;
  NoProgress progress;
  const varnok::SendFileResult result =
      varnok::SendFile(sdk, messages, queue, path, progress).result;
  std::cout << StatusKiB("VmHWM") - before << std::endl;
  return result == varnok::SendFileResult::Sent ? 0 : 1;
}

constexpr std::uint64_t kFnvStart = 1469598103934665603ull;

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = kFnvStart) {
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

std::string WriteFile(const varnok::testing::TempFolder& folder, std::uint64_t& hash) {
  const std::string path = folder.path() + "/labels.prn";
  std::ofstream out(path, std::ios::binary);
  std::string piece(1024 * 1024, '\0');
  std::string all;
  for (std::size_t m = 0; m < kFileMebibytes; ++m) {
    for (std::size_t i = 0; i < piece.size(); ++i)
      piece[i] = static_cast<char>((i * 131 + m) % 256);
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    all += piece;
  }
  hash = Fnv1a(all);
  return path;
}

struct Run {
  double seconds = 0;
  std::string output;
  bool whole = false;  // the printer received exactly the file
};

// Runs the sender command and waits for the job's last byte at the printer.
Run TimeSend(VirtualPrinters& printers, const std::string& command, std::uint64_t hash) {
  Run run;
  const auto start = Clock::now();
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) run.output += buffer;
    if (pclose(pipe) != 0) std::cerr << "failed: " << command << "\n";
  }
  const std::optional<std::string> job = printers.WaitForJob(kQueue, std::chrono::minutes(5));
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.whole = job && job->size() == kFileMebibytes * 1024 * 1024 && Fnv1a(*job) == hash;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--send") return SendAndReportMemory(argv[2], argv[3]);

  auto printers = VirtualPrinters::Start({{kQueue, "VARNOK K540 200DPI"}});
  varnok::testing::TempFolder folder;
  std::uint64_t hash = 0;
  const std::string path = WriteFile(folder, hash);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();

  std::vector<double> ours, lp;
  long peak_growth_kib = 0;
  bool all_whole = true;
  for (int round = 0; round < kRounds; ++round) {
    const Run sent =
        TimeSend(*printers, "'" + self + "' --send " + kQueue + " '" + path + "'", hash);
    const Run reference = TimeSend(
        *printers, std::string("lp -d ") + kQueue + " -o raw '" + path + "' >/dev/null", hash);
    ours.push_back(sent.seconds);
    lp.push_back(reference.seconds);
    peak_growth_kib = std::max(peak_growth_kib, std::stol("0" + sent.output));
    all_whole = all_whole && sent.whole && reference.whole;
  }

  const double ratio = varnok::bench::Median(ours) / varnok::bench::Median(lp);
  std::printf("file: %zu MiB, %d rounds, median times to the last byte at the printer\n",
              kFileMebibytes, kRounds);
  std::printf("send-file path:        %.2f s\n", varnok::bench::Median(ours));
  std::printf("lp -d QUEUE -o raw:    %.2f s\n", varnok::bench::Median(lp));
  std::printf("ratio:                 %.3f (goal <= 1.1)\n", ratio);
  std::printf("peak memory growth:    %.1f MiB during the send (goal < 16 MiB)\n",
              static_cast<double>(peak_growth_kib) / 1024.0);
  std::printf("every job arrived whole: %s\n", all_whole ? "yes" : "NO");
  return all_whole ? 0 : 1;
}
