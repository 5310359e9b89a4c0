#include <cups/cups.h>
#include <stdlib.h>

#include "printer/cups_print_server.h"
#include "printer/cups_spooler.h"
#include "printer/system_spooler.h"

namespace varnok {

std::unique_ptr<Spooler> MakeSystemSpooler() { return std::make_unique<CupsSpooler>(); }

std::unique_ptr<PrintServer> MakeSystemPrintServer() { return std::make_unique<CupsPrintServer>(); }

std::optional<std::string> UsePrintServer(const std::string& server) {
  // libcups keeps the server per thread, and each thread's libcups starts from CUPS_SERVER.
  ::setenv("CUPS_SERVER", server.c_str(), 1);
  cupsSetServer(server.c_str());
  return std::nullopt;
}

bool SaysQueueIsMissing(const SpoolerFailure& failure) {
  return failure.status == IPP_STATUS_ERROR_NOT_FOUND;
}

bool SaysNotAllowed(const SpoolerFailure& failure) {
  return failure.status == IPP_STATUS_ERROR_FORBIDDEN ||
         failure.status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
         failure.status == IPP_STATUS_ERROR_NOT_AUTHENTICATED;
}

}  // namespace varnok
