#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "spooler/label_printer/label_printer_sdk.h"
#include "spooler/spooler.h"

namespace varnok {

// Our own label-printer library: a file send becomes one raw spooler job on the named queue,
// titled with the file's name, holding the file's bytes unchanged. The file is streamed in
// chunks so memory stays flat whatever its size. VNX_PrintLabel completes the job; ClosePort
// and VNX_ClearBuffer cancel a job that is not complete, so the printer receives none of it.
class SpoolerLabelPrinter : public LabelPrinterSdk {
 public:
  static constexpr std::size_t kChunkBytes = 64 * 1024;

  explicit SpoolerLabelPrinter(Spooler& spooler);
  ~SpoolerLabelPrinter() override;

  void OpenPort(std::string_view printer_name) override;
  void VNX_ClearBuffer() override;
  void VNX_SendFile(std::string_view path, SendProgress& progress) override;
  // The two numbers carry nothing for a raw job; any values complete it.
  void VNX_PrintLabel(int first, int second) override;
  void ClosePort() override;
  const std::optional<SdkFailure>& Failure() const override { return failure_; }

 private:
  bool CanGoOn() const { return port_open_ && !failure_; }
  // Records the first failure and drops any job, so the printer receives none of it.
  void Fail(SdkError error, std::string reason);
  // The same for a failure the spooler reported: `error`, or NoAnswer when it gave none.
  void FailFromSpooler(SdkError error, SpoolerFailure failure);
  // Creates the job on the first send; false after recording why it could not be made.
  bool EnsureJob(std::string_view path);

  Spooler& spooler_;
  bool port_open_ = false;
  std::string printer_;
  std::string path_;
  std::unique_ptr<RawJob> job_;
  std::optional<SdkFailure> failure_;
};

}  // namespace varnok
