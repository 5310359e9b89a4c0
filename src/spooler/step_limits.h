#pragma once

#include <chrono>

// How long the program waits for the print system, on every platform: the one place where these
// limits are written.
namespace varnok {

// How long a step (one thing asked of the print system: a lookup, a send, one piece of a file
// being sent) may take, and how long its answer may fall silent.
struct StepLimits {
  std::chrono::seconds whole;    // from the request to the end of its answer
  std::chrono::seconds silence;  // the longest wait for the next piece of the answer, or its first
};

// Connecting to the print system. A local scheduler connects at once, a remote one well within.
inline constexpr std::chrono::seconds kConnectTime{3};

// Every step but the slow listings below. A local scheduler answers within milliseconds, a
// remote one well within; a scheduler that has hung, or answers a byte at a time, ends the step.
inline constexpr StepLimits kStepLimits{std::chrono::seconds(10), std::chrono::seconds(10)};

// The driver files a print server offers, and a queue made with one of them: the scheduler reads
// every driver file it has before it answers, thousands on a print server with the distribution's
// printer drivers, which takes a slow machine a while; it then answers quickly.
inline constexpr StepLimits kDriverLimits{std::chrono::minutes(5), std::chrono::minutes(1)};

// The printers the print system finds, given `search` to look: it answers at once and adds each
// printer as its backends report it, each backend for at most that long.
constexpr StepLimits DeviceSearchLimits(std::chrono::seconds search) {
  return {search + std::chrono::minutes(1), search + kStepLimits.silence};
}

}  // namespace varnok
