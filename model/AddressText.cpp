#include "AddressText.h"

#include <cctype>

namespace {

constexpr std::string_view Blanks = " \t\r\n";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A number of one to three digits up to the limit.
std::optional<std::uint8_t> SmallNumber(std::string_view digits, int limit) {
    if (digits.empty() || digits.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (const char digit : digits) {
        if (std::isdigit(static_cast<unsigned char>(digit)) == 0) {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    if (value > limit) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::optional<TDottedAddress> ParseDottedAddress(std::string_view text) {
    constexpr int MaxOctet = 255;
    constexpr int MaxPrefixLength = 32;
    text = Trimmed(text);
    TDottedAddress address;
    if (const auto slash = text.find('/'); slash != std::string_view::npos) {
        address.prefixLength = SmallNumber(Trimmed(text.substr(slash + 1)), MaxPrefixLength);
        if (!address.prefixLength) {
            return std::nullopt;
        }
        text = Trimmed(text.substr(0, slash));
    }
    for (std::size_t index = 0; index < address.octets.size(); ++index) {
        const bool last = index + 1 == address.octets.size();
        const auto dot = text.find('.');
        if (last != (dot == std::string_view::npos)) {
            return std::nullopt;
        }
        const std::optional<std::uint8_t> octet = SmallNumber(text.substr(0, dot), MaxOctet);
        if (!octet) {
            return std::nullopt;
        }
        address.octets[index] = *octet;
        text = last ? std::string_view() : text.substr(dot + 1);
    }
    return address;
}
