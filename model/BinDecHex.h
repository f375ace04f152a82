#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// Conversions between 32-bit values and their binary, decimal and hexadecimal texts.
// Texts are single-byte strings; bit and digit positions count from the rightmost character.

// A "1" sets the bit of its position; any other character only occupies its position.
// Bit positions wrap modulo 32.
std::int32_t BinaryToInt(const std::string& text);

// Case-insensitive; a non-hex character contributes nothing but occupies its digit position.
// Digit positions wrap modulo 8.
std::int32_t HexToInt(const std::string& text);

// The low digitCount (1..32) bits of value, most significant first, leading zeros kept.
std::string IntToBinary(std::int32_t value, int digitCount);

// Groups the text in runs of groupSize characters counted from the right. A separator that would
// directly follow a leading "-" is left out.
void InsertSeparators(std::string& text, char separator, int groupSize);
void InsertThousandsSeparators(std::string& text);
void InsertSpaceSeparators(std::string& text, int groupSize);

void DeleteCharsInSet(std::string& text, const std::string& set);

// Removes spaces, ",", "-" and "."; a leading "-" survives if anything else does.
void StripNumberText(std::string& text);

class TBinDecHexNumber;
using TBinDecHexNotify = std::function<void(TBinDecHexNumber& sender)>;

// A signed 32-bit number with a width of 8, 16 or 32 bits and its three text forms. Only an
// upper bound is enforced: negative values come from inversion and typed minus signs.
class TBinDecHexNumber {
public:
    TBinDecHexNumber() = default;
    TBinDecHexNumber(const TBinDecHexNumber&) = delete;
    TBinDecHexNumber& operator=(const TBinDecHexNumber&) = delete;
    virtual ~TBinDecHexNumber() = default;

    bool Grouped() const { return grouped_; }
    std::int32_t MaxValue() const { return maxValue_; }
    // 0 = 8 bits, 1 = 16 bits, 2 = 32 bits.
    std::uint8_t NumberWidth() const { return numberWidth_; }
    std::int32_t Value() const { return value_; }

    void SetValue(std::int32_t value);
    // Raises "Range check error" for an index above 2.
    void SetNumberWidth(std::uint8_t width);
    void SetGrouped(bool grouped);

    void SetBinaryText(const std::string& text);
    void SetDecimalText(const std::string& text);
    void SetHexText(const std::string& text);

    std::string BinaryText() const;
    std::string DecimalText() const;
    std::string HexText() const;

    void SetOnChange(TBinDecHexNotify handler) { onChange_ = std::move(handler); }
    void SetOnError(TBinDecHexNotify handler) { onError_ = std::move(handler); }

protected:
    virtual void DoError();
    virtual void DoChange();

private:
    int BitCount() const;
    template <typename Parse> void SetText(const std::string& text, Parse parse);

    bool grouped_ = false;
    std::int32_t maxValue_ = 0;
    std::uint8_t numberWidth_ = 2;
    std::int32_t value_ = 0;
    TBinDecHexNotify onChange_;
    TBinDecHexNotify onError_;
};
