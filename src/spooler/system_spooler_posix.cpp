#include <cups/cups.h>
#include <stdlib.h>

#include "spooler/cups_connection.h"
#include "spooler/cups_print_server.h"
#include "spooler/cups_spooler.h"
#include "spooler/system_spooler.h"

namespace varnok {

std::unique_ptr<Spooler> MakeSystemSpooler(PrintServerPassword* password) {
  return std::make_unique<CupsSpooler>(password);
}

std::unique_ptr<PrintServer> MakeSystemPrintServer(PrintServerPassword* password) {
  return std::make_unique<CupsPrintServer>(password);
}

bool UsePrintServer(const std::string& server) {
  // libcups keeps the server per thread, and each thread's libcups starts from CUPS_SERVER.
  ::setenv("CUPS_SERVER", server.c_str(), 1);
  cupsSetServer(server.c_str());
  return true;
}

bool SaysQueueIsMissing(const SpoolerFailure& failure) {
  return failure.status == IPP_STATUS_ERROR_NOT_FOUND;
}

bool SaysNotAllowed(const SpoolerFailure& failure) {
  return IsAccessRefusal(static_cast<ipp_status_t>(failure.status));
}

bool SaysNotAPrintServer(const SpoolerFailure& failure) {
  // libcups turns an HTTP server's "501 Not Implemented" into this status; a print server
  // implements every request the program makes.
  return failure.status == IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED;
}

}  // namespace varnok
