#pragma once

#include <atomic>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "foundation/file_access.h"
#include "foundation/ini_file.h"

// Several writers store keys of their own in one section of a file while a reader reads the
// whole file again and again: no save may be lost, and no read may see a file half-written.
namespace varnok::testing {

inline constexpr int kWriters = 4;
inline constexpr int kKeysEach = 12;
// What the file holds before the saves; they add their keys between the two.
inline constexpr std::string_view kHeader = "[S]\r\n";
inline constexpr std::string_view kTrailer = "; end\r\n";

inline std::string Key(int writer, int key) {
  return "W" + std::to_string(writer) + "K" + std::to_string(key);
}

// Every state a save leaves: the header, whole key lines, the trailer.
inline bool IsWhole(std::string_view bytes) {
  if (!bytes.starts_with(kHeader) || !bytes.ends_with(kTrailer)) return false;
  bytes = bytes.substr(kHeader.size(), bytes.size() - kHeader.size() - kTrailer.size());
  while (!bytes.empty()) {
    const std::size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) return false;
    const std::string_view line = bytes.substr(0, end);
    if (!line.starts_with('W') || !line.ends_with("=v") || line.find('\0') != line.npos) {
      return false;
    }
    bytes.remove_prefix(end + 2);
  }
  return true;
}

struct SavesAtOnce {
  bool all_saved = true;  // every save reported success
  bool all_whole = true;  // every read found a whole file
};

// Runs the writers and the reader on threads of their own until every writer is done.
inline SavesAtOnce SaveAtOnce(const std::string& path) {
  std::atomic<bool> all_saved = true;
  std::atomic<bool> all_whole = true;
  std::atomic<int> writing = kWriters;
  {
    std::vector<std::jthread> threads;
    for (int writer = 0; writer < kWriters; ++writer) {
      threads.emplace_back([&, writer] {
        for (int key = 0; key < kKeysEach; ++key) {
          if (!WriteIniString(path, "S", Key(writer, key), "v")) all_saved = false;
        }
        --writing;
      });
    }
    threads.emplace_back([&] {
      while (writing > 0) {
        const ini::FileBytes file = ini::ReadFileBytes(path);
        if (file.status != ini::ReadStatus::Ok || !IsWhole(file.bytes)) all_whole = false;
      }
    });
  }
  return {all_saved, all_whole};
}

}  // namespace varnok::testing
