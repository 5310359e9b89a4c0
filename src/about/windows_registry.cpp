#include "about/windows_registry.h"

#include <windows.h>

#include <array>

#include "foundation/wide_text.h"

namespace varnok {

namespace {

// REG_EXPAND_SZ holds names such as %ProgramFiles% that only the environment resolves.
std::wstring Expanded(const std::wstring& text) {
  std::wstring expanded(ExpandEnvironmentStringsW(text.c_str(), nullptr, 0), L'\0');
  const DWORD length =
      ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
  if (length == 0 || length > expanded.size()) return text;
  expanded.resize(length - 1);
  return expanded;
}

}  // namespace

bool WindowsRegistry::GetKeyValue(std::string_view key, std::string_view value_name,
                                  std::string& value) {
  value.clear();
  HKEY handle = nullptr;
  // Read access only: a normal user may not open these keys with full access.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideFromUtf8(key).c_str(), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return false;
  }
  std::array<wchar_t, 512> data{};  // 1024 bytes; a longer value is no path the program uses
  DWORD type = REG_NONE;
  DWORD size = sizeof(data);
  const LONG status = RegQueryValueExW(handle, WideFromUtf8(value_name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  // The stored text need not end with a zero; it ends at the first one.
  std::wstring text(data.data(), size / sizeof(wchar_t));
  text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  value = Utf8FromWide(type == REG_EXPAND_SZ ? Expanded(text) : text);
  return true;
}

}  // namespace varnok
