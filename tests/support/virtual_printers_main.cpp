// Starts the standard virtual label printers on a private CUPS scheduler and keeps them until
// SIGINT or SIGTERM, so the program can be tried without real printers. With a folder of driver
// files as its argument, the scheduler offers them too, so that printers can be added to it
// (its device discovery shows fixed test printers only).
#include <signal.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "support/virtual_printers.h"

int main(int argc, char** argv) {
  using varnok::testing::VirtualPrinters;

  // Blocked before any thread starts, so every thread leaves them to sigwait below.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  std::unique_ptr<VirtualPrinters> printers;
  try {
    varnok::testing::SchedulerOptions options;
    if (argc > 1) options.driver_folder = argv[1];
    printers = VirtualPrinters::Start(VirtualPrinters::StandardQueues(), options);
  } catch (const std::exception& error) {
    std::cerr << "varnok-virtual-printers: " << error.what() << "\n";
    return 1;
  }

  std::cout << "CUPS_SERVER=" << printers->ServerSocket() << "\n";
  for (const auto& queue : VirtualPrinters::StandardQueues()) {
    std::cout << "queue " << queue.name << "\tdriver \"" << queue.driver << "\"\n";
  }
  std::cout << "journal of varnok: queues: " << printers->JournalPath() << "\n"
            << "captured jobs: " << printers->CaptureFolder() << "/<queue>/\n"
            << "Press Ctrl-C to stop." << std::endl;

  int signal_number = 0;
  sigwait(&stop_signals, &signal_number);
  printers.reset();
  std::cout << "stopped" << std::endl;
  return 0;
}
