#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "spooler/cups_spooler.h"
#include "support/message_recorder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {

// Tests that go through a real (private) CUPS scheduler to the virtual label printers.
class VirtualPrinterTest : public testing::VirtualPrinterSuite<> {
 protected:
  static constexpr auto kJobArrives = testing::kJobArrives;
  // Long enough for a job to reach the printer had it been sent (it takes about 50 ms).
  static constexpr std::chrono::milliseconds kNoJob{1000};

  CupsSpooler spooler;
  testing::MessageRecorder messages;
};

}  // namespace varnok
