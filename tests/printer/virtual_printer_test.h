#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "printer/cups_spooler.h"
#include "support/message_recorder.h"
#include "support/virtual_printers.h"

namespace varnok {

// Tests that go through a real (private) CUPS scheduler to the virtual label printers.
class VirtualPrinterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    printers = testing::VirtualPrinters::Start(testing::VirtualPrinters::StandardQueues());
  }
  static void TearDownTestSuite() { printers.reset(); }

  void SetUp() override { ASSERT_NE(printers, nullptr) << "the virtual printers did not start"; }

  static constexpr auto kJobArrives = testing::kJobArrives;
  // Long enough for a job to reach the printer had it been sent (it takes about 50 ms).
  static constexpr std::chrono::milliseconds kNoJob{1000};

  static inline std::unique_ptr<testing::VirtualPrinters> printers;
  CupsSpooler spooler;
  testing::MessageRecorder messages;
};

}  // namespace varnok
