#include "send_file/folder_listing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "foundation/utf8_path.h"

namespace varnok {

namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// "a" before "B", and equal-looking names in a fixed order.
bool CaseBlindLess(const std::string& left, const std::string& right) {
  const std::string left_lower = Lowered(left);
  const std::string right_lower = Lowered(right);
  return left_lower != right_lower ? left_lower < right_lower : left < right;
}

}  // namespace

FolderListing ListFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  FolderListing listing;
  std::error_code error;
  for (fs::directory_iterator it(PathFromUtf8(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::string name = Utf8FromPath(it->path().filename());
    if (name.starts_with('.')) continue;
    std::error_code type_error;  // a broken link is still a file to show
    (it->is_directory(type_error) ? listing.folders : listing.files).push_back(std::move(name));
  }
  if (error) return {{}, {}, error.message()};
  std::sort(listing.folders.begin(), listing.folders.end(), CaseBlindLess);
  std::sort(listing.files.begin(), listing.files.end(), CaseBlindLess);
  return listing;
}

std::string ChildFolder(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (!path.ends_with(separator)) path += separator;
  path += name;
  return path;
}

std::vector<std::string> FolderChain(std::string_view volume, std::string_view folder,
                                     char separator) {
  std::vector<std::string> chain = {std::string(volume)};
  std::string_view rest = folder.substr(std::min(volume.size(), folder.size()));
  while (!rest.empty()) {
    if (rest.front() == separator) {
      rest.remove_prefix(1);
      continue;
    }
    const std::string_view name = rest.substr(0, rest.find(separator));
    chain.push_back(ChildFolder(chain.back(), name, separator));
    rest.remove_prefix(name.size());
  }
  return chain;
}

}  // namespace varnok
