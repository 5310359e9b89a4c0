#pragma once

#include <optional>
#include <string>
#include <vector>

#include "spooler/label_printer/label_printer_sdk.h"

namespace varnok::testing {

// Records the SDK calls in order; a send ends with next_failure.
struct RecordingSdk : LabelPrinterSdk {
  void OpenPort(std::string_view name) override {
    calls.push_back("OpenPort(" + std::string(name) + ")");
    failure = next_failure;
  }
  void VNX_ClearBuffer() override { calls.push_back("VNX_ClearBuffer()"); }
  void VNX_SendFile(std::string_view path, SendProgress&) override {
    calls.push_back("VNX_SendFile(" + std::string(path) + ")");
  }
  void VNX_PrintLabel(int a, int b) override {
    calls.push_back("VNX_PrintLabel(" + std::to_string(a) + "," + std::to_string(b) + ")");
  }
  void ClosePort() override { calls.push_back("ClosePort()"); }
  const std::optional<SdkFailure>& Failure() const override { return failure; }

  std::vector<std::string> calls;
  std::optional<SdkFailure> next_failure, failure;
};

}  // namespace varnok::testing
