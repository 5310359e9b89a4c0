#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/virtual_printers.h"

namespace varnok::testing {

// A test suite that shares one private scheduler: started before the suite's first test, with
// the standard queues, and stopped after its last. A suite that needs other queues, options or
// more set up hides SetUpTestSuite and starts them with StartPrinters itself (and hides
// TearDownTestSuite when it has more to end, calling StopPrinters first). When the start fails
// the suite's tests are skipped with its error, so a test may take `printers` as there.
// Base: the fixture the suite builds on besides.
template <typename Base = ::testing::Test>
class VirtualPrinterSuite : public Base {
 public:
  static void SetUpTestSuite() { StartPrinters(VirtualPrinters::StandardQueues()); }
  static void TearDownTestSuite() { StopPrinters(); }

 protected:
  static void StartPrinters(const std::vector<VirtualQueue>& queues,
                            const SchedulerOptions& options = {}) {
    printers = VirtualPrinters::Start(queues, options);
  }
  static void StopPrinters() { printers.reset(); }

  static inline std::unique_ptr<VirtualPrinters> printers;
};

}  // namespace varnok::testing
