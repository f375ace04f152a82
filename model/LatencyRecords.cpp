#include "LatencyRecords.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr std::size_t PacketSizeOffset = 0;
constexpr std::size_t ProcessTimeOffset = 4;

constexpr std::size_t BandwidthOffset = 0;
constexpr std::size_t LeftOffset = 8;
constexpr std::size_t KindOffset = 12;
constexpr std::size_t PropDelayOffset = 16;
constexpr std::size_t TopOffset = 20;

template <typename Unsigned> void PutLittleEndian(std::uint8_t* out, Unsigned value) {
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

template <typename Unsigned> Unsigned GetLittleEndian(const std::uint8_t* in) {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        value |= static_cast<Unsigned>(in[i]) << (8 * i);
    }
    return value;
}

void PutInt32(std::uint8_t* out, std::int32_t value) {
    PutLittleEndian(out, static_cast<std::uint32_t>(value));
}

// Takes the field when the bytes hold all of it; otherwise the field keeps its value.
void TakeInt32(std::span<const std::uint8_t> bytes, std::size_t offset, std::int32_t& field) {
    if (bytes.size() >= offset + sizeof(std::int32_t)) {
        field = static_cast<std::int32_t>(GetLittleEndian<std::uint32_t>(bytes.data() + offset));
    }
}

} // namespace

std::array<std::uint8_t, NodeRecordSize> EncodeNodeRecord(const TNodeRecord& record) {
    std::array<std::uint8_t, NodeRecordSize> bytes{};
    PutInt32(bytes.data() + PacketSizeOffset, record.PacketSize);
    PutInt32(bytes.data() + ProcessTimeOffset, record.ProcessTime);
    return bytes;
}

std::array<std::uint8_t, NetworkRecordSize> EncodeNetworkRecord(const TNetworkRecord& record) {
    std::array<std::uint8_t, NetworkRecordSize> bytes{};
    PutLittleEndian(bytes.data() + BandwidthOffset, std::bit_cast<std::uint64_t>(record.Bandwidth));
    PutInt32(bytes.data() + LeftOffset, record.Left);
    bytes[KindOffset] = record.Kind;
    PutInt32(bytes.data() + PropDelayOffset, record.PropDelay);
    PutInt32(bytes.data() + TopOffset, record.Top);
    return bytes;
}

TNodeRecord DecodeNodeRecord(std::span<const std::uint8_t> bytes, const TNodeRecord& fallback) {
    TNodeRecord record = fallback;
    TakeInt32(bytes, PacketSizeOffset, record.PacketSize);
    TakeInt32(bytes, ProcessTimeOffset, record.ProcessTime);
    return record;
}

TNetworkRecord DecodeNetworkRecord(std::span<const std::uint8_t> bytes,
                                   const TNetworkRecord& fallback) {
    TNetworkRecord record = fallback;
    if (bytes.size() >= BandwidthOffset + sizeof(double)) {
        record.Bandwidth =
            std::bit_cast<double>(GetLittleEndian<std::uint64_t>(bytes.data() + BandwidthOffset));
    }
    TakeInt32(bytes, LeftOffset, record.Left);
    if (bytes.size() > KindOffset) {
        record.Kind = bytes[KindOffset];
    }
    TakeInt32(bytes, PropDelayOffset, record.PropDelay);
    TakeInt32(bytes, TopOffset, record.Top);
    return record;
}

TNodeRecord SanitisedNodeRecord(const TNodeRecord& record) {
    return {std::max(record.PacketSize, 0), std::max(record.ProcessTime, 0)};
}

TNetworkButtonKind NetworkKindFromOrdinal(std::uint8_t ordinal) {
    const auto kind = static_cast<TNetworkButtonKind>(ordinal);
    return ordinal < NetworkButtonKindCount && !IsNode(kind) ? kind : nbUnknownNetwork;
}

TNetworkRecord SanitisedNetworkRecord(const TNetworkRecord& record) {
    TNetworkRecord result = record;
    result.Kind = NetworkKindFromOrdinal(record.Kind);
    if (!std::isfinite(record.Bandwidth) || !(record.Bandwidth > 0)) {
        result.Bandwidth = 0;
    }
    result.PropDelay = std::max(record.PropDelay, 0);
    return result;
}
