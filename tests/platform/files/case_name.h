#pragma once

#include <cctype>
#include <ostream>
#include <string_view>

// Test names carry the case: letters and digits as they are, every other byte as %XX.
inline void printCaseName(std::string_view bytes, std::ostream* os) {
    static const char* const kHex = "0123456789ABCDEF";
    for (unsigned char byte : bytes) {
        if (std::isalnum(byte))
            *os << static_cast<char>(byte);
        else
            *os << '%' << kHex[byte >> 4] << kHex[byte & 15];
    }
}
