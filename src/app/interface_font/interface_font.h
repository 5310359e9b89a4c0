#pragma once

namespace varnok {

// The family of the font built into the program: the characters beyond ASCII that its windows
// and messages show, cut from a CJK font.
inline constexpr char kInterfaceFontFamily[] = VARNOK_INTERFACE_FONT_FAMILY;

// Lets the application font take those characters from the built-in font, so that showing
// Chinese does not load a whole CJK font of several megabytes. Every other character still
// comes from the system's fonts, as before. Call it once the QApplication exists.
void UseInterfaceFont();

}  // namespace varnok
