#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// NSString's readings of text. Text is std::string throughout the platform; these free functions
// stand in for the methods the device's NSString offers on it.
namespace platform::foundation {

// -[NSString floatValue]: the leading decimal number after any blanks, in single precision
// ("11.4.1" reads 11.4, " 13" reads 13); 0 when the text does not start with a number.
float floatValue(std::string_view text);

// -[NSString integerValue]: the leading decimal integer after any blanks ("12 songs" reads 12),
// clamped to the 64-bit range; 0 when the text does not start with one.
int64_t integerValue(std::string_view text);

// -[NSString length]: the text's length in UTF-16 code units (a character beyond the basic
// multilingual plane counts two). The text is UTF-8.
size_t length(std::string_view text);

// Whether the text is well-formed UTF-8: no stray continuation byte, truncated or overlong
// sequence, surrogate, or code point beyond U+10FFFF. Text from outside is checked with it before
// it is stored, since the settings file and the screen take UTF-8 only.
bool isValidUTF8(std::string_view text);

}  // namespace platform::foundation
