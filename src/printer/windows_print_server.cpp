#include "printer/windows_print_server.h"

#include <algorithm>
#include <array>

#include "settings/wide_text.h"

namespace varnok {
namespace {

SpoolerFailure LeftToTheDriverInstaller() {
  return {0, "not available on Windows: add printers with the maker's driver installer"};
}

std::string TextOf(const wchar_t* text) { return text != nullptr ? Utf8FromWide(text) : ""; }

struct QueueList {
  std::optional<std::vector<QueueDetails>> queues;
  SpoolerFailure failure;
};

QueueList ReadQueues() {
  QueueList result;
  const auto list = windows::ListPrinters<PRINTER_INFO_2W>(2, result.failure);
  if (!list) return result;
  result.queues.emplace();
  for (const PRINTER_INFO_2W& printer : list->printers) {
    if (printer.pPrinterName == nullptr) continue;
    QueueDetails details{TextOf(printer.pPrinterName), std::nullopt, TextOf(printer.pPortName),
                         windows::AcceptsJobs(printer)};
    if (std::ranges::any_of(*result.queues, [&details](const QueueDetails& known) {
          return known.name == details.name;
        })) {
      continue;
    }
    if (printer.pDriverName != nullptr) details.make_and_model = TextOf(printer.pDriverName);
    result.queues->push_back(std::move(details));
  }
  return result;
}

}  // namespace

// The spooler is this computer's: it is named by the computer's name, which every language
// reads alike.
std::string WindowsPrintServer::Name() {
  std::array<wchar_t, MAX_COMPUTERNAME_LENGTH + 1> name{};
  DWORD size = name.size();
  if (!::GetComputerNameW(name.data(), &size)) return "localhost";
  return Utf8FromWide(std::wstring_view(name.data(), size));
}

std::optional<std::vector<QueueDetails>> WindowsPrintServer::Queues(SpoolerFailure& failure) {
  std::optional<QueueList> list = worker_.Run(limits_.whole, ReadQueues);
  if (!list) {
    failure = windows::NoAnswer();
    return std::nullopt;
  }
  if (!list->queues) failure = list->failure;
  return std::move(list->queues);
}

std::optional<std::vector<Device>> WindowsPrintServer::Devices(int, SpoolerFailure& failure) {
  failure = LeftToTheDriverInstaller();
  return std::nullopt;
}

std::optional<std::vector<DriverOffer>> WindowsPrintServer::Drivers(std::string_view,
                                                                    SpoolerFailure& failure) {
  failure = LeftToTheDriverInstaller();
  return std::nullopt;
}

std::optional<SpoolerFailure> WindowsPrintServer::AddQueue(const NewQueue&) {
  return LeftToTheDriverInstaller();
}

std::optional<SpoolerFailure> WindowsPrintServer::RemoveQueue(std::string_view) {
  return LeftToTheDriverInstaller();
}

std::optional<SpoolerFailure> WindowsPrintServer::ChangeDevice(std::string_view, std::string_view) {
  return LeftToTheDriverInstaller();
}

// Only a CUPS print server journals its jobs, and only the journal's users ask for these.
std::optional<std::vector<UnfinishedJob>> WindowsPrintServer::UnfinishedJobs(
    SpoolerFailure& failure) {
  failure = {0, "not available on Windows: the journal is kept by a CUPS print server"};
  return std::nullopt;
}

}  // namespace varnok
