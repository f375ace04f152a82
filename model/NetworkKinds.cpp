#include "NetworkKinds.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 14> Topologies = {
    "56-Switched", "ATM",       "B-ISDN", "DQDB", "Ethernet", "FDDI",       "Frame Relay",
    "HIPPI",       "Satellite", "SMDS",   "T1",   "T3",       "Token Ring", "X.25"};

constexpr std::array<const char*, 17> DesignBandwidths = {
    "0.056",  "0.064", "0.512",  "1.544",   "4",      "6.312", "10",   "16",  "25",
    "44.736", "100",   "155.52", "274.176", "622.08", "800",   "1000", "1600"};

constexpr std::array<const char*, 9> WanBandwidths = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                                                      "1.544", "6.312", "44.736", "274.176"};

constexpr std::array<const char*, 20> OtherBandwidths = {
    "0.056", "0.064", "0.128",  "0.256", "0.512",  "1.024",   "1.544",  "4",   "6.312", "10",
    "16",    "25",    "44.736", "100",   "155.52", "274.176", "622.08", "800", "1000",  "1600"};

constexpr std::array<const char*, 1> Switched56Bandwidths = {"0.056"};
constexpr std::array<const char*, 3> AtmBandwidths = {"25", "155.52", "622.08"};
constexpr std::array<const char*, 1> DqdbBandwidths = {"44.736"};
constexpr std::array<const char*, 3> EthernetBandwidths = {"10", "100", "1000"};
constexpr std::array<const char*, 1> FddiBandwidths = {"100"};
constexpr std::array<const char*, 2> HippiBandwidths = {"800", "1600"};
constexpr std::array<const char*, 2> TokenRingBandwidths = {"4", "16"};

constexpr std::array<TTopologyChoice, Topologies.size()> Choices = {{
    {nb56Switched, "0.056"},
    {nbATM, "155.52"},
    {nbBISDN, "155.52"},
    {nbDQDB, "44.736"},
    {nbEthernet, "10"},
    {nbFDDI, "100"},
    {nbFrameRelay, "1.544"},
    {nbHIPPI, "800"},
    {nbSatellite, "0.512"},
    {nbSMDS, "44.736"},
    {nbTCarrier, "1.544"},
    {nbTCarrier, "44.736"},
    {nbTokenRing, "16"},
    {nbX25, "0.064"},
}};

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::span<const char* const> TopologyItems() {
    return Topologies;
}

std::span<const char* const> DesignBandwidthItems() {
    return DesignBandwidths;
}

std::span<const char* const> BandwidthItems(TNetworkButtonKind kind) {
    switch (kind) {
    case nb56Switched:
        return Switched56Bandwidths;
    case nbATM:
    case nbBISDN:
        return AtmBandwidths;
    case nbDQDB:
    case nbSMDS:
        return DqdbBandwidths;
    case nbEthernet:
        return EthernetBandwidths;
    case nbFDDI:
        return FddiBandwidths;
    case nbHIPPI:
        return HippiBandwidths;
    case nbOther:
        return OtherBandwidths;
    case nbFrameRelay:
    case nbSatellite:
    case nbTCarrier:
    case nbX25:
        return WanBandwidths;
    case nbTokenRing:
        return TokenRingBandwidths;
    case nbISDN:
    case nbUnknownNetwork:
    case nbDesktopCPU:
    case nbTowerCPU:
        break;
    }
    return {};
}

std::optional<std::int32_t> DefaultPropDelay(TNetworkButtonKind kind) {
    switch (kind) {
    case nbATM:
    case nbDQDB:
    case nbSMDS:
        return 1;
    case nbTCarrier:
        return 5;
    case nb56Switched:
    case nbOther:
    case nbX25:
        return 10;
    case nbFrameRelay:
        return 20;
    case nbSatellite:
        return 270;
    case nbEthernet:
    case nbFDDI:
    case nbHIPPI:
    case nbTokenRing:
    case nbDesktopCPU:
    case nbTowerCPU:
        return 0;
    case nbBISDN:
    case nbISDN:
    case nbUnknownNetwork:
        break;
    }
    return std::nullopt;
}

bool IsPropDelayDisabled(TNetworkButtonKind kind) {
    return kind == nbEthernet || kind == nbFDDI || kind == nbHIPPI || kind == nbTokenRing;
}

TTopologyChoice TopologyChoice(int index) {
    if (index < 0 || index >= static_cast<int>(Choices.size())) {
        return {};
    }
    return Choices[static_cast<std::size_t>(index)];
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

int FindIgnoringCase(std::span<const std::string> items, std::string_view text) {
    const auto found = std::find_if(items.begin(), items.end(), [text](const std::string& item) {
        return EqualIgnoringCase(item, text);
    });
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}
