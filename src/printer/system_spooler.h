#pragma once

#include <memory>
#include <optional>
#include <string>

#include "printer/print_server.h"
#include "printer/spooler.h"

// The platform's print system, chosen when the program is built: CUPS on Linux, the Windows
// spooler on Windows.
namespace varnok {

std::unique_ptr<Spooler> MakeSystemSpooler();
std::unique_ptr<PrintServer> MakeSystemPrintServer();

// Points every spooler and print server the program makes from now on, on every thread, at
// another print server. Nothing when done; otherwise why this print system has no such choice.
std::optional<std::string> UsePrintServer(const std::string& server);

// Whether the spooler's failure says that the queue does not exist, rather than that the
// spooler could not be asked.
bool SaysQueueIsMissing(const SpoolerFailure& failure);
// Whether it says that the user may not do what was asked.
bool SaysNotAllowed(const SpoolerFailure& failure);

}  // namespace varnok
