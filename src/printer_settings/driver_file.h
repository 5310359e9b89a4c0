#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The CUPS driver file (PPD) of a VARNOK label printer: maker VARNOK, the model as NickName
// (what a queue made with the file reports as printer-make-and-model), jobs passed to the
// printer unchanged, and common label sizes (4 x 6 in by default, printable to the edges).
//
// Any model text gives a valid file. A '"' (which would end the quoted value) becomes "'" and
// a control character a blank; everything else is reported as given, UTF-8 included. The
// ModelName keeps only what PPD allows there (letters, digits and " ./-+"); the ShortNickName
// is the NickName cut to 31 bytes.
std::string DriverFileText(std::string_view model);

}  // namespace varnok
