// What the private scheduler offers beyond queues: device discovery that stays on this machine,
// driver files handed in, and the default policy that keeps administration to root and lpadmin.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/scheduler_config.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok::testing {
namespace {

class PrivateScheduler : public VirtualPrinterSuite<> {
 protected:
  static void SetUpTestSuite() {
    drivers = std::make_unique<TempFolder>();
    drivers->Write("k540-test.ppd", LabelPrinterPpd("VARNOK K540 Test Driver"));
    StartPrinters({{"VARNOK_K540_200DPI", "VARNOK K540 200DPI"}},
                  {.driver_folder = drivers->path(), .default_policy = true});
  }
  static void TearDownTestSuite() {
    StopPrinters();
    drivers.reset();
  }

  static inline std::unique_ptr<TempFolder> drivers;
};

// The devices `lpinfo -l -v` lists: "Device: uri = URI" and then "        key = value" lines.
std::vector<TestDevice> DiscoveredDevices() {
  const CommandResult listing = RunCommand({"/usr/sbin/lpinfo", "-l", "-v"});
  if (listing.exit_code != 0) ADD_FAILURE() << listing.output;
  std::vector<TestDevice> devices;
  std::istringstream lines(listing.output);
  for (std::string line; std::getline(lines, line);) {
    const size_t start = line.find_first_not_of(" \t");
    const size_t equals = line.find(" = ");
    if (equals == std::string::npos || start > equals) continue;
    const std::string key = line.substr(start, equals - start);
    const std::string value = line.substr(equals + 3);
    if (key == "Device: uri") devices.push_back({"", value, "", "", "", "", ""});
    if (devices.empty()) continue;
    TestDevice& device = devices.back();
    if (key == "class") device.device_class = value;
    if (key == "info") device.info = value;
    if (key == "make-and-model") device.make_and_model = value;
    if (key == "device-id") device.device_id = value;
    if (key == "location") device.location = value;
  }
  return devices;
}

std::vector<TestDevice> SortedByUri(std::vector<TestDevice> devices) {
  std::ranges::sort(devices, {}, &TestDevice::uri);
  return devices;
}

TEST_F(PrivateScheduler, DiscoveryFindsOnlyTheTestDevicesAndTheSocketBackendsOwnLine) {
  std::vector<TestDevice> expected = printers->TestDevices();
  for (TestDevice& device : expected) device.queue.clear();
  expected.push_back({"network", "socket", "Unknown", "AppSocket/HP JetDirect", "", "", ""});

  EXPECT_EQ(SortedByUri(DiscoveredDevices()), SortedByUri(expected));
  EXPECT_EQ(printers->TestDevices().back().uri, printers->DeviceUri("VARNOK_K540_200DPI"));
}

TEST_F(PrivateScheduler, DriverListHoldsTheDriverFilesHandedIn) {
  const CommandResult listing = RunCommand({"/usr/sbin/lpinfo", "-m"});

  ASSERT_EQ(listing.exit_code, 0) << listing.output;
  EXPECT_NE(listing.output.find("varnok-utility/k540-test.ppd VARNOK K540 Test Driver\n"),
            std::string::npos)
      << listing.output;
}

TEST_F(PrivateScheduler, OnlyRootAddsAQueueUnderTheDefaultPolicy) {
  struct Case {
    const char* user;
    const char* queue;
    bool added;
  };
  for (const Case& test : {Case{"nobody", "ByNobody", false}, Case{"root", "ByRoot", true}}) {
    SCOPED_TRACE(test.user);
    const CommandResult result = RunCommandAs(
        test.user, {"/usr/sbin/lpadmin", "-p", test.queue, "-E", "-v",
                    "socket://127.0.0.1:9/?snmp=false", "-m", "varnok-utility/k540-test.ppd"});

    const std::vector<std::string> queues = printers->QueueNames();
    EXPECT_EQ(std::ranges::find(queues, test.queue) != queues.end(), test.added);
    EXPECT_EQ(result.exit_code == 0, test.added) << result.output;
    if (!test.added) {
      EXPECT_NE(result.output.find("Forbidden"), std::string::npos) << result.output;
    }
  }
}

}  // namespace
}  // namespace varnok::testing
