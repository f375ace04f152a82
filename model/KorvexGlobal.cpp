#include "KorvexGlobal.h"

bool IsBinaryDigit(char c) {
    return c == '0' || c == '1';
}

bool IsControlChar(char c) {
    return static_cast<unsigned char>(c) < 32;
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return IsDecimalDigit(upper) || (upper >= 'A' && upper <= 'F');
}
