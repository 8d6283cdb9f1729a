// Single-byte Windows-1252 text: the encoding of every text the program
// writes and reads. Strings here hold the raw bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lorvenna {

// Converts UTF-8 to Windows-1252; empty when a character has no single-byte
// form or the input is not valid UTF-8.
std::optional<std::string> utf8_a_windows1252(std::string_view utf8);
// The same, or the bytes as they are when they have no Windows-1252 form:
// for a name that is only compared, never refused.
std::string utf8_a_windows1252_o_com_e(std::string_view utf8);
// One UTF-8 character at `i`, moving `i` past what was read; empty when the
// bytes there are no well-formed character (an overlong form included).
std::optional<char32_t> decodifica_utf8(std::string_view utf8, size_t& i);
// The Windows-1252 byte of code point `cp`, or empty when the code page lacks it.
std::optional<char> byte_windows1252(char32_t cp);
// Windows-1252 text as UTF-8, for showing it; the five bytes the code page
// leaves undefined become U+FFFD.
std::string windows1252_a_utf8(std::string_view testo);

// Lower case of one Windows-1252 byte, accented and other non-ASCII letters included.
char minuscola_1252(char c);
std::string minuscole_1252(std::string_view testo);

}  // namespace lorvenna
