#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foundation/language.h"

// What varnok-printer needs of the system it runs on beyond the print system: its arguments,
// the console and Ctrl+C. One implementation a platform.
namespace varnok::cli {

// The arguments as UTF-8, the program's name first. (On Windows argv holds them in the ANSI
// code page, which cannot hold every queue or file name.)
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The language the user's settings ask messages in: on Linux the locale's (LocaleLanguage), on
// Windows the language of its menus and dialogs.
Language SystemLanguage();

// Makes the console show UTF-8 output.
void PrepareConsole();

// Whether standard output goes to a terminal (tables fit its width), and whether standard
// error does (it is shown a send's progress).
bool OutputIsTerminal();
bool ErrorIsTerminal();

// Calls the handler when the user presses Ctrl+C; it may run on another thread or in a signal
// handler, so it must only set a flag.
void OnInterrupt(void (*handler)());

// How many terminal columns one character takes: 2 for wide East Asian characters, 0 for
// combining marks and characters that are not shown.
int CharacterColumns(char32_t point);

// What --help says first, and what it says of --server.
std::string_view ProgramHelp();
std::string_view ServerOptionHelp();

}  // namespace varnok::cli
