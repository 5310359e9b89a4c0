#pragma once

#include <string>
#include <string_view>

#include "cli/cli_texts.h"
#include "spooler/spooler.h"

namespace varnok::cli {

// What went wrong with the print system at `server`, in words a person can act on: it could
// not be reached, did not answer, wants a password, is no print server at all, or otherwise
// failed the action, which says what could not be done ("cannot list the printers of the print
// system at {server}").
std::string ServerProblem(const CliTexts& texts, std::string_view action,
                          const SpoolerFailure& failure, std::string_view server);

// Why work on one queue failed: the print server has no such queue, or ServerProblem.
std::string QueueProblem(const CliTexts& texts, std::string_view action, std::string_view queue,
                         const SpoolerFailure& failure, std::string_view server);

// The refusal for rights: who may do it (`action`, e.g. "add printers") and how
// (`sudo varnok-printer COMMAND …`).
std::string RightsProblem(const CliTexts& texts, std::string_view action, std::string_view command,
                          const SpoolerFailure& failure, std::string_view server);

}  // namespace varnok::cli
