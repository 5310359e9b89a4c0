#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <utility>

#include "cli/console.h"
#include "foundation/wide_text.h"

namespace varnok::cli {
namespace {

void (*interrupt_handler)() = nullptr;

// Windows calls this on a thread of its own.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupt_handler();
  return TRUE;
}

using Range = std::pair<char32_t, char32_t>;

// Characters a console shows two columns wide: East Asian wide and fullwidth characters
// (Unicode's East Asian Width W and F) in the blocks names and texts come from, and emoji.
constexpr std::array kWide = {
    Range{0x1100, 0x115F},   Range{0x231A, 0x231B},   Range{0x2329, 0x232A},
    Range{0x23E9, 0x23EC},   Range{0x23F0, 0x23F0},   Range{0x23F3, 0x23F3},
    Range{0x25FD, 0x25FE},   Range{0x2614, 0x2615},   Range{0x2648, 0x2653},
    Range{0x267F, 0x267F},   Range{0x2693, 0x2693},   Range{0x26A1, 0x26A1},
    Range{0x26AA, 0x26AB},   Range{0x26BD, 0x26BE},   Range{0x26C4, 0x26C5},
    Range{0x26CE, 0x26CE},   Range{0x26D4, 0x26D4},   Range{0x26EA, 0x26EA},
    Range{0x26F2, 0x26F3},   Range{0x26F5, 0x26F5},   Range{0x26FA, 0x26FA},
    Range{0x26FD, 0x26FD},   Range{0x2705, 0x2705},   Range{0x270A, 0x270B},
    Range{0x2728, 0x2728},   Range{0x274C, 0x274C},   Range{0x274E, 0x274E},
    Range{0x2753, 0x2755},   Range{0x2757, 0x2757},   Range{0x2795, 0x2797},
    Range{0x27B0, 0x27B0},   Range{0x27BF, 0x27BF},   Range{0x2B1B, 0x2B1C},
    Range{0x2B50, 0x2B50},   Range{0x2B55, 0x2B55},   Range{0x2E80, 0x303E},
    Range{0x3041, 0x33FF},   Range{0x3400, 0x4DBF},   Range{0x4E00, 0x9FFF},
    Range{0xA000, 0xA4CF},   Range{0xA960, 0xA97F},   Range{0xAC00, 0xD7A3},
    Range{0xF900, 0xFAFF},   Range{0xFE10, 0xFE19},   Range{0xFE30, 0xFE6F},
    Range{0xFF00, 0xFF60},   Range{0xFFE0, 0xFFE6},   Range{0x16FE0, 0x16FE4},
    Range{0x17000, 0x18CFF}, Range{0x1B000, 0x1B2FF}, Range{0x1F004, 0x1F004},
    Range{0x1F0CF, 0x1F0CF}, Range{0x1F18E, 0x1F18E}, Range{0x1F191, 0x1F19A},
    Range{0x1F200, 0x1F2FF}, Range{0x1F300, 0x1F320}, Range{0x1F32D, 0x1F335},
    Range{0x1F337, 0x1F37C}, Range{0x1F37E, 0x1F393}, Range{0x1F3A0, 0x1F3CA},
    Range{0x1F3CF, 0x1F3D3}, Range{0x1F3E0, 0x1F3F0}, Range{0x1F3F4, 0x1F3F4},
    Range{0x1F3F8, 0x1F43E}, Range{0x1F440, 0x1F440}, Range{0x1F442, 0x1F4FC},
    Range{0x1F4FF, 0x1F53D}, Range{0x1F54B, 0x1F54E}, Range{0x1F550, 0x1F567},
    Range{0x1F57A, 0x1F57A}, Range{0x1F595, 0x1F596}, Range{0x1F5A4, 0x1F5A4},
    Range{0x1F5FB, 0x1F64F}, Range{0x1F680, 0x1F6C5}, Range{0x1F6CC, 0x1F6CC},
    Range{0x1F6D0, 0x1F6D2}, Range{0x1F6D5, 0x1F6D7}, Range{0x1F6EB, 0x1F6EC},
    Range{0x1F6F4, 0x1F6FC}, Range{0x1F7E0, 0x1F7EB}, Range{0x1F90C, 0x1F93A},
    Range{0x1F93C, 0x1F945}, Range{0x1F947, 0x1F9FF}, Range{0x1FA70, 0x1FAFF},
    Range{0x20000, 0x2FFFD}, Range{0x30000, 0x3FFFD},
};

// Characters shown on the one before them, or not at all: combining marks, zero-width
// characters, variation selectors.
constexpr std::array kZeroWidth = {
    Range{0x0300, 0x036F},   Range{0x0483, 0x0489}, Range{0x0591, 0x05BD}, Range{0x0610, 0x061A},
    Range{0x064B, 0x065F},   Range{0x0E31, 0x0E31}, Range{0x0E34, 0x0E3A}, Range{0x0E47, 0x0E4E},
    Range{0x1160, 0x11FF},   Range{0x1AB0, 0x1AFF}, Range{0x1DC0, 0x1DFF}, Range{0x200B, 0x200F},
    Range{0x202A, 0x202E},   Range{0x2060, 0x2064}, Range{0x20D0, 0x20FF}, Range{0x302A, 0x302D},
    Range{0x3099, 0x309A},   Range{0xFE00, 0xFE0F}, Range{0xFE20, 0xFE2F}, Range{0xFEFF, 0xFEFF},
    Range{0xE0100, 0xE01EF},
};

template <std::size_t N>
bool IsIn(const std::array<Range, N>& ranges, char32_t point) {
  const auto after = std::ranges::upper_bound(ranges, point, {}, &Range::first);
  return after != ranges.begin() && point <= std::prev(after)->second;
}

bool IsConsole(DWORD standard_handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(standard_handle), &mode) != FALSE;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) words.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return words;
}

Language SystemLanguage() {
  return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::Chinese
                                                                     : Language::English;
}

void PrepareConsole() { ::SetConsoleOutputCP(CP_UTF8); }

bool OutputIsTerminal() { return IsConsole(STD_OUTPUT_HANDLE); }

bool ErrorIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

void OnInterrupt(void (*handler)()) {
  interrupt_handler = handler;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

int CharacterColumns(char32_t point) {
  if (point < 0x20 || (point >= 0x7F && point < 0xA0)) return 0;
  if (IsIn(kZeroWidth, point)) return 0;
  return IsIn(kWide, point) ? 2 : 1;
}

std::string_view ProgramHelp() {
  return "Finds and configures VARNOK thermal label printers through the Windows spooler.\n"
         "Printers are added with the maker's driver installer; devices and add are not\n"
         "available on Windows.";
}

std::string_view ServerOptionHelp() {
  return "Not used on Windows: the spooler of this computer reaches every printer, shared "
         "ones included";
}

}  // namespace varnok::cli
