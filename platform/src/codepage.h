// Text handed to ...A functions is Windows-1252; SDL and standard error want UTF-8.
#pragma once

#include <string>

namespace orvex::platform {

// Converts zero-terminated Windows-1252 text to UTF-8; null gives the empty text.
std::string cp1252_to_utf8(const char* text);

} // namespace orvex::platform
