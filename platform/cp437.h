// Code page 437: every text in memory and in files stays CP437 bytes; these
// convert only where a glyph is drawn, text reaches the terminal or a
// character is typed.
#pragma once

#include <string>
#include <string_view>

namespace korax {

char32_t CP437_TO_UNICODE(unsigned char c);
// The CP437 byte of a Unicode code point, or -1 when the code page has none.
int UNICODE_TO_CP437(char32_t u);
std::string CP437_TO_UTF8(std::string_view cp437);
// Characters without a CP437 form become `fallback`; malformed UTF-8 bytes too.
std::string UTF8_TO_CP437(std::string_view utf8, char fallback = '?');
// True when the bytes are valid UTF-8 containing at least one multi-byte sequence.
bool LOOKS_LIKE_UTF8(std::string_view bytes);

}  // namespace korax
