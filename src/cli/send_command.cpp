#include "cli/send_command.h"

#include <atomic>
#include <chrono>

#include "cli/json_output.h"
#include "cli/reason_recorder.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "printer/sdk/file_to_send.h"
#include "printer/sdk/spooler_label_printer.h"
#include "settings/utf8_path.h"
#include "transfer/file_send.h"
#include "transfer/send_progress_text.h"

namespace varnok::cli {
namespace {

std::atomic<bool> interrupted{false};

// Progress on one terminal line, a few times a second; stops the send when interrupted.
class TerminalProgress : public SendProgress {
 public:
  TerminalProgress(std::ostream* terminal, std::string file_name, std::string queue)
      : terminal_(terminal), file_name_(std::move(file_name)), queue_(std::move(queue)) {}
  ~TerminalProgress() override {
    if (shown_) *terminal_ << "\n";
  }

  bool Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) override {
    if (interrupted) return false;
    if (terminal_ == nullptr || !ShowsProgressDialog(total_bytes)) return true;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && bytes_sent < total_bytes && now - last_ < std::chrono::milliseconds(200)) {
      return true;
    }
    std::string line = ProgressText(file_name_, queue_, bytes_sent, total_bytes);
    std::ranges::replace(line, '\n', ' ');
    *terminal_ << "\r" << Visible(line) << std::flush;
    shown_ = true;
    last_ = now;
    return true;
  }

 private:
  std::ostream* terminal_;
  std::string file_name_;
  std::string queue_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_;
};

enum class State { Sent, NotSent, Cancelled, NotTried };

struct QueueResult {
  std::string queue;
  State state = State::NotTried;
  std::string reason;
};

std::string_view StateName(State state) {
  switch (state) {
    case State::Sent:
      return "sent";
    case State::Cancelled:
      return "cancelled";
    case State::NotTried:
      return "not-tried";
    case State::NotSent:
      break;
  }
  return "not-sent";
}

void PrintResults(const std::string& path, std::uint64_t size,
                  const std::vector<QueueResult>& results, const CommandOutput& output) {
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QueueResult& result : results) {
      list.push_back({{"queue", result.queue},
                      {"result", StateName(result.state)},
                      {"reason", OrNull(result.reason)}});
    }
    return PrintJson(output.out, {{"file", path}, {"bytes", size}, {"results", list}});
  }
  Table table({"QUEUE", "RESULT"});
  for (const QueueResult& result : results) {
    const std::string reason = result.reason.empty() ? "" : ": " + result.reason;
    table.Add({result.queue, std::string(StateName(result.state)) + reason});
  }
  table.Print(output.out);
}

}  // namespace

void InterruptSends() { interrupted = true; }

bool SendsWereInterrupted() { return interrupted; }

ExitStatus SendFileToQueues(const std::string& path, const std::vector<std::string>& queues,
                            Spooler& spooler, const CommandOutput& output,
                            std::ostream* progress_terminal) {
  const FileToSend checked = OpenFileToSend(path);
  if (checked.error) {
    throw UsageError("cannot send \"" + Visible(path) + "\": " + checked.reason);
  }
  const std::string file_name = Utf8FromPath(PathFromUtf8(path).filename());
  std::vector<QueueResult> results;
  for (const std::string& queue : queues) results.push_back({queue, State::NotTried, {}});

  SpoolerLabelPrinter sdk(spooler);
  for (QueueResult& result : results) {
    if (interrupted) break;
    ReasonRecorder message;
    TerminalProgress progress(progress_terminal, file_name, result.queue);
    const SendFileResult sent = SendFile(sdk, message, result.queue, path, progress);
    const bool cancelled = sdk.Failure() && sdk.Failure()->error == SdkError::Cancelled;
    result.state = sent == SendFileResult::Sent ? State::Sent
                   : cancelled                  ? State::Cancelled
                                                : State::NotSent;
    if (result.state != State::Sent) result.reason = message.Take();
  }
  PrintResults(path, checked.size, results, output);
  const bool all = std::ranges::all_of(
      results, [](const QueueResult& result) { return result.state == State::Sent; });
  return all ? ExitStatus::Ok : ExitStatus::Failed;
}

}  // namespace varnok::cli
