#pragma once

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spooler/spooler_result.h"

// What the Windows spooler backends share: an open printer, the spooler's failures and the
// queue list it keeps.
namespace varnok::windows {

// A printer opened with OpenPrinterW, closed when the last owner lets it go.
class Printer {
 public:
  // Opens the queue with no defaults.
  static SpoolerResult<std::shared_ptr<Printer>> Open(std::string_view queue);
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  HANDLE get() const { return handle_; }

 private:
  explicit Printer(HANDLE handle) : handle_(handle) {}
  HANDLE handle_;
};

// The system error code and the system's own explanation of it.
SpoolerFailure SystemFailure(DWORD code);
// The same for GetLastError().
SpoolerFailure LastSystemFailure();
// A step that did not end within its limit.
SpoolerFailure NoAnswer();
// The result of a step run on a BoundedWorker, NoAnswer when it did not end within its limit.
template <typename T>
SpoolerResult<T> Answered(std::optional<SpoolerResult<T>> step) {
  if (!step) return NoAnswer();
  return std::move(*step);
}

// What Windows tells of a queue's state: a paused queue holds its jobs and one being deleted
// takes none, so neither counts as accepting them.
bool AcceptsJobs(const PRINTER_INFO_2W& printer);

// The local and connected printers' descriptions at a level (PRINTER_INFO_2W, _4W), in the
// order Windows gives; the texts they point to lie in the same buffer.
template <typename Info>
struct PrinterList {
  std::vector<BYTE> buffer;
  std::span<const Info> printers;
};
// How many descriptions the buffer holds.
SpoolerResult<DWORD> EnumeratePrinters(DWORD level, std::vector<BYTE>& buffer);
template <typename Info>
SpoolerResult<PrinterList<Info>> ListPrinters(DWORD level) {
  PrinterList<Info> list;
  const SpoolerResult<DWORD> count = EnumeratePrinters(level, list.buffer);
  if (!count) return count.failure();
  list.printers = {reinterpret_cast<const Info*>(list.buffer.data()), *count};
  return list;
}

}  // namespace varnok::windows
