// Writes the CUPS driver file of every supported model, under the model's driver file name,
// into the folder given as the only argument.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "printer_settings/driver_file.h"
#include "printer_settings/supported_models.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const std::string_view model : varnok::SupportedModels()) {
    const std::filesystem::path path = folder / varnok::DriverFileName(model);
    std::ofstream file(path, std::ios::binary);
    file << varnok::DriverFileText(model);
    if (!file.flush()) {
      std::cerr << "cannot write " << path.string() << "\n";
      return 1;
    }
  }
  return 0;
}
