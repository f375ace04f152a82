// The spin edit's reading of its text, over any bytes, against an independent reading.
#include "FuzzInput.h"
#include "SpinEditText.h"

#include <climits>
#include <optional>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Blanks around an optionally signed run of decimal digits within the int range.
std::optional<int> ReadWholeNumber(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    bool negative = false;
    if (first < last && (text[first] == '+' || text[first] == '-')) {
        negative = text[first] == '-';
        ++first;
    }
    if (first == last) {
        return std::nullopt;
    }
    long long value = 0;
    for (std::size_t i = first; i < last; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
        if (value > 1LL << 32) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int Expected(const std::string& text, int held) {
    if (text.empty()) {
        return held;
    }
    std::string kept(1, text.front());
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '-') {
            kept.push_back(text[i]);
        }
    }
    return ReadWholeNumber(kept).value_or(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const int held = input.Value<int>();
    const std::string text = input.Text(24);
    const int value = SpinEditTextValue(text, held);
    FUZZ_CHECK(value == Expected(text, held));

    // Minus signs typed anywhere after the first character change nothing.
    if (!text.empty()) {
        std::string typed = text;
        typed.insert(1 + input.Byte() % typed.size(), "-");
        FUZZ_CHECK(SpinEditTextValue(typed, held) == value);
    }

    // The text the spin edit shows for any value reads back as that value.
    const int shown = input.Value<int>();
    FUZZ_CHECK(SpinEditTextValue(std::to_string(shown), held) == shown);
    return 0;
}
