// Typed text to numbers and the number displays' typing rule, over any bytes.
#include "DisplayTyping.h"
#include "FuzzInput.h"
#include "TextConversion.h"
#include "VarnexError.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

std::string Trimmed(const std::string& text, const std::string& blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// An optional sign, decimal digits only, within the int range.
std::optional<int> ReadInt(const std::string& text) {
    const std::string number = Trimmed(text, " \t\n\v\f\r");
    std::size_t i = number.empty() || (number[0] != '+' && number[0] != '-') ? 0 : 1;
    if (i == number.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (number[i] - '0');
        if (value > 1LL << 32) {
            return std::nullopt;
        }
    }
    value = number[0] == '-' ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The message is whole, a typed NUL included.
bool IsMessage(const EVarnexError& error, const std::string& message) {
    return error.Message() == message;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const std::string text = input.Text(48);

    std::optional<int> integer;
    try {
        integer = StrToInt(text);
    } catch (const EVarnexError& error) {
        FUZZ_CHECK(IsMessage(error, "'" + text + "' is not a valid integer value"));
    }
    FUZZ_CHECK(integer == ReadInt(text));

    try {
        const double value = StrToFloat(text);
        FUZZ_CHECK(std::isfinite(value));
        // What it accepts, the C library reads alike.
        const std::string number = Trimmed(text, " \t");
        char* end = nullptr;
        errno = 0;
        const double expected = std::strtod(number.c_str(), &end);
        FUZZ_CHECK(end == number.c_str() + number.size());
        FUZZ_CHECK(value == expected);
        FUZZ_CHECK(number.find_first_of("xXnN") == std::string::npos);
    } catch (const EVarnexError& error) {
        FUZZ_CHECK(IsMessage(error, "'" + text + "' is not a valid floating point value"));
    }

    // A display within its length stays within it, whatever is typed.
    const std::size_t maxLength = 1 + input.Byte() % 40;
    std::string display = input.Text(maxLength);
    while (!input.AtEnd()) {
        const char key = static_cast<char>(input.Byte());
        const bool zero = display.find_first_not_of("-0") == std::string::npos;
        const std::optional<std::string> typed = TypedDisplayText(display, key, maxLength, zero);
        if (!typed) {
            FUZZ_CHECK(display.size() >= maxLength);
            continue;
        }
        FUZZ_CHECK(typed->size() <= maxLength + 1);
        FUZZ_CHECK(typed->size() <= display.size() + 1 && typed->size() + 1 >= display.size());
        display = *typed;
    }
    return 0;
}
