#include "spooler/windows_spooler.h"

#include <algorithm>

#include "foundation/wide_text.h"
#include "spooler/windows_raw_job.h"

namespace varnok {
namespace {

// The level-2 size query fails with this code and announces the size it needs.
constexpr DWORD kInsufficientBuffer = ERROR_INSUFFICIENT_BUFFER;  // 122

// A failure of the description request, and where it failed.
SpoolerFailure DescribeFailed(SpoolerFailure failure, DescribeFailure where) {
  failure.describe = where;
  return failure;
}

SpoolerResult<QueueDescription> Describe(const std::string& queue) {
  const SpoolerResult<std::shared_ptr<windows::Printer>> opened = windows::Printer::Open(queue);
  if (!opened) return opened.failure();  // CannotOpen
  const windows::Printer& printer = **opened;

  // Asked with no room, the spooler must fail and say how much it needs.
  ::SetLastError(ERROR_SUCCESS);
  BYTE probe = 0;
  DWORD announced = 0;
  const bool answered = ::GetPrinterW(printer.get(), 2, &probe, 0, &announced);
  const DWORD error = ::GetLastError();
  if (answered || error != kInsufficientBuffer) {
    return DescribeFailed(windows::SystemFailure(error), DescribeFailure::SizeQueryFailed);
  }
  // Three times the room, as the description is read; the size stated is the one announced.
  std::vector<BYTE> buffer(std::size_t{announced} * 3);
  DWORD needed = 0;
  if (!::GetPrinterW(printer.get(), 2, buffer.data(), announced, &needed)) {
    return DescribeFailed(windows::LastSystemFailure(), DescribeFailure::DescriptionUnreadable);
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  QueueDescription description;
  if (info->pDriverName != nullptr) description.make_and_model = Utf8FromWide(info->pDriverName);
  description.accepting_jobs = windows::AcceptsJobs(*info);
  return description;
}

}  // namespace

SpoolerResult<std::vector<std::string>> WindowsSpooler::ListQueues() {
  return windows::Answered(
      worker_.Run(limits_.whole, []() -> SpoolerResult<std::vector<std::string>> {
        // Level 4, the names alone, is the one Windows answers without asking print servers.
        const auto list = windows::ListPrinters<PRINTER_INFO_4W>(4);
        if (!list) return list.failure();
        std::vector<std::string> names;
        for (const PRINTER_INFO_4W& printer : list->printers) {
          if (printer.pPrinterName == nullptr) continue;
          std::string name = Utf8FromWide(printer.pPrinterName);
          if (std::ranges::find(names, name) == names.end()) names.push_back(std::move(name));
        }
        return names;
      }));
}

SpoolerResult<void> WindowsSpooler::OpenQueue(std::string_view queue) {
  return windows::Answered(
      worker_.Run(limits_.whole, [name = std::string(queue)]() -> SpoolerResult<void> {
        const SpoolerResult<std::shared_ptr<windows::Printer>> opened =
            windows::Printer::Open(name);
        if (!opened) return opened.failure();
        return {};
      }));
}

SpoolerResult<QueueDescription> WindowsSpooler::DescribeQueue(std::string_view queue) {
  std::optional<SpoolerResult<QueueDescription>> description =
      worker_.Run(limits_.whole, [name = std::string(queue)] { return Describe(name); });
  if (description) return std::move(*description);
  // As for any answer the lookup cannot use.
  return DescribeFailed(windows::NoAnswer(), DescribeFailure::SizeQueryFailed);
}

SpoolerResult<std::unique_ptr<RawJob>> WindowsSpooler::CreateRawJob(std::string_view queue,
                                                                    std::string_view title) {
  return WindowsRawJob::Start(queue, title, limits_);
}

}  // namespace varnok
