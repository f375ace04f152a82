#include "NetworkElement.h"

#include <array>
#include <charconv>

const char* GlyphName(TNetworkButtonKind kind) {
    static constexpr std::array<const char*, NetworkButtonKindCount> Glyphs = {
        "OTHER",          "ATM", "ATM",        "DQDB",      "ETHERNET", "FDDI",     "OTHER",
        "HIPPI",          "ATM", "OTHER",      "SATELLITE", "DQDB",     "TCARRIER", "TOKENRING",
        "UNKNOWNNETWORK", "X25", "DESKTOPCPU", "TOWERCPU"};
    const auto ordinal = static_cast<std::size_t>(kind);
    return ordinal < Glyphs.size() ? Glyphs[ordinal] : "UNKNOWNNETWORK";
}

std::string GeneralFormat(double value) {
    std::array<char, 64> buffer{};
    // to_chars ignores the C locale, which Qt sets from the environment.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 6);
    std::string text(buffer.data(), result.ptr);
    const auto exponent = text.find('e');
    if (exponent == std::string::npos) {
        return text;
    }
    // The exponent form starts below 10^-5, one decade later than to_chars would start it.
    if (text.compare(exponent, std::string::npos, "e-05") == 0) {
        const bool negative = text.front() == '-';
        std::string digits = text.substr(negative ? 1 : 0, exponent - (negative ? 1 : 0));
        std::erase(digits, '.');
        return (negative ? "-0.0000" : "0.0000") + digits;
    }
    text[exponent] = 'E';
    return text;
}

std::string NodeLabel(const std::string& name, std::int32_t packetSize) {
    return name + " (" + std::to_string(packetSize) + " bytes)";
}

std::string NetworkLabel(const std::string& name, double bandwidth) {
    return name + " (" + GeneralFormat(bandwidth) + " Mbps)";
}

std::string ElementLabel(const TNetworkElement& element) {
    return IsNode(element.NetworkButtonKind) ? NodeLabel(element.NetworkName, element.PacketSize)
                                             : NetworkLabel(element.NetworkName, element.Bandwidth);
}
