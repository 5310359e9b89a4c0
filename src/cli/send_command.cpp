#include "cli/send_command.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <csignal>
#include <memory>

#include "cli/console.h"
#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/queue_result.h"
#include "cli/server_problem.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "foundation/message_template.h"
#include "foundation/utf8_path.h"
#include "send_file/file_send.h"
#include "send_file/send_progress_text.h"
#include "spooler/label_printer/file_to_send.h"
#include "spooler/label_printer/spooler_label_printer.h"

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

struct QueueLine {
  std::string queue;
  QueueResult result = QueueResult::NotTried;
  std::string reason;
};

// Why the file cannot be read or sent, in the run's language where the words are the program's.
std::string FileReason(SdkError error, const std::string& system_reason, const CliTexts& texts) {
  switch (error) {
    case SdkError::FileMissing:
      return std::string(texts.no_such_file);
    case SdkError::FileEmpty:
      return std::string(texts.file_is_empty);
    default:
      break;
  }
  return system_reason;
}

// Why the send to one queue failed, from what the library and the spooler reported.
std::string ReasonText(const SdkFailure& failure, const std::string& queue, const CliTexts& texts,
                       std::string_view server) {
  switch (failure.error) {
    case SdkError::NoSuchPrinter:
    case SdkError::JobRefused:
    case SdkError::NoAnswer:
    case SdkError::EmptyPrinterName:
      return QueueProblem(texts, texts.send_action, queue,
                          failure.spooler_failure.value_or(SpoolerFailure{0, failure.reason}),
                          server);
    case SdkError::FileMissing:
    case SdkError::FileEmpty:
    case SdkError::FileUnreadable:
      return FillIn(texts.file_unreadable,
                    {{"reason", FileReason(failure.error, failure.reason, texts)}});
    case SdkError::Cancelled:
      break;
  }
  return {};
}

void PrintResults(const std::string& path, std::uint64_t size, const std::vector<QueueLine>& lines,
                  const CommandOutput& output) {
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QueueLine& line : lines) {
      list.push_back({{"queue", line.queue},
                      {"result", ResultKeyword(line.result)},
                      {"reason", OrNull(line.reason)}});
    }
    return PrintJson(output.out, {{"file", path}, {"bytes", size}, {"results", list}});
  }
  Table table({output.texts().queue_heading, output.texts().result_heading});
  for (const QueueLine& line : lines) {
    table.Add({line.queue, ResultText(line.result, line.reason, output.language)});
  }
  table.Print(output.out);
}

}  // namespace

void InterruptSends() { interrupted = true; }

bool SendsWereInterrupted() { return interrupted; }

ExitStatus SendFileToQueues(const std::string& path, const std::vector<std::string>& queues,
                            const SendOptions& options, Spooler& spooler,
                            const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  const FileToSend checked = OpenFileToSend(path);
  if (checked.error) {
    throw UsageError(
        FillIn(texts.cannot_send_file,
               {{"file", path}, {"reason", FileReason(*checked.error, checked.reason, texts)}}));
  }
  const std::string file_name = Utf8FromPath(PathFromUtf8(path).filename());
  std::vector<QueueLine> lines;
  for (const std::string& queue : queues) lines.push_back({queue, QueueResult::NotTried, {}});

  bool silent = false;  // the print system has not answered: the other queues would wait too
  for (QueueLine& line : lines) {
    if (interrupted) break;
    if (silent) {
      line.reason = FillIn(texts.silent_before, {{"server", options.server}});
      continue;
    }
    SpoolerLabelPrinter sdk(spooler);
    NoMessageBoxes messages;
    TerminalProgress progress(options.progress_terminal, file_name, line.queue);
    const FileSendOutcome sent = SendFile(sdk, messages, line.queue, path, progress);
    if (!sent.failure) {
      line.result = QueueResult::Sent;
      continue;
    }
    const SdkFailure& failure = *sent.failure;
    line.result =
        failure.error == SdkError::Cancelled ? QueueResult::Cancelled : QueueResult::NotSent;
    line.reason = ReasonText(failure, line.queue, texts, options.server);
    silent = failure.error == SdkError::NoAnswer;
  }
  PrintResults(path, checked.size, lines, output);
  const bool all = std::ranges::all_of(
      lines, [](const QueueLine& line) { return line.result == QueueResult::Sent; });
  return all ? ExitStatus::Ok : ExitStatus::Failed;
}

namespace {

constexpr std::string_view kSendHelp =
    "Sends the file's bytes unchanged to each queue, one raw job a queue titled with\n"
    "the file's name; an empty file is refused. The queues must be queues of the print\n"
    "server; a queue named twice, in any letter case, gets the file once. A file over\n"
    "1 MiB shows its progress on a terminal. Ctrl+C cancels the job in progress, so\n"
    "that printer receives nothing, and stops. Once the print system has not answered,\n"
    "the queues after are not tried.\n"
    "\n"
    "With --json: {\"file\", \"bytes\", \"results\": [{\"queue\", \"result\", \"reason\"}]};\n"
    "result is sent, not-sent, cancelled or not-tried.";

// The status of a send stopped by Ctrl+C, as shells report it.
constexpr int kInterruptedStatus = 128 + SIGINT;

struct SendWords {
  std::string file;
  std::vector<std::string> queues;
  bool json = false;
};

}  // namespace

Command SendCommand(CLI::App& app) {
  const auto words = std::make_shared<SendWords>();
  CLI::App* send = app.add_subcommand("send", "Sends a file unchanged to one or more queues");
  send->add_option("FILE", words->file, "The file")->type_name("")->required();
  send->add_option("QUEUE", words->queues, "The queues")->type_name("")->required();
  AddJsonFlag(*send, words->json);
  send->footer(Footer({kSendHelp}));
  return {send, [words](const Services& services) {
            OnInterrupt(InterruptSends);
            const SendOptions options{services.print_server.Name(),
                                      ErrorIsTerminal() ? &services.err : nullptr};
            const ExitStatus status = SendFileToQueues(
                words->file, NamedQueues(words->queues, services.print_server, services.language),
                options, services.spooler, services.Output(words->json));
            return SendsWereInterrupted() ? kInterruptedStatus : static_cast<int>(status);
          }};
}

}  // namespace varnok::cli
