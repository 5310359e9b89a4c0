#pragma once

#include <filesystem>

namespace varnok::testing {

// Fills a private scheduler's ServerBin: a link to each entry of the system's, except
//   backend  a folder with only the socket backend (run for discovery it prints one fixed line
//            and probes nothing); the discovery backend (test_devices.h) is added later,
//   driver   an empty folder: the driver listers there (driverless) browse the network.
// So device and driver discovery never leave this machine. The journaling backend this build
// makes is copied in as backend/varnok, mode 0700 as the package installs it (discovery: it
// lists nothing), so that queues made with "varnok:" device URIs print.
void MakeServerBin(const std::filesystem::path& folder);

// Fills a private scheduler's DataDir: a link to each entry of the system's, and a model
// folder with copies of the .ppd files of driver_folder under model/varnok-utility/, where the
// scheduler's driver list (lpinfo -m, CUPS-Get-PPDs) finds them. Copies, because the
// scheduler reads them as its own user, who may not reach driver_folder. Throws when
// driver_folder holds no .ppd file.
void MakeDataDir(const std::filesystem::path& folder, const std::filesystem::path& driver_folder);

}  // namespace varnok::testing
