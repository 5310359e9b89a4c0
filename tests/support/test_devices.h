#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace varnok::testing {

// The discovery backend's name in a private ServerBin, and so its devices' URI scheme.
inline constexpr const char* kTestDeviceScheme = "testdevice";

// A printer the private scheduler's device discovery (lpinfo -v, CUPS-Get-Devices) reports.
struct TestDevice {
  std::string device_class;  // "direct" or "network"
  std::string uri;
  std::string make_and_model;
  std::string info;
  std::string device_id;  // IEEE 1284 device ID
  std::string location;
  std::string queue;  // the virtual queue that prints to this device, empty when none does

  bool operator==(const TestDevice&) const = default;
};

// The devices every private scheduler reports: two VARNOK printers, one of another maker and
// one described in Chinese. None of them can print.
std::vector<TestDevice> FixedTestDevices();

// Writes the discovery backend: run with no arguments (as discovery does) it prints one line
// per device in the CUPS backend format; run for a job it cancels the job. Device texts may
// not hold double quotes or line breaks.
void WriteDiscoveryBackend(const std::filesystem::path& file,
                           const std::vector<TestDevice>& devices);

}  // namespace varnok::testing
