// Brings the settings a version ships into the operator's settings file, for varnok-printer's
// maintainer scripts: adds the sections and keys the operator's file lacks and changes no line it
// has; a missing operator's file becomes a copy of the shipped one. Says what it added.
// Usage: varnok-settings-update OPERATOR_FILE SHIPPED_FILE
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/file_access.h"
#include "foundation/ini_merge.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " OPERATOR_FILE SHIPPED_FILE\n";
    return 2;
  }
  const std::string operator_file = argv[1];
  const std::string shipped_file = argv[2];
  const varnok::ini::FileBytes shipped = varnok::ini::ReadFileBytes(shipped_file);
  if (shipped.status != varnok::ini::ReadStatus::Ok) {
    std::cerr << argv[0] << ": cannot read " << shipped_file << "\n";
    return 1;
  }

  // What the edit found; a file that cannot be read is never given to it.
  enum class Found { Nothing, NothingMissing, CannotHold, Additions };
  Found found = Found::Nothing;
  std::vector<std::string> added;
  const bool written = varnok::ini::ChangeFileBytes(
      operator_file, [&](std::string_view current) -> std::optional<std::string> {
        std::optional<varnok::ini::MergedFile> merged =
            varnok::ini::WithShippedEntries(current, shipped.bytes);
        found = !merged                    ? Found::CannotHold
                : merged->bytes == current ? Found::NothingMissing
                                           : Found::Additions;
        if (found != Found::Additions) return std::nullopt;
        added = std::move(merged->added);
        return std::move(merged->bytes);
      });
  if (found == Found::NothingMissing) return 0;
  if (!written) {
    std::cerr << argv[0] << ": cannot add the settings of " << shipped_file << " to "
              << operator_file << " ("
              << (found == Found::CannotHold ? "its encoding cannot hold them"
                                             : "it cannot be read or written")
              << "); it is left as it was\n";
    return 1;
  }
  for (const std::string& item : added) {
    std::cout << "Added to " << operator_file << ": " << item << "\n";
  }
  return 0;
}
