#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/scheduler_config.h"
#include "support/test_devices.h"

namespace varnok::testing {

// How long a test waits for a job that was sent to reach its printer: far longer than it takes
// (about 50 ms), so that a busy machine does not fail the test; a job that arrives ends the wait.
inline constexpr std::chrono::seconds kJobArrives{60};

struct VirtualQueue {
  std::string name;    // CUPS queue name (no blanks, "/" or "#")
  std::string driver;  // the PPD NickName, reported as printer-make-and-model
};

// A private CUPS scheduler (never the system's) with label printers that capture every job's
// bytes. Everything is torn down by the destructor, also when a test fails.
//
// How a test binary uses it (link varnok_test_support):
//   - Call Start before anything in the process talks to CUPS, from the main thread: it sets
//     CUPS_SERVER for the process (and cupsSetServer for the calling thread, whose libcups may
//     have read the old value), and the scheduler is stopped when the starting thread ends, so
//     a crashed test leaves none behind. Threads started afterwards find CUPS_SERVER too.
//   - A test suite shares one through VirtualPrinterSuite (support/virtual_printer_suite.h).
//   - Give the ctest entries a TIMEOUT and PROPERTIES RESOURCE_LOCK cups_scheduler.
//   - Start and the queue and scheduler changes throw std::runtime_error with the tool's or the
//     scheduler's own output when they fail.
//   - After teardown CUPS_SERVER keeps pointing at the stopped scheduler, never the system's.
// Device discovery (lpinfo -v, CUPS-Get-Devices) reports TestDevices() and the socket backend's
// static line only (device-uri "socket", make-and-model "Unknown", info "AppSocket/HP
// JetDirect"), in no fixed order: it never probes the network. Under SchedulerOptions'
// default_policy it is for administrators only, like adding queues.
// Jobs are stored as CaptureFolder()/<queue>/job-0001, job-0002, ... in arrival order.
// A queue whose device URI is "varnok:" and a CaptureDevice's prints through the journaling
// backend, which records its jobs in JournalPath().
class VirtualPrinters {
 public:
  // VARNOK_K540_200DPI, Varnok-Office, VARNOKX, VARNOK_Z9 (a model no version supports),
  // VARNOK_LongDriver (a 70-byte driver name), and the decoys varnok_K540, VarNok_R5, VARNO,
  // My_VARNOK.
  static std::vector<VirtualQueue> StandardQueues();
  // A print server's worth of brand queues for the benchmarks: VARNOK_Site001, VARNOK_Site002, …
  static std::vector<VirtualQueue> PrintServerQueues(int count);

  // Starts the scheduler with these queues and points libcups at it (CUPS_SERVER), before
  // anything in the process has talked to CUPS.
  static std::unique_ptr<VirtualPrinters> Start(const std::vector<VirtualQueue>& queues,
                                                const SchedulerOptions& options = {});
  ~VirtualPrinters();

  std::string ServerSocket() const;   // the CUPS_SERVER value
  std::string CaptureFolder() const;  // where each received job is stored as a file

  // The devices discovery reports: FixedTestDevices() and, when Start was given queues, the
  // device of the first one (its queue field names it).
  const std::vector<TestDevice>& TestDevices() const;
  // The device URI of a queue added by Start or AddQueue; throws for any other name.
  std::string DeviceUri(std::string_view queue) const;
  // The names of every queue on the scheduler, in CUPS order (lpstat -e).
  std::vector<std::string> QueueNames() const;

  // The bytes of the next job the queue's printer receives, or nullopt after the timeout.
  std::optional<std::string> WaitForJob(std::string_view queue, std::chrono::milliseconds timeout);
  // True when no job reaches the queue's printer within the period.
  bool NoJobWithin(std::string_view queue, std::chrono::milliseconds period);
  // Titles (job-name) of every job the scheduler has had for the queue, oldest first.
  std::vector<std::string> JobTitles(std::string_view queue);

  void AddQueue(const VirtualQueue& queue);
  // A queue that prints to the given device (a CaptureDevice's, behind "varnok:" for one).
  void AddQueue(const VirtualQueue& queue, const std::string& device_uri);
  // A printer for a queue that something else will add: its device URI, whose jobs are
  // captured under the queue's name.
  std::string CaptureDevice(std::string_view queue);
  void RemoveQueue(std::string_view name);
  void RejectJobs(std::string_view name);    // cupsreject
  void AcceptJobs(std::string_view name);    // cupsaccept
  void DisableQueue(std::string_view name);  // cupsdisable: jobs are taken and held
  void EnableQueue(std::string_view name);   // cupsenable: held jobs go to the printer
  void StopScheduler();  // the queues stay configured; StartScheduler brings them back
  void StartScheduler();
  void FreezeScheduler();  // it takes connections but answers nothing until thawed
  void ThawScheduler();
  // The scheduler's error log, where the backends' messages go.
  std::string ErrorLog() const;
  // The journal its "varnok:" queues keep, unless SchedulerOptions named another.
  std::string JournalPath() const;

 private:
  struct Impl;
  explicit VirtualPrinters(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace varnok::testing
