#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printer/sdk/label_printer_sdk.h"

namespace varnok::testing {

// Records the SDK calls made, in order; fails the send with a given failure when asked.
class RecordingSdk : public LabelPrinterSdk {
 public:
  void OpenPort(std::string_view printer_name) override {
    calls.push_back("OpenPort(" + std::string(printer_name) + ")");
    failure_ = next_failure;
  }
  void VNX_ClearBuffer() override { calls.push_back("VNX_ClearBuffer()"); }
  void VNX_SendFile(std::string_view path, SendProgress&) override {
    calls.push_back("VNX_SendFile(" + std::string(path) + ")");
  }
  void VNX_PrintLabel(int first, int second) override {
    calls.push_back("VNX_PrintLabel(" + std::to_string(first) + "," + std::to_string(second) + ")");
  }
  void ClosePort() override { calls.push_back("ClosePort()"); }
  const std::optional<SdkFailure>& Failure() const override { return failure_; }

  std::vector<std::string> calls;
  std::optional<SdkFailure> next_failure;  // what the next send ends with

 private:
  std::optional<SdkFailure> failure_;
};

}  // namespace varnok::testing
