// Latency chains decoded from arbitrary stored bytes: decoding, sanitising, the computation and
// the number formats must neither crash nor yield a delay, share or total that is not a number.
#include "FuzzInput.h"
#include "Latency.h"
#include "LatencyRecords.h"
#include "VarnexError.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

// The field ranges of a record's encoding: a decoded field comes from the input when the input
// holds it whole, from the fallback otherwise.
struct TField {
    std::size_t Offset;
    std::size_t Size;
};
constexpr TField NodeFields[] = {{0, 4}, {4, 4}};
constexpr TField NetworkFields[] = {{0, 8}, {8, 4}, {12, 1}, {16, 4}, {20, 4}};

template <std::size_t N, std::size_t F>
void CheckDecoded(const std::array<std::uint8_t, N>& decoded,
                  const std::array<std::uint8_t, N>& fallback, std::span<const std::uint8_t> input,
                  const TField (&fields)[F]) {
    std::array<bool, N> covered{};
    for (const TField& field : fields) {
        const bool held = input.size() >= field.Offset + field.Size;
        for (std::size_t i = field.Offset; i < field.Offset + field.Size; ++i) {
            FUZZ_CHECK(decoded[i] == (held ? input[i] : fallback[i]));
            covered[i] = true;
        }
    }
    for (std::size_t i = 0; i < N; ++i) {
        FUZZ_CHECK(covered[i] || decoded[i] == 0);
    }
}

TNodeRecord NodeRecord(TFuzzInput& input, const TNodeRecord& fallback) {
    const std::span<const std::uint8_t> bytes = input.Bytes(input.Byte() % (NodeRecordSize + 4));
    const TNodeRecord record = DecodeNodeRecord(bytes, fallback);
    CheckDecoded(EncodeNodeRecord(record), EncodeNodeRecord(fallback), bytes, NodeFields);
    const TNodeRecord safe = SanitisedNodeRecord(record);
    FUZZ_CHECK(safe.PacketSize == (record.PacketSize < 0 ? 0 : record.PacketSize));
    FUZZ_CHECK(safe.ProcessTime == (record.ProcessTime < 0 ? 0 : record.ProcessTime));
    return safe;
}

TNetworkRecord NetworkRecord(TFuzzInput& input, const TNetworkRecord& fallback) {
    const std::span<const std::uint8_t> bytes = input.Bytes(input.Byte() % (NetworkRecordSize + 4));
    const TNetworkRecord record = DecodeNetworkRecord(bytes, fallback);
    CheckDecoded(EncodeNetworkRecord(record), EncodeNetworkRecord(fallback), bytes, NetworkFields);
    const TNetworkRecord safe = SanitisedNetworkRecord(record);
    FUZZ_CHECK(safe.Kind < NetworkButtonKindCount);
    FUZZ_CHECK(!IsNode(static_cast<TNetworkButtonKind>(safe.Kind)));
    FUZZ_CHECK(safe.Kind == record.Kind || safe.Kind == nbUnknownNetwork);
    FUZZ_CHECK(std::isfinite(safe.Bandwidth) && !std::signbit(safe.Bandwidth));
    FUZZ_CHECK(safe.Bandwidth == record.Bandwidth || safe.Bandwidth == 0);
    FUZZ_CHECK(safe.PropDelay >= 0);
    FUZZ_CHECK(safe.Left == record.Left && safe.Top == record.Top);
    return safe;
}

bool IsKnownError(const std::string& message) {
    return message == IntegerOverflowMessage || message == DivisionByZeroMessage ||
           message == FloatOverflowMessage || message == InvalidFloatOperationMessage;
}

// Reads a formatted number back with "." as the separator.
double ReadBack(const std::string& text) {
    for (char c : text) {
        FUZZ_CHECK((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'E' ||
                   c == '%');
    }
    return std::strtod(text.c_str(), nullptr);
}

void CheckGeneralFormat(double value) {
    const std::string text = GeneralFormat(value);
    const double back = ReadBack(text);
    FUZZ_CHECK(std::fabs(back - value) <= 5e-6 * std::fabs(value));
    const bool exponent = text.find('E') != std::string::npos;
    if (exponent) {
        FUZZ_CHECK(std::fabs(back) >= 1e6 || std::fabs(back) < 1e-5);
    } else if (back != 0) {
        FUZZ_CHECK(std::fabs(back) < 1e6 && std::fabs(back) >= 1e-5);
    }
}

void CheckFormatFixed(double value, int decimals) {
    std::string text;
    try {
        text = FormatFixed(value, decimals);
    } catch (const EVarnexError& error) {
        FUZZ_CHECK(!std::isfinite(value) && std::string(error.what()) == FloatOverflowMessage);
        return;
    }
    FUZZ_CHECK(std::isfinite(value));
    const double back = ReadBack(text);
    if (text.find('E') != std::string::npos) {
        FUZZ_CHECK(std::fabs(value) >= 9999999.5);
        FUZZ_CHECK(std::fabs(back - value) <= 5e-7 * std::fabs(value));
        return;
    }
    const std::size_t point = text.find('.');
    FUZZ_CHECK(decimals == 0 ? point == std::string::npos
                             : point != std::string::npos &&
                                   text.size() - point - 1 == static_cast<std::size_t>(decimals));
    FUZZ_CHECK(back != 0 || text.front() != '-');
    // Seven significant digits, then rounded to the decimals.
    FUZZ_CHECK(std::fabs(back - value) <=
               5e-7 * std::fabs(value) + 0.5 * std::pow(10.0, -decimals) * 1.000001);
}

void CheckResults(const std::vector<TNetworkElement*>& chain, const TLatencyTotals& totals,
                  bool sanitised) {
    for (TPacketDirection direction : {pdAtoB, pdBtoA, pdRoundTrip}) {
        const float total = TotalFor(totals, direction);
        FUZZ_CHECK(std::isfinite(total));
        if (sanitised) {
            FUZZ_CHECK(total >= 0);
        }
        CheckFormatFixed(total, 7);
        for (const TNetworkElement* element : chain) {
            const float delay = ElementDelayFor(*element, direction);
            const float share = ElementShareFor(*element, direction);
            FUZZ_CHECK(std::isfinite(delay) && std::isfinite(share));
            if (sanitised) {
                FUZZ_CHECK(delay >= 0 && share >= 0);
                FUZZ_CHECK(share <= 1.0001f);
            }
            FormatDelay(delay);
            FormatShare(share);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const std::uint8_t header = input.Byte();
    const bool sanitised = !(header & 0x80);
    const std::size_t networks = 1 + (header & 0x0F) % 14;

    std::vector<std::unique_ptr<TNetworkElement>> owned;
    auto node = [&](TNetworkButtonKind kind) {
        TNodeRecord record = NodeRecord(input, {512, 0});
        if (!sanitised) {
            record = DecodeNodeRecord(input.Bytes(NodeRecordSize), record);
        }
        auto element = std::make_unique<TNetworkElement>();
        element->NetworkButtonKind = kind;
        element->PacketSize = record.PacketSize;
        element->ProcessTime = record.ProcessTime;
        element->Label = ElementLabel(*element);
        owned.push_back(std::move(element));
    };
    node(nbDesktopCPU);
    for (std::size_t i = 0; i < networks; ++i) {
        TNetworkRecord record = NetworkRecord(input, {});
        if (!sanitised) {
            record = DecodeNetworkRecord(input.Bytes(NetworkRecordSize), record);
        }
        auto element = std::make_unique<TNetworkElement>();
        element->NetworkButtonKind = sanitised ? static_cast<TNetworkButtonKind>(record.Kind)
                                               : NetworkKindFromOrdinal(record.Kind);
        element->Bandwidth = record.Bandwidth;
        element->PropDelay = record.PropDelay;
        if (std::isfinite(record.Bandwidth)) {
            CheckGeneralFormat(record.Bandwidth);
            element->Label = ElementLabel(*element);
        }
        owned.push_back(std::move(element));
    }
    node(nbTowerCPU);

    std::vector<TNetworkElement*> chain;
    for (const auto& element : owned) {
        // Results of an earlier computation, to see that an error keeps them.
        element->DelayAtoB = element->ShareBtoA = 0.25f;
        chain.push_back(element.get());
    }
    try {
        const TLatencyTotals totals = ComputeDelays(chain);
        CheckResults(chain, totals, sanitised);
    } catch (const EVarnexError& error) {
        FUZZ_CHECK(IsKnownError(error.what()));
        for (const TNetworkElement* element : chain) {
            FUZZ_CHECK(element->DelayAtoB == 0.25f && element->ShareBtoA == 0.25f);
            FUZZ_CHECK(element->DelayBtoA == 0 && element->ShareAtoB == 0);
        }
    }

    // The formats on their own, over any double and decimals.
    const auto value = input.Value<double>();
    if (std::isfinite(value)) {
        CheckGeneralFormat(value);
    }
    CheckFormatFixed(value, input.Byte() % 19);
    return 0;
}
