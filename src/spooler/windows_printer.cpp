#include "spooler/windows_printer.h"

#include "foundation/wide_text.h"

namespace varnok::windows {

SpoolerResult<std::shared_ptr<Printer>> Printer::Open(std::string_view queue) {
  std::wstring name = WideFromUtf8(queue);
  HANDLE handle = nullptr;
  if (!::OpenPrinterW(name.data(), &handle, nullptr)) return LastSystemFailure();
  return std::shared_ptr<Printer>(new Printer(handle));
}

Printer::~Printer() { ::ClosePrinter(handle_); }

SpoolerFailure SystemFailure(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = length > 0 ? Utf8FromWide({text, length}) : "";
  ::LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "Windows error " + std::to_string(code);
  return {static_cast<int>(code), std::move(reason)};
}

SpoolerFailure LastSystemFailure() { return SystemFailure(::GetLastError()); }

SpoolerFailure NoAnswer() { return {0, "the print system did not answer in time", true}; }

SpoolerResult<DWORD> EnumeratePrinters(DWORD level, std::vector<BYTE>& buffer) {
  constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  // The list may grow between the size query and the call: ask again with the new size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    buffer.resize(needed);
    if (::EnumPrintersW(kWhich, nullptr, level, buffer.data(), static_cast<DWORD>(buffer.size()),
                        &needed, &count)) {
      return count;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  return LastSystemFailure();
}

bool AcceptsJobs(const PRINTER_INFO_2W& printer) {
  return (printer.Status & (PRINTER_STATUS_PAUSED | PRINTER_STATUS_PENDING_DELETION)) == 0;
}

}  // namespace varnok::windows
