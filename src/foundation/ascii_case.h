// Case folding of ASCII letters only, for file extensions, option and field names and column
// headers. Bytes of the 8-bit driver names and of other languages stay as they are, whatever
// the locale.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = LowerAscii(c);
    }
    return result;
}

inline std::string AsciiUpper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = UpperAscii(c);
    }
    return result;
}

} // namespace tavrel
