// A write followed by a read returns the value written, and the write changes at most one
// line of the file: every other byte stays where it was. A refused write changes nothing.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "foundation/ini_file.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names and values from a small alphabet that survives a round trip: no line ends, no
// surrounding blanks or quotes, no "=" or "]" in names.
std::string Token(std::string_view& input, std::string_view alphabet, size_t max_length) {
  if (input.empty()) return "A";
  size_t length = 1 + static_cast<unsigned char>(input.front()) % max_length;
  input.remove_prefix(1);
  std::string token;
  for (; length > 0 && !input.empty(); --length, input.remove_prefix(1)) {
    token += alphabet[static_cast<unsigned char>(input.front()) % alphabet.size()];
  }
  // Blanks around a name or value are not part of it, so only inner blanks survive.
  const size_t first = token.find_first_not_of(' ');
  if (first == std::string::npos) return "A";
  return token.substr(first, token.find_last_not_of(' ') - first + 1);
}

const std::string& Folder() {
  static const std::string folder = [] {
    // A memory-backed folder where there is one: every write is synced to disk.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "ini-fuzz-XXXXXX").string();
    return std::string(mkdtemp(pattern.data()));
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string section = Token(input, "ABCLNGabclng_ 1", 8);
  const std::string key = Token(input, "SDTLGsdtlg_1", 4);
  const std::string value = Token(input, "CHINESEenglish-0123 x", 40);
  const std::string path = Folder() + "/config.ini";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << input;  // the rest of the input is the file as it was
  }
  const std::string before = ReadAll(path);
  if (!varnok::WriteIniString(path, section, key, value)) {
    // A write may be refused (a file of mixed encodings), but then nothing changes.
    if (ReadAll(path) != before) std::abort();
    return 0;
  }
  if (varnok::ReadIniString(path, section, key) != value) std::abort();

  const std::string after = ReadAll(path);
  size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::string_view replaced =
      std::string_view(before).substr(prefix, before.size() - prefix - suffix);
  if (replaced.find_first_of("\r\n") != std::string_view::npos) std::abort();
  return 0;
}
