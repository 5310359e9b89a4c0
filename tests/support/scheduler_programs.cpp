#include "support/scheduler_programs.h"

#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnok::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSystemServerBin = "/usr/lib/cups";
constexpr const char* kSystemDataDir = "/usr/share/cups";

// Links each entry of source into folder, except the named ones, which become empty folders.
void MirrorFolder(const fs::path& source, const fs::path& folder,
                  const std::set<std::string>& own) {
  fs::create_directories(folder);
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    const std::string name = entry.path().filename().string();
    if (!own.contains(name)) fs::create_symlink(entry.path(), folder / name);
  }
  for (const std::string& name : own) fs::create_directory(folder / name);
}

}  // namespace

void MakeServerBin(const fs::path& folder) {
  MirrorFolder(kSystemServerBin, folder, {"backend", "driver"});
  fs::create_symlink(fs::path(kSystemServerBin) / "backend" / "socket",
                     folder / "backend" / "socket");
  const fs::path installed = folder / "backend" / "varnok";
  if (std::string_view(VARNOK_BACKEND_EMULATOR).empty()) {
    fs::copy_file(VARNOK_BACKEND_PROGRAM, installed);
  } else {
    std::ofstream(installed) << "#!/bin/sh\nexec " VARNOK_BACKEND_EMULATOR
                                " '" VARNOK_BACKEND_PROGRAM "' \"$@\"\n";
  }
  fs::permissions(installed, fs::perms::owner_all);
}

void MakeDataDir(const fs::path& folder, const fs::path& driver_folder) {
  MirrorFolder(kSystemDataDir, folder, {"model"});
  const fs::path drivers = folder / "model" / "varnok-utility";
  fs::create_directory(drivers);
  int copied = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(driver_folder)) {
    if (entry.path().extension() != ".ppd") continue;
    const fs::path copy = drivers / entry.path().filename();
    fs::copy_file(entry.path(), copy);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    ++copied;
  }
  if (copied == 0) throw std::runtime_error(driver_folder.string() + " holds no .ppd file");
}

}  // namespace varnok::testing
