#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace varnok::cli {

// Text from the print server or the user as it can be shown on a terminal: valid UTF-8 stays,
// control characters become \r, \n, \t or \xNN and bytes that are not UTF-8 become \xNN, so
// no name can break a line, a table or the terminal.
std::string Visible(std::string_view bytes);

// Writes one line of a message for people, shown with Visible: whatever the print server or the
// user put into it stays on its one line and cannot act on the terminal.
void SayLine(std::ostream& stream, std::string_view message);

// How many terminal columns visible text takes (wide East Asian characters take two).
std::size_t DisplayWidth(std::string_view visible_text);

}  // namespace varnok::cli
