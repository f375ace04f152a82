#include "BinDecHex.h"

#include "VarnexError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

constexpr std::array<std::int32_t, 3> WidthMaxValues{255, 65535, 2147483647};

char UpperCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::optional<std::uint32_t> HexDigitValue(char c) {
    const char upper = UpperCase(c);
    if (upper >= '0' && upper <= '9') {
        return static_cast<std::uint32_t>(upper - '0');
    }
    if (upper >= 'A' && upper <= 'F') {
        return static_cast<std::uint32_t>(upper - 'A' + 10);
    }
    return std::nullopt;
}

// Strictly an optional sign followed by decimal digits, within the signed 32-bit range.
std::optional<std::int32_t> DecimalToInt(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first == last || *first == '-') {
            return std::nullopt;
        }
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

// Copied before the call so that a handler may replace itself safely.
void Notify(const TBinDecHexNotify& handler, TBinDecHexNumber& sender) {
    if (handler) {
        const TBinDecHexNotify running = handler;
        running(sender);
    }
}

} // namespace

std::int32_t BinaryToInt(const std::string& text) {
    std::uint32_t result = 0;
    const std::size_t length = text.size();
    for (std::size_t index = 0; index < length; ++index) {
        if (text[length - 1 - index] == '1') {
            result |= std::uint32_t{1} << (index % 32);
        }
    }
    return static_cast<std::int32_t>(result);
}

std::int32_t HexToInt(const std::string& text) {
    std::uint32_t result = 0;
    const std::size_t length = text.size();
    for (std::size_t index = 0; index < length; ++index) {
        if (const auto digit = HexDigitValue(text[length - 1 - index])) {
            result |= *digit << ((4 * index) % 32);
        }
    }
    return static_cast<std::int32_t>(result);
}

std::string IntToBinary(std::int32_t value, int digitCount) {
    if (digitCount < 1 || digitCount > 32) {
        throw EVarnexError(RangeCheckMessage);
    }
    const auto bits = static_cast<std::uint32_t>(value);
    std::string result(static_cast<std::size_t>(digitCount), '0');
    for (int bit = 0; bit < digitCount; ++bit) {
        if ((bits >> bit) & 1U) {
            result[static_cast<std::size_t>(digitCount - 1 - bit)] = '1';
        }
    }
    return result;
}

void InsertSeparators(std::string& text, char separator, int groupSize) {
    // A group size below 1 would never reach the left end of the text.
    if (groupSize < 1) {
        throw EVarnexError(RangeCheckMessage);
    }
    // Inserting from the right keeps the positions still to come valid.
    for (auto position = static_cast<std::ptrdiff_t>(text.size()) - groupSize + 1; position > 1;
         position -= groupSize) {
        text.insert(static_cast<std::size_t>(position - 1), 1, separator);
    }
    if (text.size() >= 2 && text[0] == '-' && text[1] == separator) {
        text.erase(1, 1);
    }
}

void InsertThousandsSeparators(std::string& text) {
    InsertSeparators(text, ',', 3);
}

void InsertSpaceSeparators(std::string& text, int groupSize) {
    InsertSeparators(text, ' ', groupSize);
}

void DeleteCharsInSet(std::string& text, const std::string& set) {
    std::erase_if(text, [&set](char c) { return set.find(c) != std::string::npos; });
}

void StripNumberText(std::string& text) {
    const bool negative = !text.empty() && text.front() == '-';
    DeleteCharsInSet(text, " ,-.");
    if (negative && !text.empty()) {
        text.insert(text.begin(), '-');
    }
}

void TBinDecHexNumber::SetValue(std::int32_t value) {
    if (value > maxValue_) {
        DoError();
        return;
    }
    if (value != value_) {
        value_ = value;
        DoChange();
    }
}

void TBinDecHexNumber::SetNumberWidth(std::uint8_t width) {
    if (width == numberWidth_) {
        return;
    }
    if (width >= WidthMaxValues.size()) {
        throw EVarnexError(RangeCheckMessage);
    }
    numberWidth_ = width;
    maxValue_ = WidthMaxValues[width];
    // A negative value is not truncated to the narrower width: it becomes the new maximum.
    value_ = value_ < 0 ? maxValue_ : std::min(value_, maxValue_);
    DoChange();
}

void TBinDecHexNumber::SetGrouped(bool grouped) {
    if (grouped != grouped_) {
        grouped_ = grouped;
        DoChange();
    }
}

template <typename Parse> void TBinDecHexNumber::SetText(const std::string& text, Parse parse) {
    if (text.empty()) {
        DoError();
        return;
    }
    std::string stripped = text;
    StripNumberText(stripped);
    if (const std::optional<std::int32_t> value = parse(stripped)) {
        SetValue(*value);
    } else {
        DoError();
    }
}

void TBinDecHexNumber::SetBinaryText(const std::string& text) {
    SetText(text, [](const std::string& digits) { return std::optional(BinaryToInt(digits)); });
}

void TBinDecHexNumber::SetDecimalText(const std::string& text) {
    SetText(text, DecimalToInt);
}

void TBinDecHexNumber::SetHexText(const std::string& text) {
    SetText(text, [](const std::string& digits) { return std::optional(HexToInt(digits)); });
}

int TBinDecHexNumber::BitCount() const {
    return 8 << numberWidth_;
}

std::string TBinDecHexNumber::BinaryText() const {
    std::string text = IntToBinary(value_, BitCount());
    if (grouped_) {
        InsertSpaceSeparators(text, 8);
    }
    return text;
}

std::string TBinDecHexNumber::DecimalText() const {
    std::string text = std::to_string(value_);
    if (grouped_) {
        InsertThousandsSeparators(text);
    }
    return text;
}

std::string TBinDecHexNumber::HexText() const {
    static constexpr char Digits[] = "0123456789ABCDEF";
    // Read as unsigned, so a negative value shows all eight digits whatever the width.
    auto bits = static_cast<std::uint32_t>(value_);
    std::string text;
    do {
        text.insert(text.begin(), Digits[bits & 0xFU]);
        bits >>= 4;
    } while (bits != 0);
    const auto minimumDigits = static_cast<std::size_t>(BitCount() / 4);
    if (text.size() < minimumDigits) {
        text.insert(0, minimumDigits - text.size(), '0');
    }
    if (grouped_) {
        InsertSpaceSeparators(text, 2);
    }
    return text;
}

void TBinDecHexNumber::DoError() {
    Notify(onError_, *this);
}

void TBinDecHexNumber::DoChange() {
    Notify(onChange_, *this);
}
