#include "TextConversion.h"

#include "VarnexError.h"

#include <cctype>
#include <charconv>

namespace {

std::string Trimmed(const std::string& text, const char* blanks = " \t") {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsDigitChar(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

double StrToFloat(const std::string& text) {
    const std::string number = Trimmed(text);
    const char* begin = number.data();
    const char* end = begin + number.size();
    if (begin != end && (*begin == '+' || *begin == '-')) {
        ++begin;
    }
    // from_chars would also take "inf" and "nan", and a sign only once.
    const bool startsAsNumber =
        begin != end && (std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.');
    double value = 0;
    const auto result =
        startsAsNumber ? std::from_chars(begin, end, value) : std::from_chars_result{begin, {}};
    if (!startsAsNumber || result.ec != std::errc() || result.ptr != end) {
        throw EVarnexError("'" + text + "' is not a valid floating point value");
    }
    return number.front() == '-' ? -value : value;
}

int StrToInt(const std::string& text) {
    const std::optional<int> value = TryStrToInt(text);
    if (!value) {
        throw EVarnexError("'" + text + "' is not a valid integer value");
    }
    return *value;
}

std::optional<int> TryStrToInt(const std::string& text) {
    const std::string number = Trimmed(text, " \t\n\v\f\r");
    const char* begin = number.data();
    const char* end = begin + number.size();
    const bool hasSign = begin != end && (*begin == '+' || *begin == '-');
    const char* digits = hasSign ? begin + 1 : begin;
    // from_chars takes a minus sign but no plus sign, and one sign at most is wanted.
    const char* start = hasSign && *begin == '+' ? digits : begin;
    int value = 0;
    const bool startsAsNumber = digits != end && IsDigitChar(*digits);
    const auto result =
        startsAsNumber ? std::from_chars(start, end, value) : std::from_chars_result{start, {}};
    if (!startsAsNumber || result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}
