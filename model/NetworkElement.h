#pragma once

#include <cstdint>
#include <string>

// The kinds of element in a latency chain. The ordinal is what the settings store keeps.
enum TNetworkButtonKind : std::uint8_t {
    nb56Switched,
    nbATM,
    nbBISDN,
    nbDQDB,
    nbEthernet,
    nbFDDI,
    nbFrameRelay,
    nbHIPPI,
    nbISDN,
    nbOther,
    nbSatellite,
    nbSMDS,
    nbTCarrier,
    nbTokenRing,
    nbUnknownNetwork,
    nbX25,
    nbDesktopCPU,
    nbTowerCPU
};

inline constexpr int NetworkButtonKindCount = 18;

// True for the two end stations, false for every network kind.
constexpr bool IsNode(TNetworkButtonKind kind) {
    return kind == nbDesktopCPU || kind == nbTowerCPU;
}

// The resource name of the kind's picture, for example "ETHERNET".
const char* GlyphName(TNetworkButtonKind kind);

inline constexpr const char* UnknownTopologyName = "<Unknown Topology>";

// One element of the chain: a node (Node A, Node B) or a network between them. A node uses
// PacketSize and ProcessTime, a network Bandwidth and PropDelay; the delays and shares are the
// results of the latency computation.
struct TNetworkElement {
    TNetworkButtonKind NetworkButtonKind = nbUnknownNetwork;
    std::string NetworkName = UnknownTopologyName;
    std::string Label = UnknownTopologyName;
    double Bandwidth = 0;
    float DelayAtoB = 0;
    float DelayRoundTrip = 0;
    float DelayBtoA = 0;
    std::int32_t PacketSize = 512;
    float ShareAtoB = 0;
    float ShareRoundTrip = 0;
    float ShareBtoA = 0;
    std::int32_t ProcessTime = 0;
    std::int32_t PropDelay = 0;
    std::int16_t TopologyIndex = -1;
};

// The shortest text of at most 6 significant digits, "." as the separator in every locale, no
// trailing zeros and no point for whole values ("10", "0.056", "155.52"). From 10^6 on and below
// 10^-5 the exponent is written out: "1.5E+06", "1E-06"; 0.00001 is still "0.00001".
std::string GeneralFormat(double value);

// "Node A (64 bytes)".
std::string NodeLabel(const std::string& name, std::int32_t packetSize);
// "Ethernet (10 Mbps)".
std::string NetworkLabel(const std::string& name, double bandwidth);
// The label an element shows for its kind and values.
std::string ElementLabel(const TNetworkElement& element);
