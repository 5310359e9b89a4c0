#include <windows.h>

#include "printer/system_spooler.h"
#include "printer/windows_print_server.h"
#include "printer/windows_spooler.h"

namespace varnok {

std::unique_ptr<Spooler> MakeSystemSpooler() { return std::make_unique<WindowsSpooler>(); }

std::unique_ptr<PrintServer> MakeSystemPrintServer() {
  return std::make_unique<WindowsPrintServer>();
}

std::optional<std::string> UsePrintServer(const std::string&) {
  return "on Windows the program speaks to this computer's spooler, which reaches shared "
         "printers too: connect to the print server's printers in Windows instead";
}

bool SaysQueueIsMissing(const SpoolerFailure& failure) {
  return failure.status == ERROR_INVALID_PRINTER_NAME;
}

bool SaysNotAllowed(const SpoolerFailure& failure) { return failure.status == ERROR_ACCESS_DENIED; }

}  // namespace varnok
