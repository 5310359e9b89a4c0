#include "printer/windows_spooler.h"

#include <algorithm>

#include "printer/windows_raw_job.h"
#include "settings/wide_text.h"

namespace varnok {
namespace {

// The level-2 size query fails with this code and announces the size it needs.
constexpr DWORD kInsufficientBuffer = ERROR_INSUFFICIENT_BUFFER;  // 122

QueueDescription Describe(const std::string& queue) {
  QueueDescription description;
  const std::shared_ptr<windows::Printer> printer =
      windows::Printer::Open(queue, description.failure);
  if (!printer) return description;  // CannotOpen

  // Asked with no room, the spooler must fail and say how much it needs.
  ::SetLastError(ERROR_SUCCESS);
  BYTE probe = 0;
  DWORD announced = 0;
  const bool answered = ::GetPrinterW(printer->get(), 2, &probe, 0, &announced);
  const DWORD error = ::GetLastError();
  if (answered || error != kInsufficientBuffer) {
    description.outcome = DescribeOutcome::SizeQueryFailed;
    description.failure = windows::SystemFailure(error);
    return description;
  }
  // Three times the room, as the description is read; the size stated is the one announced.
  std::vector<BYTE> buffer(std::size_t{announced} * 3);
  DWORD needed = 0;
  if (!::GetPrinterW(printer->get(), 2, buffer.data(), announced, &needed)) {
    description.outcome = DescribeOutcome::DescriptionUnreadable;
    description.failure = windows::LastSystemFailure();
    return description;
  }
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  description.outcome = DescribeOutcome::Ok;
  if (info->pDriverName != nullptr) description.make_and_model = Utf8FromWide(info->pDriverName);
  description.accepting_jobs = windows::AcceptsJobs(*info);
  return description;
}

}  // namespace

std::vector<std::string> WindowsSpooler::ListQueues(std::optional<SpoolerFailure>& failure) {
  using Listing = std::pair<std::vector<std::string>, std::optional<SpoolerFailure>>;
  std::optional<Listing> listing = worker_.Run(limits_.whole, [] {
    // Level 4, the names alone, is the one Windows answers without asking print servers.
    SpoolerFailure refused;
    const auto list = windows::ListPrinters<PRINTER_INFO_4W>(4, refused);
    Listing found;
    if (!list) {
      found.second = refused;
      return found;
    }
    for (const PRINTER_INFO_4W& printer : list->printers) {
      if (printer.pPrinterName == nullptr) continue;
      std::string name = Utf8FromWide(printer.pPrinterName);
      if (std::ranges::find(found.first, name) == found.first.end()) {
        found.first.push_back(std::move(name));
      }
    }
    return found;
  });
  if (!listing) {
    failure = windows::NoAnswer();
    return {};
  }
  failure = listing->second;
  return std::move(listing->first);
}

std::optional<SpoolerFailure> WindowsSpooler::OpenQueue(std::string_view queue) {
  std::optional<std::optional<SpoolerFailure>> opened =
      worker_.Run(limits_.whole, [name = std::string(queue)]() -> std::optional<SpoolerFailure> {
        SpoolerFailure failure;
        if (windows::Printer::Open(name, failure)) return std::nullopt;
        return failure;
      });
  return opened ? *opened : windows::NoAnswer();
}

QueueDescription WindowsSpooler::DescribeQueue(std::string_view queue) {
  std::optional<QueueDescription> description =
      worker_.Run(limits_.whole, [name = std::string(queue)] { return Describe(name); });
  if (description) return std::move(*description);
  // As for any answer the lookup cannot use.
  QueueDescription silent;
  silent.outcome = DescribeOutcome::SizeQueryFailed;
  silent.failure = windows::NoAnswer();
  return silent;
}

std::unique_ptr<RawJob> WindowsSpooler::CreateRawJob(std::string_view queue, std::string_view title,
                                                     SpoolerFailure& failure) {
  return WindowsRawJob::Start(queue, title, limits_, failure);
}

}  // namespace varnok
