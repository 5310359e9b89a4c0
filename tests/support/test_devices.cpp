#include "support/test_devices.h"

#include <fstream>
#include <stdexcept>

namespace varnok::testing {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
  if (text.find_first_of("\"\\\n") != std::string::npos) {
    throw std::invalid_argument("a device text cannot hold quotes or line breaks: " + text);
  }
  return "\"" + text + "\"";
}

std::string Uri(const std::string& rest) { return std::string(kTestDeviceScheme) + "://" + rest; }

}  // namespace

std::vector<TestDevice> FixedTestDevices() {
  return {
      {"direct", Uri("varnok/k540-200dpi?serial=K5400001"), "VARNOK K540 200DPI",
       "VARNOK K540 200DPI USB", "MFG:VARNOK;MDL:K540 200DPI;CMD:RAW;CLS:PRINTER;", "", ""},
      {"network", Uri("varnok/m-4410?serial=M4410002"), "VARNOK M-4410", "VARNOK M-4410 Office",
       "MFG:VARNOK;MDL:M-4410;CMD:RAW;CLS:PRINTER;", "Office", ""},
      {"network", Uri("acme/laser-500"), "ACME Laser 500", "ACME Laser 500",
       "MFG:ACME;MDL:Laser 500;CMD:PCL,PJL;CLS:PRINTER;", "", ""},
      {"network", Uri("varnok/k540-300dpi?serial=K5400003"), "VARNOK K540 300DPI 标签打印机",
       "仓库标签打印机", "MFG:VARNOK;MDL:K540 300DPI;CMD:RAW;CLS:PRINTER;", "二楼仓库", ""},
  };
}

void WriteDiscoveryBackend(const fs::path& file, const std::vector<TestDevice>& devices) {
  // Exit status 5 (CUPS_BACKEND_CANCEL) cancels a job without stopping the queue.
  std::string script =
      "#!/bin/sh\n"
      "if [ $# -ne 0 ]; then\n"
      "  echo 'ERROR: test devices do not print' >&2\n"
      "  exit 5\n"
      "fi\n"
      "cat <<'DEVICES'\n";
  for (const TestDevice& device : devices) {
    script += device.device_class + " " + device.uri + " " + Quoted(device.make_and_model) + " " +
              Quoted(device.info) + " " + Quoted(device.device_id) + " " + Quoted(device.location) +
              "\n";
  }
  script += "DEVICES\n";

  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << script;
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
  }
  // Discovery runs a backend that others may run as the scheduler's user, and refuses one
  // that anybody but its owner may change.
  fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
}

}  // namespace varnok::testing
