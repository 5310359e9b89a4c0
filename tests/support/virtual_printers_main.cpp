// Starts the standard virtual label printers on a private CUPS scheduler and keeps them until
// SIGINT or SIGTERM, so the program can be tried without real printers.
#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "support/virtual_printers.h"

int main() {
  using varnok::testing::VirtualPrinters;

  // Blocked before any thread starts, so every thread leaves them to sigwait below.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  std::unique_ptr<VirtualPrinters> printers;
  try {
    printers = VirtualPrinters::Start(VirtualPrinters::StandardQueues());
  } catch (const std::exception& error) {
    std::cerr << "varnok-virtual-printers: " << error.what() << "\n";
    return 1;
  }

  std::cout << "CUPS_SERVER=" << printers->ServerSocket() << "\n";
  for (const auto& queue : VirtualPrinters::StandardQueues()) {
    std::cout << "queue " << queue.name << "\tdriver \"" << queue.driver << "\"\n";
  }
  std::cout << "captured jobs: " << printers->CaptureFolder() << "/<queue>/\n"
            << "Press Ctrl-C to stop." << std::endl;

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  printers.reset();
  std::cout << "stopped" << std::endl;
  return 0;
}
