#include <windows.h>

#include "foundation/program_folder.h"
#include "foundation/wide_text.h"

namespace varnok {

// The one place that knows where the program lives: the module file name Windows gives, which
// may be longer than MAX_PATH.
std::string ConfigFilePath() {
  std::wstring program(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0) return "config.ini";  // no program path: the working folder
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);  // cut short: ask again with more room
  }
  // A plain concatenation: no separator check.
  return Utf8FromWide(program.substr(0, program.rfind(L'\\'))) + "\\config.ini";
}

}  // namespace varnok
