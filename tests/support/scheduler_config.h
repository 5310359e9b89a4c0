#pragma once

#include <filesystem>
#include <string>

namespace varnok::testing {

// The folders of a private scheduler, all under one root that is removed afterwards.
struct SchedulerFolders {
  explicit SchedulerFolders(std::filesystem::path root_folder);

  std::filesystem::path root;      // ServerRoot: printers.conf and the installed PPDs
  std::filesystem::path spool;     // RequestRoot
  std::filesystem::path temp;      // TempDir
  std::filesystem::path cache;     // CacheDir
  std::filesystem::path state;     // StateDir, and the local socket
  std::filesystem::path logs;      // error, access and page logs, the scheduler's own output
  std::filesystem::path drivers;   // the PPDs handed to lpadmin
  std::filesystem::path capture;   // the jobs the virtual printers received
  std::filesystem::path programs;  // ServerBin (scheduler_programs.h)
  std::filesystem::path data;      // DataDir when the scheduler is shown driver files

  std::filesystem::path Socket() const { return state / "cups.sock"; }
  std::filesystem::path SchedulerConf() const { return root / "cupsd.conf"; }
  std::filesystem::path FilesConf() const { return root / "cups-files.conf"; }
  std::filesystem::path ErrorLog() const { return logs / "error_log"; }
  std::filesystem::path SchedulerOutput() const { return logs / "cupsd.out"; }
  // The journal of the jobs through "varnok:" queues, unless SchedulerOptions name another.
  std::filesystem::path Journal() const { return state / "journal.sqlite"; }
};

struct SchedulerOptions {
  // A folder of driver files (.ppd) the scheduler lists as varnok-utility/<file>.ppd, as if
  // installed; none when empty.
  std::filesystem::path driver_folder;
  // Debian's default policy: administering queues and device discovery take root or the
  // lpadmin group (or, for a runner who is not root, the runner's group). Without it anybody
  // may.
  bool default_policy = false;
  // The journal the scheduler tells its backends to keep (SetEnv VARNOK_JOURNAL); when empty,
  // SchedulerFolders::Journal().
  std::filesystem::path journal = {};
};

// Creates the folders and programs and writes cupsd.conf and cups-files.conf. The scheduler
// listens on the loopback port and the local socket only, shares, browses and probes nothing,
// and lets everybody read job titles. It keeps CUPS's own delay for writing its state files (it
// writes them when told to stop, so a restart finds every queue); writing them after every job
// doubles the time a job takes to reach the printer on a busy machine.
void WriteSchedulerConfig(const SchedulerFolders& folders, int port,
                          const SchedulerOptions& options);

// A minimal PPD whose NickName (reported as printer-make-and-model) is the driver name and
// whose only filter passes raw jobs through unchanged.
std::string LabelPrinterPpd(const std::string& driver);

}  // namespace varnok::testing
