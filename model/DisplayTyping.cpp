#include "DisplayTyping.h"

#include <cctype>

std::optional<std::string> TypedDisplayText(std::string text, char key, std::size_t maxLength,
                                            bool valueIsZero) {
    const bool negative = !text.empty() && text.front() == '-';
    switch (key) {
    case DisplayBackspace:
        if (!valueIsZero && !text.empty()) {
            text.pop_back();
        }
        return text;
    case '-':
        if (!valueIsZero) {
            text = negative ? text.substr(1) : '-' + text;
        }
        return text;
    case '+':
        return negative ? text.substr(1) : text;
    default:
        if (text.size() < maxLength) {
            return text + key;
        }
        if (!text.empty() && text.front() == '0') {
            return text.substr(1) + key;
        }
        return std::nullopt;
    }
}

std::optional<std::string> PastedDisplayText(std::string_view text, TDisplayBase base) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    std::string digits;
    if (base == TDisplayBase::Decimal && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') {
            digits += '-';
        }
        text.remove_prefix(1);
    }
    const char prefix = base == TDisplayBase::Hexadecimal ? 'x' : 'b';
    if (base != TDisplayBase::Decimal && text.size() > 2 && text[0] == '0' &&
        std::tolower(static_cast<unsigned char>(text[1])) == prefix) {
        text.remove_prefix(2);
    }
    std::size_t significant = 0;
    for (const char c : text) {
        const auto uc = static_cast<unsigned char>(c);
        if (c == ' ' || (c == ',' && base == TDisplayBase::Decimal)) {
            continue;
        }
        const bool digit = base == TDisplayBase::Binary    ? (c == '0' || c == '1')
                           : base == TDisplayBase::Decimal ? std::isdigit(uc) != 0
                                                           : std::isxdigit(uc) != 0;
        if (!digit) {
            return std::nullopt;
        }
        if (significant > 0 || c != '0') {
            ++significant;
        }
        digits += static_cast<char>(std::toupper(uc));
    }
    const std::size_t maxSignificant = base == TDisplayBase::Hexadecimal ? 8
                                       : base == TDisplayBase::Binary    ? 32
                                                                         : digits.size();
    if (digits.empty() || digits == "-" || significant > maxSignificant) {
        return std::nullopt;
    }
    return digits;
}
