// The number's text setters at every width against an independent reading of the texts.
#include "BinDecHex.h"
#include "FuzzInput.h"

#include <optional>

namespace {

// The characters the setters drop before reading; a leading minus survives.
std::string Stripped(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != ',' && c != '-' && c != '.') {
            kept.push_back(c);
        }
    }
    if (!text.empty() && text.front() == '-' && !kept.empty()) {
        kept.insert(kept.begin(), '-');
    }
    return kept;
}

std::optional<std::int32_t> ReadDecimal(const std::string& digits) {
    std::size_t i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    if (i == digits.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digits[i] - '0');
        if (value > 2147483648LL) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > 2147483647LL) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// Position p from the right holds bit p mod 32 (binary) or digit p mod 8 (hex).
std::int32_t ReadBinary(const std::string& digits) {
    std::uint32_t value = 0;
    for (std::size_t p = 0; p < digits.size(); ++p) {
        if (digits[digits.size() - 1 - p] == '1') {
            value |= 1u << (p % 32);
        }
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadHex(const std::string& digits) {
    std::uint32_t value = 0;
    for (std::size_t p = 0; p < digits.size(); ++p) {
        const char c = digits[digits.size() - 1 - p];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        }
        value |= digit << (4 * (p % 8));
    }
    return static_cast<std::int32_t>(value);
}

struct TCounts {
    int Changes = 0;
    int Errors = 0;
};

// After an operation that offered `offered` (none for an unreadable text): the notification
// table of the number.
void CheckOffer(const TBinDecHexNumber& number, std::int32_t before,
                std::optional<std::int32_t> offered, const TCounts& counts) {
    if (!offered || *offered > number.MaxValue()) {
        FUZZ_CHECK(number.Value() == before);
        FUZZ_CHECK(counts.Changes == 0 && counts.Errors == 1);
    } else {
        FUZZ_CHECK(number.Value() == *offered);
        FUZZ_CHECK(counts.Errors == 0);
        FUZZ_CHECK(counts.Changes == (*offered != before ? 1 : 0));
    }
}

void CheckTexts(TBinDecHexNumber& number) {
    const int bits = 8 << number.NumberWidth();
    const std::string binary = number.BinaryText();
    const std::string decimal = number.DecimalText();
    const std::string hex = number.HexText();
    const std::string binaryDigits = Stripped(binary);
    const std::string hexDigits = Stripped(hex);
    FUZZ_CHECK(binaryDigits.size() == static_cast<std::size_t>(bits));
    FUZZ_CHECK(hexDigits.size() == (number.Value() < 0 ? 8u : static_cast<std::size_t>(bits / 4)));
    FUZZ_CHECK(ReadDecimal(Stripped(decimal)) == number.Value());
    FUZZ_CHECK(ReadHex(hexDigits) == number.Value());
    // The binary form shows only the width's bits, so a negative value reads back whole only at
    // 32 bits.
    if (number.Value() >= 0 || bits == 32) {
        FUZZ_CHECK(ReadBinary(binaryDigits) == number.Value());
    }

    // Each form given back to the number changes nothing and notifies nothing.
    const std::int32_t value = number.Value();
    TCounts counts;
    number.SetOnChange([&counts](TBinDecHexNumber&) { ++counts.Changes; });
    number.SetOnError([&counts](TBinDecHexNumber&) { ++counts.Errors; });
    number.SetDecimalText(decimal);
    number.SetHexText(hex);
    if (value >= 0 || bits == 32) {
        number.SetBinaryText(binary);
    }
    FUZZ_CHECK(number.Value() == value);
    FUZZ_CHECK(counts.Changes == 0 && counts.Errors == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    TBinDecHexNumber number;
    number.SetNumberWidth(input.Byte() % 3);
    number.SetGrouped(input.Byte() & 1);
    FUZZ_CHECK(number.Value() <= number.MaxValue());
    for (int step = 0; step < 64 && !input.AtEnd(); ++step) {
        TCounts counts;
        number.SetOnChange([&counts](TBinDecHexNumber&) { ++counts.Changes; });
        number.SetOnError([&counts](TBinDecHexNumber&) { ++counts.Errors; });
        const std::int32_t before = number.Value();
        const std::uint8_t oldWidth = number.NumberWidth();
        const bool oldGrouped = number.Grouped();
        switch (input.Byte() % 6) {
        case 0: {
            const std::string text = input.Text(40);
            number.SetBinaryText(text);
            CheckOffer(number, before,
                       text.empty() ? std::nullopt : std::optional(ReadBinary(Stripped(text))),
                       counts);
            break;
        }
        case 1: {
            const std::string text = input.Text(16);
            number.SetDecimalText(text);
            CheckOffer(number, before, text.empty() ? std::nullopt : ReadDecimal(Stripped(text)),
                       counts);
            break;
        }
        case 2: {
            const std::string text = input.Text(12);
            number.SetHexText(text);
            CheckOffer(number, before,
                       text.empty() ? std::nullopt : std::optional(ReadHex(Stripped(text))),
                       counts);
            break;
        }
        case 3: {
            const std::uint8_t width = input.Byte() % 3;
            const std::int32_t oldMax = number.MaxValue();
            number.SetNumberWidth(width);
            FUZZ_CHECK(number.NumberWidth() == width);
            if (width == oldWidth) {
                FUZZ_CHECK(number.MaxValue() == oldMax);
                FUZZ_CHECK(number.Value() == before && counts.Changes == 0);
            } else {
                FUZZ_CHECK(number.MaxValue() == (width == 0   ? 255
                                                 : width == 1 ? 65535
                                                              : 2147483647));
                FUZZ_CHECK(counts.Changes == 1);
                FUZZ_CHECK(number.Value() ==
                           (before < 0 ? number.MaxValue() : std::min(before, number.MaxValue())));
            }
            FUZZ_CHECK(counts.Errors == 0);
            break;
        }
        case 4: {
            const bool grouped = input.Byte() & 1;
            number.SetGrouped(grouped);
            FUZZ_CHECK(number.Grouped() == grouped && number.Value() == before);
            FUZZ_CHECK(counts.Errors == 0 && counts.Changes == (grouped != oldGrouped ? 1 : 0));
            break;
        }
        default: {
            const auto value = input.Value<std::int32_t>();
            number.SetValue(value);
            CheckOffer(number, before, value, counts);
            break;
        }
        }
        FUZZ_CHECK(number.Value() <= number.MaxValue());
        CheckTexts(number);
    }
    return 0;
}
