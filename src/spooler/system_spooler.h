#pragma once

#include <memory>
#include <optional>
#include <string>

#include "spooler/print_server.h"
#include "spooler/print_server_password.h"
#include "spooler/spooler.h"

// The platform's print system, chosen when the program is built: CUPS on Linux, the Windows
// spooler on Windows.
namespace varnok {

// `password` (may be null) answers a print server that asks for one; it must outlive them.
std::unique_ptr<Spooler> MakeSystemSpooler(PrintServerPassword* password = nullptr);
std::unique_ptr<PrintServer> MakeSystemPrintServer(PrintServerPassword* password = nullptr);

// Points every spooler and print server the program makes from now on, on every thread, at
// another print server. False where the print system has no such choice.
bool UsePrintServer(const std::string& server);

// Whether the spooler's failure says that the queue does not exist, rather than that the
// spooler could not be asked.
bool SaysQueueIsMissing(const SpoolerFailure& failure);
// Whether it says that the user may not do what was asked.
bool SaysNotAllowed(const SpoolerFailure& failure);
// Whether it says that the server asked is not a print server at all.
bool SaysNotAPrintServer(const SpoolerFailure& failure);

}  // namespace varnok
