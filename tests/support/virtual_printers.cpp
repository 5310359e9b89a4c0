#include "support/virtual_printers.h"

#include <cups/cups.h>
#include <stdlib.h>
#include <sys/un.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "support/job_capture.h"
#include "support/loopback.h"
#include "support/run_command.h"
#include "support/scheduler_config.h"
#include "support/scheduler_process.h"
#include "support/test_devices.h"

namespace varnok::testing {
namespace {

namespace fs = std::filesystem;

// Room left in a socket address for "/varnok-printers-XXXXXX/run/cups.sock".
constexpr size_t kMaxTempBaseLength = sizeof(sockaddr_un::sun_path) - 48;

std::string AdminTool(const char* name) { return std::string("/usr/sbin/") + name; }

fs::path MakeTemporaryFolder() {
  fs::path base = fs::temp_directory_path();
  if (base.string().size() > kMaxTempBaseLength) base = "/tmp";
  std::string pattern = (base / "varnok-printers-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp " + pattern + ": " + std::strerror(errno));
  }
  return pattern;
}

// Discovery reports a virtual queue's own device too, so that a device with a queue can be told
// from one without.
TestDevice QueueDevice(const VirtualQueue& queue, const std::string& uri) {
  return {"network",
          uri,
          queue.driver,
          "Virtual printer " + queue.name,
          "MFG:VARNOK;MDL:" + queue.driver + ";CMD:RAW;CLS:PRINTER;",
          "",
          queue.name};
}

}  // namespace

struct VirtualPrinters::Impl {
  // Removed last, after the scheduler and the listeners have stopped.
  struct TemporaryFolder {
    fs::path path;
    ~TemporaryFolder() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  };

  explicit Impl(fs::path root)
      : folder{root}, folders(root), capture(folders.capture), scheduler(folders) {}

  TemporaryFolder folder;
  SchedulerFolders folders;
  JobCapture capture;
  SchedulerProcess scheduler;
  std::vector<TestDevice> devices;
  std::map<std::string, std::string, std::less<>> device_uris;  // by queue name
};

std::vector<VirtualQueue> VirtualPrinters::StandardQueues() {
  return {
      {"VARNOK_K540_200DPI", "VARNOK K540 200DPI"},
      {"Varnok-Office", "VARNOK M-4410 (VRLZ)"},
      {"VARNOKX", "Varnok N5 Plus"},
      {"VARNOK_Z9", "VARNOK Z9 Prototype"},
      {"VARNOK_LongDriver",
       "VARNOK K540 200DPI Thermal Label Printer Driver for CUPS, Edition 2.20"},
      {"varnok_K540", "VARNOK K540 200DPI"},
      {"VarNok_R5", "VARNOK RS5"},
      {"VARNO", "VARNOK L410"},
      {"My_VARNOK", "VARNOK M7000"},
  };
}

std::vector<VirtualQueue> VirtualPrinters::PrintServerQueues(int count) {
  std::vector<VirtualQueue> queues;
  for (int i = 1; i <= count; ++i) {
    std::string number = std::to_string(i);
    number.insert(0, 3 - std::min<size_t>(number.size(), 3), '0');
    queues.push_back({"VARNOK_Site" + number, "VARNOK K540 200DPI"});
  }
  return queues;
}

VirtualPrinters::VirtualPrinters(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

VirtualPrinters::~VirtualPrinters() = default;

std::unique_ptr<VirtualPrinters> VirtualPrinters::Start(const std::vector<VirtualQueue>& queues,
                                                        const SchedulerOptions& options) {
  auto impl = std::make_unique<Impl>(MakeTemporaryFolder());
  WriteSchedulerConfig(impl->folders, FreeLoopbackPort(), options);
  // libcups and the CUPS tools read CUPS_SERVER; this thread's libcups may have read it already.
  const std::string socket = impl->folders.Socket().string();
  setenv("CUPS_SERVER", socket.c_str(), 1);
  cupsSetServer(socket.c_str());
  impl->scheduler.Start();

  std::unique_ptr<VirtualPrinters> printers(new VirtualPrinters(std::move(impl)));
  for (const VirtualQueue& queue : queues) printers->AddQueue(queue);

  std::vector<TestDevice>& devices = printers->impl_->devices;
  devices = FixedTestDevices();
  if (!queues.empty()) {
    devices.push_back(QueueDevice(queues.front(), printers->DeviceUri(queues.front().name)));
  }
  WriteDiscoveryBackend(printers->impl_->folders.programs / "backend" / kTestDeviceScheme, devices);
  return printers;
}

std::string VirtualPrinters::ServerSocket() const { return impl_->folders.Socket().string(); }

std::string VirtualPrinters::CaptureFolder() const { return impl_->folders.capture.string(); }

const std::vector<TestDevice>& VirtualPrinters::TestDevices() const { return impl_->devices; }

std::string VirtualPrinters::DeviceUri(std::string_view queue) const {
  auto found = impl_->device_uris.find(queue);
  if (found == impl_->device_uris.end()) {
    throw std::runtime_error("no virtual queue " + std::string(queue));
  }
  return found->second;
}

std::vector<std::string> VirtualPrinters::QueueNames() const {
  const std::vector<std::string> command = {"lpstat", "-h", ServerSocket(), "-e"};
  CommandResult result = RunCommand(command);
  if (result.exit_code != 0) throw std::runtime_error("lpstat -e failed: " + result.output);
  std::vector<std::string> names;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) names.push_back(line);
  return names;
}

std::optional<std::string> VirtualPrinters::WaitForJob(std::string_view queue,
                                                       std::chrono::milliseconds timeout) {
  return impl_->capture.WaitForJob(queue, timeout);
}

bool VirtualPrinters::NoJobWithin(std::string_view queue, std::chrono::milliseconds period) {
  return !impl_->capture.WaitForJob(queue, period).has_value();
}

std::vector<std::string> VirtualPrinters::JobTitles(std::string_view queue) {
  http_t* http = httpConnect2(ServerSocket().c_str(), ippPort(), nullptr, AF_UNSPEC,
                              HTTP_ENCRYPTION_IF_REQUESTED, 1, 30'000, nullptr);
  if (http == nullptr) throw std::runtime_error("cannot reach the scheduler at " + ServerSocket());
  cups_job_t* jobs = nullptr;
  int count = cupsGetJobs2(http, &jobs, std::string(queue).c_str(), 0, CUPS_WHICHJOBS_ALL);
  std::sort(jobs, jobs + std::max(count, 0),
            [](const cups_job_t& a, const cups_job_t& b) { return a.id < b.id; });
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) titles.emplace_back(jobs[i].title ? jobs[i].title : "");
  cupsFreeJobs(count, jobs);
  httpClose(http);
  return titles;
}

std::string VirtualPrinters::CaptureDevice(std::string_view queue) {
  const int port = impl_->capture.Listen(std::string(queue));
  // "/?snmp=false": without it the backend first spends seconds on an SNMP query.
  const std::string uri = "socket://127.0.0.1:" + std::to_string(port) + "/?snmp=false";
  impl_->device_uris.insert_or_assign(std::string(queue), uri);
  return uri;
}

void VirtualPrinters::AddQueue(const VirtualQueue& queue) {
  AddQueue(queue, CaptureDevice(queue.name));
}

void VirtualPrinters::AddQueue(const VirtualQueue& queue, const std::string& uri) {
  const fs::path ppd = impl_->folders.drivers / (queue.name + ".ppd");
  std::ofstream(ppd, std::ios::binary) << LabelPrinterPpd(queue.driver);
  RunOrThrow({AdminTool("lpadmin"), "-h", ServerSocket(), "-p", queue.name, "-E", "-v", uri, "-P",
              ppd.string()});
}

void VirtualPrinters::RemoveQueue(std::string_view name) {
  RunOrThrow({AdminTool("lpadmin"), "-h", ServerSocket(), "-x", std::string(name)});
  impl_->capture.Close(std::string(name));
  if (auto found = impl_->device_uris.find(name); found != impl_->device_uris.end()) {
    impl_->device_uris.erase(found);
  }
}

void VirtualPrinters::RejectJobs(std::string_view name) {
  RunOrThrow({AdminTool("cupsreject"), "-h", ServerSocket(), std::string(name)});
}

void VirtualPrinters::AcceptJobs(std::string_view name) {
  RunOrThrow({AdminTool("cupsaccept"), "-h", ServerSocket(), std::string(name)});
}

void VirtualPrinters::DisableQueue(std::string_view name) {
  RunOrThrow({AdminTool("cupsdisable"), "-h", ServerSocket(), std::string(name)});
}

void VirtualPrinters::EnableQueue(std::string_view name) {
  RunOrThrow({AdminTool("cupsenable"), "-h", ServerSocket(), std::string(name)});
}

void VirtualPrinters::StopScheduler() { impl_->scheduler.Stop(); }

void VirtualPrinters::StartScheduler() { impl_->scheduler.Start(); }

void VirtualPrinters::FreezeScheduler() { impl_->scheduler.Freeze(); }

void VirtualPrinters::ThawScheduler() { impl_->scheduler.Thaw(); }

std::string VirtualPrinters::JournalPath() const { return impl_->folders.Journal().string(); }

std::string VirtualPrinters::ErrorLog() const {
  std::ifstream log(impl_->folders.ErrorLog(), std::ios::binary);
  return {std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
}

}  // namespace varnok::testing
