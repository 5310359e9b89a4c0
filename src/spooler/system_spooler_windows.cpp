#include <windows.h>

#include "spooler/system_spooler.h"
#include "spooler/windows_print_server.h"
#include "spooler/windows_spooler.h"

namespace varnok {

// The Windows spooler signs in to shared printers with the user's own Windows account: it
// never asks for a password.
std::unique_ptr<Spooler> MakeSystemSpooler(PrintServerPassword*) {
  return std::make_unique<WindowsSpooler>();
}

std::unique_ptr<PrintServer> MakeSystemPrintServer(PrintServerPassword*) {
  return std::make_unique<WindowsPrintServer>();
}

// This computer's spooler reaches the printers of print servers too, once Windows is connected
// to them.
bool UsePrintServer(const std::string&) { return false; }

bool SaysQueueIsMissing(const SpoolerFailure& failure) {
  return failure.status == ERROR_INVALID_PRINTER_NAME;
}

bool SaysNotAllowed(const SpoolerFailure& failure) { return failure.status == ERROR_ACCESS_DENIED; }

bool SaysNotAPrintServer(const SpoolerFailure&) { return false; }

}  // namespace varnok
