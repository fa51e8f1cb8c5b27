#ifndef CORVALD_CONSOLE_CODEPAGE437_H
#define CORVALD_CONSOLE_CODEPAGE437_H

#include <string>
#include <string_view>

namespace console {

// The characters of the console's cells are bytes of code page 437, the character set of
// the PC text screen: beside ASCII it has pictures for the control bytes (the card suits
// 3 to 6 among them), accented letters, box lines and a few mathematical signs. A terminal
// speaks Unicode, so every byte is shown as the character that the PC would have painted.
class CodePage437 {
public:
    // The Unicode character a byte shows as. Byte 0 shows as a blank, as on the PC screen;
    // no byte maps to a control character, so a cell can never smuggle an escape sequence
    // into the terminal.
    static char32_t to_unicode(char ch);

    // The same character encoded as UTF-8 (1 to 3 bytes), from a table built once.
    static std::string_view utf8(char ch);

    // UTF-8 text as cells: ASCII as it is, a letter the code page has (é, ü, Ä, ñ ...) as
    // its byte, anything else, and any byte that is not UTF-8, as '?'.
    static std::string from_utf8(std::string_view text);
};

} // namespace console

#endif
