#pragma once

#include <string_view>

// NSString's readings of text. Text is std::string throughout the platform; these free functions
// stand in for the methods the device's NSString offers on it.
namespace platform::foundation {

// -[NSString floatValue]: the leading decimal number after any blanks, in single precision
// ("11.4.1" reads 11.4, " 13" reads 13); 0 when the text does not start with a number.
float floatValue(std::string_view text);

}  // namespace platform::foundation
