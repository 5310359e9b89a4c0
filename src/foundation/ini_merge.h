#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Brings what a new version ships into the operator's settings file: the sections and keys it
// lacks, never a change to a line it has.
namespace varnok::ini {

struct MergedFile {
  std::string bytes;
  std::vector<std::string> added;  // "[section]" for a whole section, "[section] key" for a key
};

// The operator's file (current) with each section of the shipped file that it lacks, added at its
// end whole, with the shipped lines (comments too) after a blank line; and each key it lacks in a
// section it has, added after that section's last key with the shipped value (as WithValue adds
// one). Sections and keys are found as the reader finds them: names without regard to letter case
// and blanks, the first matching section. Added text is in the current file's encoding. A file
// with no text becomes the shipped one whole. Nothing when an addition cannot be written in the
// current file's encoding so that it reads back.
std::optional<MergedFile> WithShippedEntries(std::string_view current, std::string_view shipped);

}  // namespace varnok::ini
