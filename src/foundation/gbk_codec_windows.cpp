#include <windows.h>

#include <climits>

#include "foundation/gbk_codec.h"
#include "foundation/utf8.h"
#include "foundation/wide_text.h"

namespace varnok::ini {

namespace {

// Windows' number for GBK.
constexpr UINT kGbkCodePage = 936;

constexpr wchar_t kReplacementCharacter = L'\xFFFD';

// The character these bytes encode, all of them and nothing else; 0 when they are not one
// GBK character.
wchar_t DecodeOne(std::string_view bytes) {
  wchar_t wide[2];
  const int length = ::MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), wide, 2);
  return length == 1 ? wide[0] : L'\0';
}

// Decodes character by character, so that one byte that is not GBK costs only itself.
std::wstring DecodeEachCharacter(std::string_view gbk) {
  std::wstring wide;
  wide.reserve(gbk.size());
  std::size_t i = 0;
  while (i < gbk.size()) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (byte < 0x80) {
      wide += static_cast<wchar_t>(byte);
      ++i;
      continue;
    }
    if (i + 1 < gbk.size() && ::IsDBCSLeadByteEx(kGbkCodePage, byte)) {
      if (const wchar_t pair = DecodeOne(gbk.substr(i, 2))) {
        wide += pair;
        i += 2;
        continue;
      }
    }
    const wchar_t single = DecodeOne(gbk.substr(i, 1));
    wide += single != L'\0' ? single : kReplacementCharacter;
    ++i;
  }
  return wide;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  if (gbk.empty() || gbk.size() > INT_MAX) return {};
  // Most text is whole GBK: one call converts it all.
  const int size = static_cast<int>(gbk.size());
  std::wstring wide(gbk.size(), L'\0');
  const int length = ::MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size,
                                           wide.data(), size);
  if (length > 0) {
    wide.resize(static_cast<std::size_t>(length));
  } else {
    wide = DecodeEachCharacter(gbk);
  }
  return Utf8FromWide(wide);
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  if (!IsValidUtf8(utf8) || utf8.size() > INT_MAX / 2) return std::nullopt;
  const std::wstring wide = WideFromUtf8(utf8);
  if (wide.empty()) return std::string();
  // No best-fit look-alikes: a character GBK lacks makes the whole text unencodable.
  const int size = static_cast<int>(wide.size());
  BOOL substituted = FALSE;
  std::string gbk(wide.size() * 2, '\0');
  const int length =
      ::WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, gbk.data(),
                            static_cast<int>(gbk.size()), nullptr, &substituted);
  if (length <= 0 || substituted) return std::nullopt;
  gbk.resize(static_cast<std::size_t>(length));
  return gbk;
}

}  // namespace varnok::ini
