#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// A dotted IPv4 address as a user pastes it: four numbers of 0 to 255 separated by dots,
// optionally followed by a prefix length "/0" to "/32", with blanks around it.
struct TDottedAddress {
    std::array<std::uint8_t, 4> octets{};
    std::optional<std::uint8_t> prefixLength;
};

// The address the text holds, or nothing when it holds anything else.
std::optional<TDottedAddress> ParseDottedAddress(std::string_view text);
