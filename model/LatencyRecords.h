#pragma once

#include "NetworkElement.h"

#include <array>
#include <cstdint>
#include <span>

// The binary records in which the settings keep the latency chain, little-endian whatever the
// machine.

// Node A or Node B: bytes 0-3 the packet size, 4-7 the processing time in ms.
struct TNodeRecord {
    std::int32_t PacketSize = 0;
    std::int32_t ProcessTime = 0;
    friend bool operator==(const TNodeRecord&, const TNodeRecord&) = default;
};

// A network: bytes 0-7 the bandwidth (IEEE double, Mbps), 8-11 the left edge, 12 the kind's
// ordinal, 13-15 padding, 16-19 the propagation delay in ms, 20-23 the top edge.
struct TNetworkRecord {
    double Bandwidth = 0;
    std::int32_t Left = 0;
    std::uint8_t Kind = nbUnknownNetwork;
    std::int32_t PropDelay = 0;
    std::int32_t Top = 0;
    friend bool operator==(const TNetworkRecord&, const TNetworkRecord&) = default;
};

inline constexpr std::size_t NodeRecordSize = 8;
inline constexpr std::size_t NetworkRecordSize = 24;

std::array<std::uint8_t, NodeRecordSize> EncodeNodeRecord(const TNodeRecord& record);
// The padding bytes are written as 0.
std::array<std::uint8_t, NetworkRecordSize> EncodeNetworkRecord(const TNetworkRecord& record);

// Tolerant decoding of a stored value of any length: a field whose bytes the input wholly holds
// is taken from them, a field that lies (partly) beyond the input keeps its value in fallback,
// and bytes past the record are ignored, like the padding. So a short value loses only the
// fields it cuts off, and the element keeps what it had for those.
TNodeRecord DecodeNodeRecord(std::span<const std::uint8_t> bytes, const TNodeRecord& fallback);
TNetworkRecord DecodeNetworkRecord(std::span<const std::uint8_t> bytes,
                                   const TNetworkRecord& fallback);

// What a damaged store may hold made safe for the computation: negative sizes and times become 0.
TNodeRecord SanitisedNodeRecord(const TNodeRecord& record);

// The network kind for a stored ordinal. Anything but a network kind (the two node kinds
// included, which would silently turn the network into a station) becomes nbUnknownNetwork: it
// claims no topology, computes like any plain network from the stored bandwidth and delay, and
// its picture shows that the topology is not known. nbOther would claim a name the user typed.
TNetworkButtonKind NetworkKindFromOrdinal(std::uint8_t ordinal);

// A network kind as above; a bandwidth that is not a finite number above 0 (NaN, infinite,
// negative, -0) becomes 0; a negative propagation delay becomes 0. The edges are left to the
// caller, who knows the panel.
TNetworkRecord SanitisedNetworkRecord(const TNetworkRecord& record);
