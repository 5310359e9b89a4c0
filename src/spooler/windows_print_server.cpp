#include "spooler/windows_print_server.h"

#include <algorithm>
#include <array>

#include "foundation/wide_text.h"

namespace varnok {
namespace {

SpoolerFailure LeftToTheDriverInstaller() {
  return {0, "not available on Windows: add printers with the maker's driver installer"};
}

std::string TextOf(const wchar_t* text) { return text != nullptr ? Utf8FromWide(text) : ""; }

SpoolerResult<std::vector<QueueDetails>> ReadQueues() {
  const auto list = windows::ListPrinters<PRINTER_INFO_2W>(2);
  if (!list) return list.failure();
  std::vector<QueueDetails> queues;
  for (const PRINTER_INFO_2W& printer : list->printers) {
    if (printer.pPrinterName == nullptr) continue;
    QueueDetails details{TextOf(printer.pPrinterName), std::nullopt, TextOf(printer.pPortName),
                         windows::AcceptsJobs(printer)};
    if (std::ranges::any_of(
            queues, [&details](const QueueDetails& known) { return known.name == details.name; })) {
      continue;
    }
    if (printer.pDriverName != nullptr) details.make_and_model = TextOf(printer.pDriverName);
    queues.push_back(std::move(details));
  }
  return queues;
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

SpoolerResult<std::vector<QueueDetails>> WindowsPrintServer::Queues() {
  return windows::Answered(worker_.Run(limits_.whole, ReadQueues));
}

SpoolerResult<std::vector<Device>> WindowsPrintServer::Devices(int) {
  return LeftToTheDriverInstaller();
}

SpoolerResult<std::vector<DriverOffer>> WindowsPrintServer::Drivers(std::string_view) {
  return LeftToTheDriverInstaller();
}

SpoolerResult<void> WindowsPrintServer::AddQueue(const NewQueue&) {
  return LeftToTheDriverInstaller();
}

SpoolerResult<void> WindowsPrintServer::RemoveQueue(std::string_view) {
  return LeftToTheDriverInstaller();
}

SpoolerResult<void> WindowsPrintServer::ChangeDevice(std::string_view, std::string_view) {
  return LeftToTheDriverInstaller();
}

// Only a CUPS print server journals its jobs, and only the journal's users ask for these.
SpoolerResult<std::vector<UnfinishedJob>> WindowsPrintServer::UnfinishedJobs() {
  return SpoolerFailure{0, "not available on Windows: the journal is kept by a CUPS print server"};
}

}  // namespace varnok
