#include "DisplayTyping.h"

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
